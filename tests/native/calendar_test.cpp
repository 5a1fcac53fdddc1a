// The calendar file: iCalendar's text rules, local times in UTC, and the file composed from the days.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

#include "icalendar/calendar_feed.h"
#include "icalendar/ical_text.h"
#include "icalendar/time_zone.h"
#include "dates/calendar.h"
#include "day/day_file.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/zones.h"

namespace {

std::string folded(const std::string& line)
{
    std::string out;
    appendFoldedLine(out, line);
    return out;
}

TEST(IcalText, FoldsAt75OctetsNeverInsideACharacter)
{
    const std::string a74(74, 'a');
    const struct {
        std::string line;
        std::string expected;
    } cases[] = {
        {std::string(75, 'a'), std::string(75, 'a') + "\r\n"},
        {std::string(76, 'a'), std::string(75, 'a') + "\r\n a\r\n"},
        {a74 + "\xc3\xa9", a74 + "\r\n \xc3\xa9\r\n"},                  // é would end at octet 76
        {a74 + "a\xc3\xa9", a74 + "a\r\n \xc3\xa9\r\n"},
        {a74 + "\xe6\x97\xa5", a74 + "\r\n \xe6\x97\xa5\r\n"},          // 日
        {std::string(73, 'a') + "\xe6\x97\xa5", std::string(73, 'a') + "\r\n \xe6\x97\xa5\r\n"},
        {std::string(72, 'a') + "\xe6\x97\xa5", std::string(72, 'a') + "\xe6\x97\xa5\r\n"},
        {std::string(72, 'a') + "\xf0\x9f\x98\x80", std::string(72, 'a') + "\r\n \xf0\x9f\x98\x80\r\n"},
        // A continuation holds 74 octets after its space.
        {std::string(75 + 74 + 1, 'b'), std::string(75, 'b') + "\r\n " + std::string(74, 'b') + "\r\n b\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folded(c.line), c.expected) << c.line.size() << " octets";
        std::string joined;
        for (const std::string& line : unfoldLines(c.expected)) joined += line;
        EXPECT_EQ(joined, c.line);
    }
}

TEST(IcalText, EscapesAndUnescapes)
{
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"Call plumber", "Call plumber"},
        {"a\\b;c,d", "a\\\\b\\;c\\,d"},
        {"two\nlines", "two\\nlines"},
        {"cr\r\nlf", "cr\\nlf"},
        {"tab\there", "tab here"},
        {"\xc5\x81\xc3\xb3" "d\xc5\xba: 10:00", "\xc5\x81\xc3\xb3" "d\xc5\xba: 10:00"},
    };
    for (const auto& c : cases) {
        std::string out;
        appendEscapedText(out, c.text);
        EXPECT_EQ(out, c.escaped);
    }
    EXPECT_EQ(unescapeText("a\\\\b\\;c\\,d\\nE\\Nf\\x"), "a\\b;c,d\nE\nf\\x");
}

TEST(IcalText, ContentLinesWithParameters)
{
    ContentLine line;
    ASSERT_TRUE(parseContentLine("dtstart;TZID=\"W. Europe Standard Time\";value=DATE-TIME:20261208T090000", line));
    EXPECT_EQ(line.name, "DTSTART");
    EXPECT_EQ(parameterValue(line, "TZID"), "W. Europe Standard Time");
    EXPECT_EQ(parameterValue(line, "VALUE"), "DATE-TIME");
    EXPECT_EQ(line.value, "20261208T090000");
    ASSERT_TRUE(parseContentLine("ATTENDEE;MEMBER=\"mailto:a@x\",\"mailto:b@x\":mailto:c@x", line));
    EXPECT_EQ(parameterValue(line, "MEMBER"), "mailto:a@x,mailto:b@x");
    EXPECT_EQ(line.value, "mailto:c@x");
    for (const char* bad : {"", ":value", "NOCOLON", "X;P=\"open:value", "X;NOEQUALS:v"})
        EXPECT_FALSE(parseContentLine(bad, line)) << bad;
}

