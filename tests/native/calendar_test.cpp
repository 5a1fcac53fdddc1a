// The calendar file: iCalendar's text rules, local times in UTC, and the file composed from the days.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "icalendar/calendar_feed.h"
#include "icalendar/ical_text.h"
#include "icalendar/time_zone.h"
#include "dates/calendar.h"
#include "day/day_file.h"
#include "tests/common/dates.h"
#include "tests/common/saved_files.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/zones.h"

namespace {

// Folded at 75 octets, a continuation holding 74 after its space, never inside a character; unfolded back.
TEST(IcalText, FoldsAt75OctetsNeverInsideACharacter)
{
    const std::string a72(72, 'a'), a74(74, 'a'), ja = "\xe6\x97\xa5";
    const struct { std::string line, expected; } cases[] = {
        {a74 + "a", a74 + "a\r\n"}, {a74 + "aa", a74 + "a\r\n a\r\n"}, {a74 + "\xc3\xa9", a74 + "\r\n \xc3\xa9\r\n"},
        {a74 + "a\xc3\xa9", a74 + "a\r\n \xc3\xa9\r\n"}, {a74 + ja, a74 + "\r\n " + ja + "\r\n"},
        {a72 + "a" + ja, a72 + "a\r\n " + ja + "\r\n"}, {a72 + ja, a72 + ja + "\r\n"},
        {a72 + "\xf0\x9f\x98\x80", a72 + "\r\n \xf0\x9f\x98\x80\r\n"},
        {std::string(150, 'b'), std::string(75, 'b') + "\r\n " + std::string(74, 'b') + "\r\n b\r\n"},
    };
    for (const auto& c : cases) {
        std::string folded, joined;
        appendFoldedLine(folded, c.line);
        EXPECT_EQ(folded, c.expected) << c.line.size() << " octets";
        for (const std::string& line : unfoldLines(c.expected)) joined += line;
        EXPECT_EQ(joined, c.line);
    }
}

TEST(IcalText, EscapesParametersAndContentLines)
{
    const std::pair<const char*, const char*> escapes[] = {
        {"a\\b;c,d", "a\\\\b\\;c\\,d"}, {"two\nlines", "two\\nlines"}, {"cr\r\nlf", "cr\\nlf"},
        {"tab\there", "tab here"}, {"\xc5\x81\xc3\xb3" "d\xc5\xba: 10:00", "\xc5\x81\xc3\xb3" "d\xc5\xba: 10:00"},
    };
    for (auto [text, escaped] : escapes) {
        std::string out;
        appendEscapedText(out, text);
        EXPECT_EQ(out, escaped);
    }
    EXPECT_EQ(unescapeText("a\\\\b\\;c\\,d\\nE\\Nf\\x"), "a\\b;c,d\nE\nf\\x");

    ContentLine line;
    ASSERT_TRUE(parseContentLine("dtstart;TZID=\"W. Europe Standard Time\";value=DATE-TIME:20261208T090000", line));
    EXPECT_EQ(line.name + "|" + std::string(parameterValue(line, "TZID")) + "|" +
                  std::string(parameterValue(line, "VALUE")) + "|" + line.value,
              "DTSTART|W. Europe Standard Time|DATE-TIME|20261208T090000");
    ASSERT_TRUE(parseContentLine("ATTENDEE;MEMBER=\"mailto:a@x\",\"mailto:b@x\":mailto:c@x", line));
    EXPECT_EQ(parameterValue(line, "MEMBER"), "mailto:a@x,mailto:b@x");
    EXPECT_EQ(line.value, "mailto:c@x");
    for (const char* bad : {"", ":value", "NOCOLON", "X;P=\"open:value", "X;NOEQUALS:v"})
        EXPECT_FALSE(parseContentLine(bad, line)) << bad;
}

// Local minutes of a day (from the day's midnight) to UTC, both ways, on both sides of each change.
TEST(TimeZone, LocalTimesAcrossBothChangesNorthAndSouth)
{
    const struct {
        ZoneRulesForYear rules;
        SystemTime day;
        int local, utc;  // the UTC minute counted from the same midnight
    } cases[] = {
        {berlinRules, date(2026, 3, 28), 480, 420},     {berlinRules, date(2026, 3, 29), 480, 360},
        {berlinRules, date(2026, 3, 29), 150, 30},      // skipped: taken as daylight
        {berlinRules, date(2026, 10, 24), 1110, 990},
        {berlinRules, date(2026, 10, 25), 150, 30},     // repeated: the first
        {berlinRules, date(2026, 10, 25), 480, 420},    {berlinRules, date(2027, 1, 1), 0, -60},
        {sydneyRules, date(2026, 4, 4), 480, -180},     {sydneyRules, date(2026, 4, 5), 480, -120},
        {sydneyRules, date(2026, 10, 3), 480, -120},    {sydneyRules, date(2026, 10, 4), 480, -180},
        {sydneyRules, date(2026, 12, 31), 1110, 450},   {utcRules, date(2028, 2, 29), 540, 540},
    };
    for (const auto& c : cases) {
        Minutes local = minutesOf(c.day, c.local);
        EXPECT_EQ(localToUtc(c.rules, local), minutesOf(c.day) + c.utc)
            << c.day.wYear << "-" << c.day.wMonth << "-" << c.day.wDay << " " << c.local;
        if (c.local != 150) { EXPECT_EQ(utcToLocal(c.rules, minutesOf(c.day) + c.utc), local); }
    }
}

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

// An event keeps its slot's UID, a to-do its text's, however the lines change or move.
TEST(CalendarFeed, UidsFollowTheSlotOrTheText)
{
    auto uids = [](std::initializer_list<std::tuple<int, const char*, int32_t, int32_t>> lines) {
        FeedDay day;
        composeDayItems(pageOf(lines), date(2026, 12, 8), utcRules, day);
        std::vector<std::string> found;
        for (const std::string& line : unfoldLines(day.events + day.todos))
            if (line.rfind("UID:", 0) == 0) found.push_back(line.substr(4));
        return found;
    };
    auto was = uids({{0, "Standup", 0, 1}, {firstTodoLine, "A", 0, 1}, {firstTodoLine + 1, "B", 0, 1}});
    auto is = uids({{0, "Standup moved to Zoom", 0, 0}, {firstTodoLine, "B", 0, 1}, {firstTodoLine + 1, "A", 1, 1},
                    {firstTodoLine + 5, "A", 0, 1}});
    ASSERT_EQ(was.size(), 3u);
    ASSERT_EQ(is.size(), 4u);
    EXPECT_EQ(is, (std::vector<std::string>{was[0], was[2], was[1], is[3]}));
    EXPECT_NE(is[3], is[2]);
}

// python-icalendar reads every item back: several scripts, every character escaped, folds wherever octets fall.
TEST(CalendarFeed, ARealParserReadsItBack)
{
    ScratchFolder folder;
    const std::string japanese = "\xe4\xbc\x9a\xe8\xad\xb0\xe5\xae\xa4 ", emoji = "\xf0\x9f\x98\x80";
    std::string longText;
    while (longText.size() < 500)
        longText += "\xce\x94\xce\xb9\xce\xb1\xcf\x87\xce\xb5\xce\xaf\xcf\x81\xce\xb9\xcf\x83\xce\xb7 " + japanese + emoji + " ";
    DayPage page = pageOf({{0, "a\\b;c,d \"quoted\" \xc5\x81\xc3\xb3" "d\xc5\xba", 0, markImportant},
                           {13, longText.c_str(), 0, markPrimary},
                           {firstTodoLine, "Zahlen: 1,5 \xe2\x82\xac", 1, markSecondary},
                           {firstTodoLine + 3, (japanese + emoji).c_str(), 0, markPrimary}});
    CalendarFeed feed = feedOf(sydneyRules, date(2026, 4, 4), {{date(2026, 4, 4), page}, {date(2026, 4, 5), page}});
    writeBytes("Quillory.ics", composeCalendar(feed));
    // Each day's events, then its to-dos, as the file orders them.
    std::string expected = "Quillory 2.0\n";
    for (auto [day, first, second] : {std::tuple{"20260404", "20260403T2100", "20260404T0330"},
                                      std::tuple{"20260405", "20260404T2200", "20260405T0430"}})
        expected += std::string("E ") + first + "+0000 30 1 " + page.lines[0].text + "\nE " + second + "+0000 30 - " +
                    page.lines[13].text + "\nT " + day + " COMPLETED 100 9 " + page.lines[firstTodoLine].text +
                    "\nT " + day + " NEEDS-ACTION - 5 " + japanese + emoji + "\n";
    std::string command = "/usr/bin/python3 " QUILLORY_SOURCE_DIR "/tests/native/read_calendar.py Quillory.ics >read.txt 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "scripts/install-deps.sh installs python3-icalendar";
    EXPECT_EQ(readBytes("read.txt"), expected);
}

CalendarFeed plannedFeed(const std::vector<FolderFile>& dayFiles)
{
    CalendarFeed feed = feedOf(utcRules, date(2026, 12, 8), {});
    std::string found = readBytes("Quillory.ics");
    planFeed(feed, date(2026, 12, 8), dayFiles, found, !found.empty());
    while (readNextFeedDay(feed)) {}
    return feed;
}

TEST(CalendarFeed, KeptInStepWithTheDayFiles)
{
    ScratchFolder folder;
    ASSERT_EQ(saveDayPage(pageOf({{0, "Long ago", 0, 1}}), date(2026, 9, 8)), WriteOutcome::written);
    ASSERT_EQ(saveDayPage(pageOf({{0, "In range", 0, 1}}), date(2026, 9, 9)), WriteOutcome::written);
    ASSERT_EQ(saveDayPage(pageOf({{firstTodoLine, "Held", 0, 1}}), date(2026, 12, 9)), WriteOutcome::written);
    CalendarFeed feed = plannedFeed(listFolder(".\\Data"));
    ASSERT_EQ(writeCalendarFile(feed), FeedWrite::written);
    const std::string first = readBytes("Quillory.ics");
    EXPECT_EQ(first.find("Long ago"), std::string::npos);
    EXPECT_NE(first.find("In range"), std::string::npos);

    // The same days give the same bytes, and the file is not written again.
    CalendarFeed again = plannedFeed(listFolder(".\\Data"));
    EXPECT_EQ(writeCalendarFile(again), FeedWrite::unchanged);

    // A day whose file cannot be read keeps what the calendar file held for it.
    std::filesystem::remove("Data/2026_12_09.ini");
    std::filesystem::create_directory("Data/2026_12_09.ini");
    CalendarFeed held = plannedFeed({{"2026_09_09.ini"}, {"2026_12_09.ini"}});
    EXPECT_EQ(composeCalendar(held), first);
    EXPECT_FALSE(refreshWatchedDays(held));

    // A watched day changed is read again at the next look; so is one that could not be read.
    watchFeedDay(feed, date(2026, 9, 9));
    ASSERT_EQ(saveDayPage(pageOf({{0, "Moved to 9:30", 0, 1}}), date(2026, 9, 9)), WriteOutcome::written);
    EXPECT_TRUE(refreshWatchedDays(feed));
    EXPECT_FALSE(refreshWatchedDays(feed));
    std::filesystem::remove("Data/2026_12_09.ini");
    ASSERT_EQ(saveDayPage(pageOf({{firstTodoLine, "Let go", 0, 1}}), date(2026, 12, 9)), WriteOutcome::written);
    EXPECT_TRUE(refreshWatchedDays(held));
    EXPECT_EQ(writeCalendarFile(feed), FeedWrite::written);
    EXPECT_TRUE(fileHolds("Quillory.ics", "Moved to 9:30"));
}

}  // namespace
