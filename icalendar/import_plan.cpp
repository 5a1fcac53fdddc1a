// An import's events turned into lines of their days, the lines placed on pages, and the summary of it all.
#include "icalendar/import_plan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "dates/calendar.h"

namespace {

constexpr Minutes minutesPerDay = 24 * 60;
constexpr int windowDays = 365;
// A whole-day event lasting longer is put on its first days only: a year of
// notes is as much as anyone reads.
constexpr int maxDaysOfEvent = 366;
constexpr int scheduleFirstMinute = 8 * 60;
constexpr int scheduleEndMinute = 19 * 60;
constexpr int slotMinutes = 30;
constexpr size_t unplacedListed = 10;

Minutes floorDivide(Minutes a, Minutes b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// A line holds no line breaks nor other control characters.
std::string oneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return line;
}

// The text as a line holds it: cut at the editor's limit and trimmed, as the
// window gathers it, so that a second import finds it equal.
std::string asLineText(const std::string& text)
{
    DayLine line;
    setLineText(line, text);
    trimLineText(line);
    return line.text;
}

std::string clockText(int minuteOfDay)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
    return text;
}

std::string dateText(const SystemTime& date)
{
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.wYear, date.wMonth, date.wDay);
    return text;
}

// How the times of an event reach the pages' clock.
struct Clock {
    TimeForm form = TimeForm::floating;
    const EventZone* zone = nullptr;  // of a zoned time; null when it is unknown
    ZoneRulesForYear user = nullptr;

    Minutes toLocal(Minutes time) const
    {
        if (form == TimeForm::utc) return utcToLocal(user, time);
        if (form == TimeForm::zoned && zone) return utcToLocal(user, zone->toUtc(time));
        return time;
    }

    // UNTIL is written in UTC when the start has a zone.
    Minutes fromUtc(Minutes utc) const
    {
        if (form == TimeForm::zoned && zone) return zone->fromUtc(utc);
        return utc;
    }
};

class Planner {
public:
    Planner(const CalendarFile& file, const ImportSettings& settings)
        : file_(file), settings_(settings), zones_(file.zones, settings.windowsZone, settings.today.wYear)
    {
        windowFirst_ = minutesOf(settings.today);
        windowLast_ = windowFirst_ + (windowDays + 1) * minutesPerDay - 1;
    }

    ImportPlan plan()
    {
        plan_.unreadableEvents = file_.unreadableEvents;
        if (file_.method == "CANCEL") {
            plan_.cancelledEvents = int(file_.events.size());
            return std::move(plan_);
        }
        noteReplacedOccurrences();
        for (const CalendarEvent& event : file_.events) {
            if (event.cancelled) ++plan_.cancelledEvents;
            else planEvent(event);
        }
        for (auto& [key, day] : days_) {
            std::stable_sort(day.items.begin(), day.items.end(),
                             [](const ImportedItem& a, const ImportedItem& b) { return a.startMinute < b.startMinute; });
            plan_.days.push_back(std::move(day));
        }
        return std::move(plan_);
    }

private:
    // A time without a zone of its own, among times of an event that has
    // one, is taken on the event's clock, as the programs that write such
    // files mean it.
    Clock clockOf(const IcalTime& time, const Clock* eventClock = nullptr)
    {
        if (eventClock && time.form == TimeForm::floating) return *eventClock;
        Clock clock{time.form, nullptr, settings_.userZone};
        if (time.form == TimeForm::zoned) {
            clock.zone = zones_.find(time.zone);
            unknownZone_ |= clock.zone == nullptr;
        }
        return clock;
    }

    // Where a time with a date only is compared, only the day counts.
    static Minutes dayOf(Minutes local) { return floorDivide(local, minutesPerDay); }

    void noteReplacedOccurrences()
    {
        for (const CalendarEvent& event : file_.events) {
            if (event.recurrenceId.form == TimeForm::none) {
                if (event.repeats || !event.extraDates.empty()) repeatingUids_.insert(event.uid);
                continue;
            }
            Clock own = clockOf(event.start);
            replaced_[event.uid].insert(clockOf(event.recurrenceId, &own).toLocal(event.recurrenceId.minutes));
        }
        unknownZone_ = false;
    }

    bool isReplaced(const std::string& uid, Minutes localStart) const
    {
        auto found = replaced_.find(uid);
        return found != replaced_.end() && found->second.count(localStart) != 0;
    }

    bool inWindow(Minutes localStart) const { return localStart >= windowFirst_ && localStart <= windowLast_; }