TEST(TimeZone, LocalTimesAcrossBothChangesNorthAndSouth)
{
    const struct {
        ZoneRulesForYear rules;
        SystemTime day;
        int minute;
        SystemTime utcDay;
        int utcMinute;
    } cases[] = {
        {berlinRules, date(2026, 3, 28), 8 * 60, date(2026, 3, 28), 7 * 60},
        {berlinRules, date(2026, 3, 29), 8 * 60, date(2026, 3, 29), 6 * 60},
        {berlinRules, date(2026, 3, 29), 2 * 60 + 30, date(2026, 3, 29), 30},  // skipped: daylight
        {berlinRules, date(2026, 10, 24), 18 * 60 + 30, date(2026, 10, 24), 16 * 60 + 30},
        {berlinRules, date(2026, 10, 25), 2 * 60 + 30, date(2026, 10, 25), 30},  // repeated: the first
        {berlinRules, date(2026, 10, 25), 8 * 60, date(2026, 10, 25), 7 * 60},
        {berlinRules, date(2027, 1, 1), 0, date(2026, 12, 31), 23 * 60},
        {sydneyRules, date(2026, 4, 4), 8 * 60, date(2026, 4, 3), 21 * 60},
        {sydneyRules, date(2026, 4, 5), 8 * 60, date(2026, 4, 4), 22 * 60},
        {sydneyRules, date(2026, 10, 3), 8 * 60, date(2026, 10, 2), 22 * 60},
        {sydneyRules, date(2026, 10, 4), 8 * 60, date(2026, 10, 3), 21 * 60},
        {sydneyRules, date(2026, 12, 31), 18 * 60 + 30, date(2026, 12, 31), 7 * 60 + 30},
        {utcRules, date(2028, 2, 29), 9 * 60, date(2028, 2, 29), 9 * 60},
    };
    for (const auto& c : cases) {
        Minutes local = minutesOf(c.day, c.minute);
        Minutes utc = localToUtc(c.rules, local);
        EXPECT_EQ(utc, minutesOf(c.utcDay, c.utcMinute)) << c.day.wYear << "-" << c.day.wMonth << "-" << c.day.wDay
                                                         << " " << c.minute;
        if (c.minute != 2 * 60 + 30) {
            EXPECT_EQ(utcToLocal(c.rules, utc), local);
        }
    }
}

}  // namespace

