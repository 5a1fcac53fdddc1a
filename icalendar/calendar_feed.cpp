// The calendar file: each day's items composed from its page, and the file written only when its bytes change.
#include "icalendar/calendar_feed.h"

#include <algorithm>
#include <cstdio>

#include "dates/calendar.h"
#include "day/day_file.h"
#include "day/day_search.h"
#include "storage/file_store.h"
#include "icalendar/ical_text.h"
#include "text/numbers.h"

namespace {

constexpr size_t watchedDayCount = 8;

std::string dateText(const SystemTime& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.wYear % 10000, date.wMonth % 100, date.wDay % 100);
    return text;
}

std::string utcText(Minutes utc)
{
    SystemTime t = timeOfMinutes(utc);
    char text[24];
    std::snprintf(text, sizeof text, "%sT%02d%02d00Z", dateText(t).c_str(), t.wHour % 100, t.wMinute % 100);
    return text;
}

// A text's UID part: the same on every computer and in every build.
std::string textHash(std::string_view text)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    char hex[20];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

void appendProperty(std::string& out, std::string_view name, std::string_view value)
{
    std::string line(name);
    line += ':';
    line += value;
    appendFoldedLine(out, line);
}

void appendSummary(std::string& out, const char* text)
{
    std::string line = "SUMMARY:";
    appendEscapedText(line, text);
    appendFoldedLine(out, line);
}

const char* todoPriority(int32_t mark)
{
    return mark == markImportant ? "1" : mark == markSecondary ? "9" : "5";
}

void appendEvent(std::string& out, const DayLine& line, int slot, const SystemTime& date, ZoneRulesForYear zone,
                 const std::string& stamp)
{
    Minutes start = localToUtc(zone, minutesOf(date, 8 * 60 + 30 * slot));
    char uid[40];
    std::snprintf(uid, sizeof uid, "%s-%02d%02d@quillory", dateText(date).c_str(), 8 + slot / 2, slot % 2 * 30);
    out += "BEGIN:VEVENT\r\n";
    appendProperty(out, "UID", uid);
    appendProperty(out, "DTSTAMP", stamp);
    appendProperty(out, "DTSTART", utcText(start));
    appendProperty(out, "DTEND", utcText(start + 30));
    appendSummary(out, line.text);
    if (line.mark == markImportant) out += "PRIORITY:1\r\n";
    out += "END:VEVENT\r\n";
}

void appendTodo(std::string& out, const DayLine& line, const std::string& uid, const SystemTime& date,
                const std::string& stamp)
{
    out += "BEGIN:VTODO\r\n";
    appendProperty(out, "UID", uid);
    appendProperty(out, "DTSTAMP", stamp);
    appendProperty(out, "DUE;VALUE=DATE", dateText(date));
    appendSummary(out, line.text);
    out += line.done ? "STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\n" : "STATUS:NEEDS-ACTION\r\n";
    appendProperty(out, "PRIORITY", todoPriority(line.mark));
    out += "END:VTODO\r\n";
}

std::string todoUid(const SystemTime& date, const char* text, int repeat)
{
    std::string uid = dateText(date);
    uid += "-todo-";
    uid += textHash(text);
    if (repeat > 1) {
        uid += '-';
        uid += std::to_string(repeat);
    }
    uid += "@quillory";
    return uid;
}

// "UID:20261208-0830@quillory" was written for 8 December 2026.
bool uidDate(std::string_view line, SystemTime& date)
{
    if (line.substr(0, 4) != "UID:") return false;
    line.remove_prefix(4);
    int year, month, day;
    if (!takeDigits(line, 4, year) || !takeDigits(line, 2, month) || !takeDigits(line, 2, day)) return false;
    date = {uint16_t(year), uint16_t(month), 0, uint16_t(day)};
    return true;
}

// The days of the calendar file as found, by the date its UIDs begin with,
// each component refolded as it was written.
std::map<int, FeedDay> itemsByDay(std::string_view file)
{
    std::map<int, FeedDay> days;
    std::vector<std::string> lines = unfoldLines(file);
    for (size_t i = 0; i < lines.size(); ++i) {
        bool event = lines[i] == "BEGIN:VEVENT";
        if (!event && lines[i] != "BEGIN:VTODO") continue;
        std::string component;
        SystemTime date;
        size_t end = i;
        while (end < lines.size() && lines[end] != (event ? "END:VEVENT" : "END:VTODO")) {
            appendFoldedLine(component, lines[end]);
            uidDate(lines[end], date);
            ++end;
        }
        if (end == lines.size()) break;
        appendFoldedLine(component, lines[end]);
        i = end;
        if (!isValidDate(date)) continue;
        FeedDay& day = days[dateKey(date)];
        (event ? day.events : day.todos) += component;
    }
    return days;
}

// Reads a day's file into its items; a file that cannot be read leaves them
// as they were, and is tried again at every look. Nothing waits for a file
// another program holds: the window would wait with it.
enum class DayRead { same, changed, unreadable };

DayRead readFeedDay(CalendarFeed& feed, const SystemTime& date, const FileStamp& stamp)
{
    DayPage page;
    std::string path = dayFilePath(date);
    if (!canReadNow(path.c_str()) || readDayPage(date, page) == ReadResult::unreadable) {
        if (std::none_of(feed.unreadable.begin(), feed.unreadable.end(),
                         [&](const SystemTime& d) { return isSameDay(d, date); }))
            feed.unreadable.push_back(date);
        return DayRead::unreadable;
    }
    std::erase_if(feed.unreadable, [&](const SystemTime& d) { return isSameDay(d, date); });
    FeedDay fresh;
    fresh.stamp = stamp;
    composeDayItems(page, date, feed.zone, fresh);
    FeedDay& day = feed.days[dateKey(date)];
    bool changed = fresh.events != day.events || fresh.todos != day.todos;
    day = std::move(fresh);
    return changed ? DayRead::changed : DayRead::same;
}


