// An import's events turned into lines of their days, the lines placed on pages, and the summary of it all.
#include "icalendar/import_plan.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "dates/calendar.h"
#include "icalendar/ical_values.h"

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

std::string stampText(Minutes time)
{
    SystemTime t = timeOfMinutes(time);
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", t.wYear % 10000, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return text;
}

EventVersion versionOf(const CalendarEvent& event)
{
    return {event.sequence, event.stamp, event.recurrenceId.form != TimeForm::none};
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

    // The name of an occurrence starting then: UTC where the zone is known.
    std::string keyOf(Minutes time, bool wholeDay) const
    {
        if (wholeDay) return stampText(time).substr(0, 8);
        if (form == TimeForm::zoned && zone) return stampText(zone->toUtc(time)) + 'Z';
        return stampText(time) + (form == TimeForm::utc ? "Z" : "");
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
        bool cancelsAll = file_.method == "CANCEL";
        if (!cancelsAll) noteReplacedOccurrences();
        for (const CalendarEvent& event : file_.events) {
            if (event.cancelled || cancelsAll) cancel(event);
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

    std::string keyOf(const IcalTime& time, const Clock& eventClock)
    {
        return clockOf(time, &eventClock).keyOf(time.minutes, time.form == TimeForm::date);
    }

    void cancel(const CalendarEvent& event)
    {
        ++plan_.cancelledEvents;
        std::string key;
        if (event.recurrenceId.form != TimeForm::none) key = keyOf(event.recurrenceId, clockOf(event.start));
        plan_.cancellations.push_back({event.uid, key, event.thisAndFuture, versionOf(event)});
    }

    // A changed occurrence and, with RANGE=THISANDFUTURE, every later one.
    struct Change {
        Minutes from;  // the first start it replaces, on the pages' clock
        const CalendarEvent* event;
        Minutes shift = 0;  // of the later starts
    };

    void noteReplacedOccurrences()
    {
        for (const CalendarEvent& event : file_.events) {
            if (event.recurrenceId.form == TimeForm::none) {
                if (event.repeats || !event.extraDates.empty()) repeatingUids_.insert(event.uid);
                if (!event.cancelled) plan_.series[event.uid] = versionOf(event);
                continue;
            }
            Clock own = clockOf(event.start);
            Minutes from = clockOf(event.recurrenceId, &own).toLocal(event.recurrenceId.minutes);
            replaced_[event.uid].insert(from);
            if (event.thisAndFuture) laterChanged_[event.uid].push_back({from, &event, own.toLocal(event.start.minutes) - from});
        }
        for (auto& [uid, changes] : laterChanged_)
            std::sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.from < b.from; });
        unknownZone_ = false;
    }

    // The change of every later occurrence that reaches a start, if any.
    const Change* laterChangeOf(const std::string& uid, Minutes localStart) const
    {
        auto found = laterChanged_.find(uid);
        if (found == laterChanged_.end()) return nullptr;
        const Change* last = nullptr;
        for (const Change& change : found->second)
            if (change.from < localStart) last = &change;
        return last;
    }

    bool isReplaced(const std::string& uid, Minutes localStart) const
    {
        auto found = replaced_.find(uid);
        return found != replaced_.end() && found->second.count(localStart) != 0;
    }

    bool inWindow(Minutes localStart) const { return localStart >= windowFirst_ && localStart <= windowLast_; }

    struct Start {
        Minutes local;
        std::string key;
        int leftOut = 0;  // starts within the same half hour
        bool operator<(const Start& other) const { return local < other.local; }
        bool operator==(const Start& other) const { return local == other.local; }
    };

    // The starts of a repeating event in the window, on the pages' clock.
    std::vector<Start> repeatedStarts(const CalendarEvent& event, const Clock& clock)
    {
        std::vector<Start> starts;
        bool wholeDays = event.start.form == TimeForm::date;
        if (event.repeats) {
            RepeatRule rule = event.rule;
            if (rule.untilInUtc) rule.until = clock.fromUtc(rule.until);
            // The window on the event's own clock, wide enough for any zone's offset. The schedule has a line a
            // half hour: a rule repeating more often gives one start a half hour, the rest counted.
            RepeatStarts repeats = expandRepeats(rule, event.start.minutes * 60, (windowFirst_ - 2 * minutesPerDay) * 60,
                                                 (windowLast_ + 2 * minutesPerDay) * 60 + 59, slotMinutes * 60);
            for (size_t i = 0; i < repeats.starts.size(); ++i) {
                Minutes start = floorDivide(repeats.starts[i], 60);
                starts.push_back({clock.toLocal(start), clock.keyOf(start, wholeDays), int(repeats.leftOut[i])});
            }
        } else {
            starts.push_back({clock.toLocal(event.start.minutes), clock.keyOf(event.start.minutes, wholeDays)});
        }
        for (const IcalTime& extra : event.extraDates)
            starts.push_back({clockOf(extra, &clock).toLocal(extra.minutes), keyOf(extra, clock)});
        std::set<Minutes> excluded, excludedDays;
        for (const IcalTime& exception : event.exceptionDates) {
            Minutes local = clockOf(exception, &clock).toLocal(exception.minutes);
            if (exception.form == TimeForm::date) excludedDays.insert(dayOf(local));
            else excluded.insert(local);
        }
        std::sort(starts.begin(), starts.end());
        starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
        std::erase_if(starts, [&](const Start& start) {
            return !inWindow(start.local) || excluded.count(start.local) || excludedDays.count(dayOf(start.local)) ||
                   isReplaced(event.uid, start.local);
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

    // What an event puts on each occurrence: its length, its title and the revision it is.
    struct Shape {
        Minutes length;
        bool wholeDays;
        std::string title;
        EventVersion version;
    };

    Shape shapeOf(const CalendarEvent& event)
    {
        Clock clock = clockOf(event.start);
        return {lengthOf(event, clock, clock.toLocal(event.start.minutes)), event.start.form == TimeForm::date,
                titleOf(event), versionOf(event)};
    }

    void planEvent(const CalendarEvent& event)
    {
        unknownZone_ = false;
        Clock clock = clockOf(event.start);
        Minutes localStart = clock.toLocal(event.start.minutes);
        Shape own = shapeOf(event);
        std::vector<Start> starts;
        bool isOverride = event.recurrenceId.form != TimeForm::none;
        bool repeats = event.repeats || !event.extraDates.empty();
        if (repeats && !isOverride) starts = repeatedStarts(event, clock);
        else if (!isOverride || !repeatingUids_.count(event.uid) || inWindow(localStart))
            starts.push_back({localStart, isOverride ? keyOf(event.recurrenceId, clock)
                                                     : clock.keyOf(event.start.minutes, own.wholeDays)});
        else return;
        bool anyPlanned = false;
        for (const Start& start : starts) {
            plan_.tooFrequent += start.leftOut;
            // An occurrence after a change of it and every later one takes that change.
            const Change* change = isOverride ? nullptr : laterChangeOf(event.uid, start.local);
            if (change && change->event->cancelled) continue;
            Shape changed = change ? shapeOf(*change->event) : Shape{};
            const Shape& shape = change ? changed : own;
            anyPlanned |= addOccurrence({event.uid, start.key, shape.version}, start.local + (change ? change->shift : 0),
                                        shape);
        }
        if (isOverride && event.thisAndFuture && !plan_.series.count(event.uid)) anyPlanned |= planPlacedBefore(event, own);
        if (!starts.empty() && !anyPlanned) ++plan_.unreadableEvents;  // all beyond the calendar's years
        if (anyPlanned && unknownZone_) ++plan_.unknownZoneEvents;
    }

    // A change of one occurrence and every later one, sent without its series,
    // reaches the later occurrences put on the pages before.
    bool planPlacedBefore(const CalendarEvent& event, const Shape& shape)
    {
        if (!settings_.placedBefore) return false;
        auto placed = settings_.placedBefore->find(event.uid);
        if (placed == settings_.placedBefore->end()) return false;
        Clock clock = clockOf(event.start);
        Minutes from = clockOf(event.recurrenceId, &clock).toLocal(event.recurrenceId.minutes);
        Minutes shift = clock.toLocal(event.start.minutes) - from;
        bool anyPlanned = false;
        for (const std::string& key : placed->second) {
            Minutes local;
            if (localStartOfKey(key, settings_.userZone, local) && local > from && local >= windowFirst_)
                anyPlanned |= addOccurrence({event.uid, key, shape.version}, local + shift, shape);
        }
        return anyPlanned;
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

    bool addOccurrence(PlannedOccurrence named, Minutes start, const Shape& shape)
    {
        int occurrence = int(plan_.occurrences.size());
        plan_.occurrences.push_back(std::move(named));
        SystemTime date = timeOfMinutes(start);
        if (!isValidDate(date)) return false;
        const std::string& title = shape.title;
        Minutes length = shape.length;
        if (shape.wholeDays) {
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
    bool unknownZone_ = false;
    std::set<std::string> repeatingUids_;
    std::map<std::string, std::set<Minutes>> replaced_;  // by UID, the local starts overridden
    std::map<std::string, std::vector<Change>> laterChanged_;  // by UID, in order of their first start
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
int lineHolding(const DayPage& page, const ImportedItem& item)
{
    if (item.scheduleLine >= 0 && holds(page.lines[item.scheduleLine], item.text)) return item.scheduleLine;
    for (int i = 0; i < dayLineCount; ++i)
        if (holds(page.lines[i], item.timedText)) return i;
    return -1;
}

// A line the user moved (sorting, Move up) is found by its text.
TakeOff takeOff(DayPage& page, const LineToTakeOff& old)
{
    int line = old.line;
    if (line < 0 || line >= dayLineCount || !holds(page.lines[line], old.text) || page.lines[line].done) {
        auto same = std::find_if(std::begin(page.lines), std::end(page.lines),
                                 [&](const DayLine& l) { return holds(l, old.text) && !l.done; });
        if (same == std::end(page.lines)) {
            bool stays = line >= 0 && line < dayLineCount && !isBlankLine(page.lines[line]);
            return stays ? TakeOff::leftChanged : TakeOff::gone;
        }
        line = int(same - std::begin(page.lines));
    }
    page.lines[line] = DayLine{};
    return TakeOff::taken;
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

int compareVersions(const EventVersion& a, const EventVersion& b)
{
    if (a.sequence != b.sequence) return a.sequence < b.sequence ? -1 : 1;
    if (int stamps = a.stamp.compare(b.stamp)) return stamps;
    return int(a.replaces) - int(b.replaces);
}

bool localStartOfKey(const std::string& key, ZoneRulesForYear userZone, Minutes& local)
{
    DateTimeValue value;
    if (!parseDateTime(key, value)) return false;
    local = value.isUtc ? utcToLocal(userZone, value.minutes) : value.minutes;
    return true;
}

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
    placement.lines.assign(items.size(), -1);
    for (int i = 0; i < int(items.size()); ++i) {
        const ImportedItem& item = items[i];
        if ((placement.lines[i] = lineHolding(page, item)) >= 0) {
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
        placement.lines[i] = line;
    }
    return placement;
}

DayPlacement changePage(DayPage& page, const DayImport& day)
{
    std::vector<TakeOff> taken;
    for (const LineToTakeOff& old : day.takeOff) taken.push_back(takeOff(page, old));
    DayPlacement placement = placeOnPage(page, day.items);
    placement.takenOff = std::move(taken);
    return placement;
}

DayPlacement nothingPlaced(const DayImport& day)
{
    DayPlacement placement;
    for (size_t i = 0; i < day.items.size(); ++i) placement.unplaced.push_back(int(i));
    placement.lines.assign(day.items.size(), -1);
    placement.takenOff.assign(day.takeOff.size(), TakeOff::failed);
    return placement;
}

void tallyDay(ImportTally& tally, const DayImport& day, const DayPlacement& placement)
{
    bool fresh = false;
    for (int i = 0; i < int(placement.lines.size()); ++i) {
        int occurrence = day.items[i].occurrence;
        if (placement.lines[i] < 0) continue;
        if (tally.replacing.count(occurrence)) {
            tally.moved.insert(occurrence);
        } else if (std::count(placement.placed.begin(), placement.placed.end(), i)) {
            tally.events.insert(occurrence);
            fresh = true;
        } else {
            ++tally.alreadyThere;
        }
    }
    if (fresh) ++tally.days;
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
    auto add = [&](int n, const char* one, const char* many) {
        if (n > 0) line(counted(size_t(n), one, many));
    };
    add(int(tally.moved.size()), "event moved.", "events moved.");
    add(tally.takenOff, "cancelled event was taken off its day.", "cancelled events were taken off their days.");
    add(tally.leftChanged, "line you changed was left as it is.", "lines you changed were left as they are.");
    add(tally.older, "event was older than the one on your page.", "events were older than the ones on your page.");
    size_t unplaced = tally.unplaced.size();
    if (unplaced > 0) {
        line(counted(unplaced, "event", "events"));
        text += " found no free line:";
        for (size_t i = 0; i < std::min(unplaced, unplacedListed); ++i) line(tally.unplaced[i]);
        if (unplaced > unplacedListed) line("and " + std::to_string(unplaced - unplacedListed).append(" more"));
    }
    add(tally.alreadyThere, "event was already on its day.", "events were already on their days.");
    add(plan.unknownZoneEvents, "event in an unknown time zone was imported in local time.",
        "events in an unknown time zone were imported in local time.");
    add(plan.cancelledEvents - tally.cancellationsFound, "cancelled event was left out.", "cancelled events were left out.");
    add(plan.tooFrequent, "occurrence that repeats more often than every half hour was left out.",
        "occurrences that repeat more often than every half hour were left out.");
    add(plan.unreadableEvents, "event that could not be read was left out.",
        "events that could not be read were left out.");
    return text;
}