    // The starts of a repeating event in the window, on the pages' clock.
    std::vector<Minutes> repeatedStarts(const CalendarEvent& event, const Clock& clock)
    {
        std::vector<Minutes> starts;
        if (event.repeats) {
            RepeatRule rule = event.rule;
            if (rule.untilInUtc) rule.until = clock.fromUtc(rule.until);
            // The window on the event's own clock, wide enough for any zone's offset.
            for (Minutes start : expandOccurrences(rule, event.start.minutes, windowFirst_ - 2 * minutesPerDay,
                                                   windowLast_ + 2 * minutesPerDay))
                starts.push_back(clock.toLocal(start));
        } else {
            starts.push_back(clock.toLocal(event.start.minutes));
        }
        for (const IcalTime& extra : event.extraDates) starts.push_back(clockOf(extra, &clock).toLocal(extra.minutes));
        std::set<Minutes> excluded, excludedDays;
        for (const IcalTime& exception : event.exceptionDates) {
            Minutes local = clockOf(exception, &clock).toLocal(exception.minutes);
            if (exception.form == TimeForm::date) excludedDays.insert(dayOf(local));
            else excluded.insert(local);
        }
        std::sort(starts.begin(), starts.end());
        starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
        std::erase_if(starts, [&](Minutes start) {
            return !inWindow(start) || excluded.count(start) || excludedDays.count(dayOf(start)) ||
                   isReplaced(event.uid, start);
        });
        return starts;
    }

    // Minutes of a timed event; days of a whole-day one.
    Minutes lengthOf(const CalendarEvent& event, const Clock& clock, Minutes localStart)
    {
        bool wholeDays = event.start.form == TimeForm::date;
        Minutes length = 0;
        if (event.end.form != TimeForm::none) length = clockOf(event.end, &clock).toLocal(event.end.minutes) - localStart;
        else if (event.hasDuration) length = event.duration;
        else if (wholeDays) length = minutesPerDay;
        if (!wholeDays) return std::max<Minutes>(length, 0);
        return std::clamp<Minutes>(floorDivide(length + minutesPerDay - 1, minutesPerDay), 1, maxDaysOfEvent);
    }

    void planEvent(const CalendarEvent& event)
    {
        unknownZone_ = false;
        Clock clock = clockOf(event.start);
        Minutes localStart = clock.toLocal(event.start.minutes);
        Minutes length = lengthOf(event, clock, localStart);
        std::vector<Minutes> starts;
        bool isOverride = event.recurrenceId.form != TimeForm::none;
        bool repeats = event.repeats || !event.extraDates.empty();
        if (repeats && !isOverride) starts = repeatedStarts(event, clock);
        else if (!isOverride || !repeatingUids_.count(event.uid) || inWindow(localStart)) starts.push_back(localStart);
        else return;
        std::string title = titleOf(event);
        bool anyPlanned = false;
        for (Minutes start : starts) anyPlanned |= addOccurrence(start, length, event.start.form == TimeForm::date, title);
        if (!starts.empty() && !anyPlanned) ++plan_.unreadableEvents;  // all beyond the calendar's years
        if (anyPlanned && unknownZone_) ++plan_.unknownZoneEvents;
    }

    static std::string titleOf(const CalendarEvent& event)
    {
        std::string title = oneLine(event.summary);
        if (title.find_first_not_of(' ') == std::string::npos) title = "(No title)";
        std::string location = oneLine(event.location);
        if (location.find_first_not_of(' ') != std::string::npos) {
            title += " (";
            title += location;
            title += ')';
        }
        return title;
    }

    bool addOccurrence(Minutes start, Minutes length, bool wholeDays, const std::string& title)
    {
        int occurrence = occurrences_++;
        SystemTime date = timeOfMinutes(start);
        if (!isValidDate(date)) return false;
        if (wholeDays) {
            std::string text = asLineText(title);
            for (Minutes day = 0; day < length; ++day) {
                add(date, {occurrence, -1, -1, text, text});
                if (!stepDate(date, 1)) break;
            }
            return true;
        }
        ImportedItem item = timedItem(int(start - dayOf(start) * minutesPerDay), length, title);
        item.occurrence = occurrence;
        add(date, std::move(item));
        return true;
    }

    void add(const SystemTime& date, ImportedItem item)
    {
        DayImport& day = days_[dateKey(date)];
        day.date = {date.wYear, date.wMonth, 0, date.wDay};
        day.items.push_back(std::move(item));
    }

    const CalendarFile& file_;
    const ImportSettings& settings_;
    ZoneResolver zones_;
    Minutes windowFirst_, windowLast_;
    ImportPlan plan_;
    std::map<int, DayImport> days_;
    int occurrences_ = 0;
    bool unknownZone_ = false;
    std::set<std::string> repeatingUids_;
    std::map<std::string, std::set<Minutes>> replaced_;  // by UID, the local starts overridden
};