namespace {

DayPage pageOf(std::initializer_list<std::tuple<int, const char*, int32_t, int32_t>> lines)
{
    DayPage page;
    for (auto [n, text, done, mark] : lines) {
        setLineText(page.lines[n], text);
        page.lines[n].done = done;
        page.lines[n].mark = mark;
    }
    return page;
}

CalendarFeed feedOf(ZoneRulesForYear zone, const SystemTime& today,
                    std::initializer_list<std::pair<SystemTime, DayPage>> days)
{
    CalendarFeed feed;
    feed.zone = zone;
    feed.version = "1.1";
    feed.today = today;
    for (const auto& [date, page] : days) composeDayItems(page, date, zone, feed.days[dateKey(date)]);
    return feed;
}

TEST(CalendarFeed, FileBytes)
{
    DayPage page = pageOf({{1, "Dentist, Dr. Wei\xc3\x9f; bring card", 0, markImportant},
                           {firstTodoLine, "Call plumber", 1, markPrimary},
                           {firstTodoLine + 1, "Pay rent", 0, markSecondary},
                           {firstTodoLine + 2, "Call plumber", 0, markImportant},
                           {firstNoteLine, "Notes are not items", 0, markPrimary}});
    DayPage yesterday = pageOf({{21, "Late", 0, markPrimary}, {firstTodoLine, "Gone: before today", 0, markPrimary}});
    CalendarFeed feed = feedOf(berlinRules, date(2026, 12, 8), {{date(2026, 12, 8), page}, {date(2026, 12, 7), yesterday}});
    EXPECT_EQ(composeCalendar(feed),
              "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brenhollow//Quillory 1.1//EN\r\n"
              "CALSCALE:GREGORIAN\r\nX-WR-CALNAME:Quillory\r\n"
              "BEGIN:VEVENT\r\nUID:20261207-1830@quillory\r\nDTSTAMP:20261206T230000Z\r\n"
              "DTSTART:20261207T173000Z\r\nDTEND:20261207T180000Z\r\nSUMMARY:Late\r\nEND:VEVENT\r\n"
              "BEGIN:VEVENT\r\nUID:20261208-0830@quillory\r\nDTSTAMP:20261207T230000Z\r\n"
              "DTSTART:20261208T073000Z\r\nDTEND:20261208T080000Z\r\n"
              "SUMMARY:Dentist\\, Dr. Wei\xc3\x9f\\; bring card\r\nPRIORITY:1\r\nEND:VEVENT\r\n"
              "BEGIN:VTODO\r\nUID:20261208-todo-8320585d92032be2@quillory\r\nDTSTAMP:20261207T230000Z\r\n"
              "DUE;VALUE=DATE:20261208\r\nSUMMARY:Call plumber\r\nSTATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\n"
              "PRIORITY:5\r\nEND:VTODO\r\n"
              "BEGIN:VTODO\r\nUID:20261208-todo-c005d228f5e41b58@quillory\r\nDTSTAMP:20261207T230000Z\r\n"
              "DUE;VALUE=DATE:20261208\r\nSUMMARY:Pay rent\r\nSTATUS:NEEDS-ACTION\r\nPRIORITY:9\r\nEND:VTODO\r\n"
              "BEGIN:VTODO\r\nUID:20261208-todo-8320585d92032be2-2@quillory\r\nDTSTAMP:20261207T230000Z\r\n"
              "DUE;VALUE=DATE:20261208\r\nSUMMARY:Call plumber\r\nSTATUS:NEEDS-ACTION\r\nPRIORITY:1\r\nEND:VTODO\r\n"
              "END:VCALENDAR\r\n");
    // Ninety days back the events stop.
    feed.today = date(2027, 3, 8);
    EXPECT_NE(composeCalendar(feed).find("20261208-0830"), std::string::npos);
    feed.today = date(2027, 3, 9);
    EXPECT_EQ(composeCalendar(feed).find("BEGIN:VEVENT"), std::string::npos);
}

std::vector<std::string> uids(const FeedDay& day)
{
    std::vector<std::string> found;
    for (const std::string& line : unfoldLines(day.events + day.todos))
        if (line.rfind("UID:", 0) == 0) found.push_back(line.substr(4));
    return found;
}

TEST(CalendarFeed, UidsFollowTheSlotOrTheText)
{
    FeedDay before, after;
    composeDayItems(pageOf({{0, "Standup", 0, 1}, {firstTodoLine, "A", 0, 1}, {firstTodoLine + 1, "B", 0, 1}}),
                    date(2026, 12, 8), utcRules, before);
    // The event edited and the to-dos swapped and repeated.
    composeDayItems(pageOf({{0, "Standup moved to Zoom", 0, 0}, {firstTodoLine, "B", 0, 1}, {firstTodoLine + 1, "A", 1, 1},
                            {firstTodoLine + 5, "A", 0, 1}}),
                    date(2026, 12, 8), utcRules, after);
    std::vector<std::string> was = uids(before), is = uids(after);
    ASSERT_EQ(was.size(), 3u);
    ASSERT_EQ(is.size(), 4u);
    EXPECT_EQ(is[0], was[0]);
    EXPECT_EQ(is[1], was[2]);
    EXPECT_EQ(is[2], was[1]);
    EXPECT_NE(is[3], is[2]);
}

std::string runPython(const std::string& script, const std::string& argument)
{
    std::string output = argument + ".out";
    std::string command = "/usr/bin/python3 " QUILLORY_SOURCE_DIR "/tests/native/" + script + " '" + argument + "' > '" +
                          output + "' 2>&1";
    int status = std::system(command.c_str());
    std::string printed = readBytes(output);
    EXPECT_EQ(status, 0) << command << " failed (scripts/install-deps.sh installs python3-icalendar):\n" << printed;
    return printed;
}

// python-icalendar reads back every item, in several scripts and with every
// character that must be escaped, folded wherever the octets fall.
TEST(CalendarFeed, ARealParserReadsItBack)
{
    ScratchFolder folder;
    const std::string greek = "\xce\x94\xce\xb9\xce\xb1\xcf\x87\xce\xb5\xce\xaf\xcf\x81\xce\xb9\xcf\x83\xce\xb7 ";
    const std::string japanese = "\xe4\xbc\x9a\xe8\xad\xb0\xe5\xae\xa4 ";
    const std::string emoji = "\xf0\x9f\x98\x80";
    std::string longText;
    while (longText.size() < 500) longText += greek + japanese + emoji + " ";
    DayPage page = pageOf({{0, "a\\b;c,d \"quoted\" \xc5\x81\xc3\xb3" "d\xc5\xba", 0, markImportant},
                           {13, longText.c_str(), 0, markPrimary},
                           {firstTodoLine, "Zahlen: 1,5 \xe2\x82\xac", 1, markSecondary},
                           {firstTodoLine + 3, (japanese + emoji).c_str(), 0, markPrimary}});
    CalendarFeed feed = feedOf(sydneyRules, date(2026, 4, 4), {{date(2026, 4, 4), page}, {date(2026, 4, 5), page}});
    writeBytes("Quillory.ics", composeCalendar(feed));
    std::string expected = "Quillory 2.0\n";
    for (const char* day : {"20260403T2100+0000", "20260404T2200+0000"})
        expected += std::string("E ") + day + " 30 1 " + page.lines[0].text + "\n";
    for (const char* day : {"20260404T0330+0000", "20260405T0430+0000"})
        expected += std::string("E ") + day + " 30 - " + page.lines[13].text + "\n";
    for (const char* day : {"20260404", "20260405"})
        expected += std::string("T ") + day + " COMPLETED 100 9 " + page.lines[firstTodoLine].text + "\nT " + day +
                    " NEEDS-ACTION - 5 " + japanese + emoji + "\n";
    std::string printed = runPython("read_calendar.py", (folder.path() / "Quillory.ics").string());
    // The parser gives the items as the file orders them: each day's events, then its to-dos.
    auto sorted = [](const std::string& text) {
        std::vector<std::string> lines;
        for (size_t start = 0, end; start < text.size(); start = end + 1)
            lines.push_back(text.substr(start, (end = text.find('\n', start)) - start));
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    EXPECT_EQ(sorted(printed), sorted(expected)) << printed;
}

}  // namespace

namespace {

CalendarFeed plannedFeed(const SystemTime& today)
{
    CalendarFeed feed;
    feed.zone = utcRules;
    feed.version = "1.1";
    std::string found = readBytes("Quillory.ics");
    planFeed(feed, today, listFolder(".\\Data"), found, !found.empty());
    while (readNextFeedDay(feed)) {
    }
    return feed;
}

TEST(CalendarFeed, KeptInStepWithTheDayFiles)
{
    ScratchFolder folder;
    const SystemTime today = date(2026, 12, 8);
    ASSERT_EQ(saveDayPage(pageOf({{0, "Long ago", 0, 1}}), date(2026, 9, 8)), SaveResult::written);
    ASSERT_EQ(saveDayPage(pageOf({{0, "In range", 0, 1}}), date(2026, 9, 9)), SaveResult::written);
    ASSERT_EQ(saveDayPage(pageOf({{firstTodoLine, "Held", 0, 1}}), date(2026, 12, 9)), SaveResult::written);
    CalendarFeed feed = plannedFeed(today);
    ASSERT_EQ(writeCalendarFile(feed), FeedWrite::written);
    const std::string first = readBytes("Quillory.ics");
    EXPECT_EQ(first.find("Long ago"), std::string::npos);
    EXPECT_NE(first.find("In range"), std::string::npos);

    // The same days give the same bytes, and the file is not written again.
    CalendarFeed again = plannedFeed(today);
    EXPECT_EQ(writeCalendarFile(again), FeedWrite::unchanged);

    // A day whose file cannot be read keeps what the calendar file held for it.
    std::filesystem::remove("Data/2026_12_09.ini");
    std::filesystem::create_directory("Data/2026_12_09.ini");
    CalendarFeed held;
    held.zone = utcRules;
    held.version = "1.1";
    planFeed(held, today, {{"2026_09_09.ini"}, {"2026_12_09.ini"}}, first, true);
    while (readNextFeedDay(held)) {
    }
    EXPECT_EQ(composeCalendar(held), first);
    EXPECT_FALSE(refreshWatchedDays(held));

    // A watched day changed is read again at the next look; so is one that could not be read.
    watchFeedDay(feed, date(2026, 9, 9));
    ASSERT_EQ(saveDayPage(pageOf({{0, "Moved to 9:30", 0, 1}}), date(2026, 9, 9)), SaveResult::written);
    EXPECT_TRUE(refreshWatchedDays(feed));
    EXPECT_FALSE(refreshWatchedDays(feed));
    std::filesystem::remove("Data/2026_12_09.ini");
    ASSERT_EQ(saveDayPage(pageOf({{firstTodoLine, "Let go", 0, 1}}), date(2026, 12, 9)), SaveResult::written);
    EXPECT_TRUE(refreshWatchedDays(held));
    EXPECT_EQ(writeCalendarFile(feed), FeedWrite::written);
    EXPECT_NE(readBytes("Quillory.ics").find("Moved to 9:30"), std::string::npos);
}

}  // namespace