int firstCoveredDay(const CalendarFeed& feed)
{
    SystemTime first = feed.today;
    stepDate(first, -pastDaysInCalendar);
    return dateKey(first);
}

}  // namespace

void composeDayItems(const DayPage& page, const SystemTime& date, ZoneRulesForYear zone, FeedDay& day)
{
    day.events.clear();
    day.todos.clear();
    const std::string stamp = utcText(localToUtc(zone, minutesOf(date)));
    for (int slot = 0; slot < scheduleLineCount; ++slot)
        if (page.lines[slot].text[0] != '\0') appendEvent(day.events, page.lines[slot], slot, date, zone, stamp);
    std::map<std::string_view, int> seen;
    for (int n = firstTodoLine; n < firstNoteLine; ++n) {
        const DayLine& line = page.lines[n];
        if (line.text[0] == '\0') continue;
        appendTodo(day.todos, line, todoUid(date, line.text, ++seen[line.text]), date, stamp);
    }
}

std::string composeCalendar(const CalendarFeed& feed)
{
    std::string out;
    // Room for the whole file at once: appended piece by piece it would be copied many times over.
    size_t size = 200;
    for (const auto& [key, day] : feed.days) size += day.events.size() + day.todos.size();
    out.reserve(size);
    out += "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    appendProperty(out, "PRODID", "-//Brenhollow//Quillory " + feed.version + "//EN");
    out += "CALSCALE:GREGORIAN\r\nX-WR-CALNAME:Quillory\r\n";
    const int today = dateKey(feed.today);
    for (auto day = feed.days.lower_bound(firstCoveredDay(feed)); day != feed.days.end(); ++day) {
        out += day->second.events;
        if (day->first >= today) out += day->second.todos;
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

void planFeed(CalendarFeed& feed, const SystemTime& today, const std::vector<FolderFile>& dataFiles,
              std::string calendarFile, bool calendarFileFound)
{
    feed.today = today;
    feed.days.clear();
    feed.toRead.clear();
    feed.unreadable.clear();
    feed.asFound.clear();
    feed.asFoundTaken = false;
    feed.written = calendarFileFound ? std::make_shared<const std::string>(std::move(calendarFile)) : nullptr;
    const int first = firstCoveredDay(feed);
    for (const FolderFile& file : dataFiles) {
        SystemTime date;
        if (dayFileDate(file.name, date) && dateKey(date) >= first) feed.toRead.push_back(date);
    }
    std::sort(feed.toRead.begin(), feed.toRead.end(),
              [](const SystemTime& a, const SystemTime& b) { return dateKey(a) > dateKey(b); });
}

bool readNextFeedDay(CalendarFeed& feed)
{
    if (feed.toRead.empty()) return false;
    SystemTime date = feed.toRead.back();
    feed.toRead.pop_back();
    if (readFeedDay(feed, date, fileStamp(dayFilePath(date).c_str())) == DayRead::unreadable) {
        // Nothing is written before every day is read: the file is still as found.
        if (!feed.asFoundTaken && feed.written) feed.asFound = itemsByDay(*feed.written);
        feed.asFoundTaken = true;
        auto found = feed.asFound.find(dateKey(date));
        if (found != feed.asFound.end()) feed.days[dateKey(date)] = found->second;
    }
    return true;
}

bool refreshFeedDay(CalendarFeed& feed, const SystemTime& date)
{
    if (!isFeedRead(feed) || dateKey(date) < firstCoveredDay(feed)) return false;
    FileStamp now = fileStamp(dayFilePath(date).c_str());
    auto day = feed.days.find(dateKey(date));
    if (day == feed.days.end() ? !now.exists : day->second.stamp == now) return false;
    if (now.exists) return readFeedDay(feed, date, now) == DayRead::changed;
    bool hadItems = !day->second.events.empty() || !day->second.todos.empty();
    feed.days.erase(day);
    std::erase_if(feed.unreadable, [&](const SystemTime& d) { return isSameDay(d, date); });
    return hadItems;
}

void watchFeedDay(CalendarFeed& feed, const SystemTime& date)
{
    auto same = [&](const SystemTime& d) { return isSameDay(d, date); };
    auto found = std::find_if(feed.watched.begin(), feed.watched.end(), same);
    if (found == feed.watched.begin() && found != feed.watched.end()) return;
    if (found != feed.watched.end()) feed.watched.erase(found);
    feed.watched.insert(feed.watched.begin(), date);
    if (feed.watched.size() > watchedDayCount) feed.watched.pop_back();
}

bool refreshWatchedDays(CalendarFeed& feed)
{
    bool changed = false;
    const int first = firstCoveredDay(feed);
    std::vector<SystemTime> days = feed.watched;
    days.insert(days.end(), feed.unreadable.begin(), feed.unreadable.end());
    for (const SystemTime& date : days)
        if (dateKey(date) >= first) changed = refreshFeedDay(feed, date) || changed;
    return changed;
}

std::shared_ptr<const std::string> takeCalendarChange(CalendarFeed& feed)
{
    auto bytes = std::make_shared<const std::string>(composeCalendar(feed));
    if (feed.written && *bytes == *feed.written) return nullptr;
    return feed.written = bytes;
}

FeedWrite writeCalendarFile(CalendarFeed& feed)
{
    auto bytes = takeCalendarChange(feed);
    if (!bytes) return FeedWrite::unchanged;
    if (writeFileAtomically(calendarFilePath, bytes->data(), bytes->size())) return FeedWrite::written;
    feed.written = nullptr;
    return FeedWrite::failed;
}