bool isFree(const DayLine& line)
{
    return line.text[0] == '\0';
}

int firstFreeLine(const DayPage& page, int first, int end)
{
    for (int i = first; i < end; ++i)
        if (isFree(page.lines[i])) return i;
    return -1;
}

bool holds(const DayLine& line, const std::string& text)
{
    return std::strncmp(line.text, text.c_str(), lineTextSize) == 0;
}

// An item is on the page when its own schedule line holds its text, or any
// line its text with times. Two events of the same title at different
// times of one day are not taken for one.
bool isOnPage(const DayPage& page, const ImportedItem& item)
{
    if (item.scheduleLine >= 0 && holds(page.lines[item.scheduleLine], item.text)) return true;
    return std::any_of(std::begin(page.lines), std::end(page.lines),
                       [&](const DayLine& line) { return holds(line, item.timedText); });
}

void putLine(DayLine& line, const std::string& text, int32_t mark)
{
    setLineText(line, text);
    line.done = 0;
    line.mark = mark;
}

std::string counted(size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

ImportPlan planImport(const CalendarFile& file, const ImportSettings& settings)
{
    return Planner(file, settings).plan();
}

ImportedItem timedItem(int minute, long long length, const std::string& title)
{
    std::string times = clockText(minute);
    if (length > 0) {
        times += '-';
        times += clockText(int((minute + length) % minutesPerDay));
    }
    ImportedItem item{0, minute, -1, "", asLineText(times + " " + title)};
    bool onTheHalfHour = minute % slotMinutes == 0 && length == slotMinutes;
    if (minute >= scheduleFirstMinute && minute < scheduleEndMinute) {
        item.scheduleLine = (minute - scheduleFirstMinute) / slotMinutes;
        item.text = onTheHalfHour ? asLineText(title) : item.timedText;
    } else {
        item.text = item.timedText;
    }
    return item;
}

DayPlacement placeOnPage(DayPage& page, const std::vector<ImportedItem>& items)
{
    DayPlacement placement;
    for (int i = 0; i < int(items.size()); ++i) {
        const ImportedItem& item = items[i];
        if (isOnPage(page, item)) {
            ++placement.alreadyThere;
            continue;
        }
        int line = -1;
        const std::string* text = &item.timedText;
        if (item.scheduleLine >= 0 && isFree(page.lines[item.scheduleLine])) {
            line = item.scheduleLine;
            text = &item.text;
        } else if (item.startMinute < 0) {
            line = firstFreeLine(page, firstNoteLine, dayLineCount);
        }
        if (line < 0) line = firstFreeLine(page, firstTodoLine, firstNoteLine);
        if (line < 0) {
            placement.unplaced.push_back(i);
            continue;
        }
        putLine(page.lines[line], *text, item.mark);
        placement.placed.push_back(i);
    }
    return placement;
}

void tallyDay(ImportTally& tally, const DayImport& day, const DayPlacement& placement)
{
    for (int i : placement.placed) tally.events.insert(day.items[i].occurrence);
    if (!placement.placed.empty()) ++tally.days;
    tally.alreadyThere += placement.alreadyThere;
    for (int i : placement.unplaced) tally.unplaced.push_back(dateText(day.date) + " " + day.items[i].timedText);
}

std::string importSummary(const ImportPlan& plan, const ImportTally& tally)
{
    // Appended piece by piece: GCC 12 warns of an overlapping copy in a literal + a string.
    std::string text = "Imported ";
    text += counted(tally.events.size(), "event", "events");
    text += " on ";
    text += counted(size_t(tally.days), "day", "days");
    text += '.';
    auto line = [&](const std::string& piece) {
        text += '\n';
        text += piece;
    };
    size_t unplaced = tally.unplaced.size();
    if (unplaced > 0) {
        line(counted(unplaced, "event", "events"));
        text += " found no free line:";
        for (size_t i = 0; i < std::min(unplaced, unplacedListed); ++i) line(tally.unplaced[i]);
        if (unplaced > unplacedListed) line("and " + std::to_string(unplaced - unplacedListed).append(" more"));
    }
    auto add = [&](int n, const char* one, const char* many) {
        if (n > 0) line(counted(size_t(n), one, many));
    };
    add(tally.alreadyThere, "event was already on its day.", "events were already on their days.");
    add(plan.unknownZoneEvents, "event in an unknown time zone was imported in local time.",
        "events in an unknown time zone were imported in local time.");
    add(plan.cancelledEvents, "cancelled event was left out.", "cancelled events were left out.");
    add(plan.unreadableEvents, "event that could not be read was left out.",
        "events that could not be read were left out.");
    return text;
}
