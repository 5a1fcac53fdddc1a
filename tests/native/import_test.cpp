// Importing calendar files: the reader, time zones, repeat rules held against python-dateutil, placement and summary.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "dates/calendar.h"
#include "icalendar/event_zones.h"
#include "icalendar/ical_reader.h"
#include "icalendar/ical_values.h"
#include "icalendar/import_plan.h"
#include "icalendar/recurrence.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/zones.h"

namespace {

std::string calendar(const std::string& body) { return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n"; }

std::string stamp(Minutes minutes)
{
    SystemTime t = timeOfMinutes(minutes);
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return text;
}

std::string described(const IcalTime& t)
{
    if (t.form == TimeForm::none) return "-";
    if (t.form == TimeForm::date) return stamp(t.minutes).substr(0, 8);
    return (t.form == TimeForm::zoned ? t.zone + " " : "") + stamp(t.minutes) + (t.form == TimeForm::utc ? "Z" : "");
}

std::string described(const CalendarEvent& e)
{
    std::string text = e.uid + "|" + e.summary + "|" + e.location + "|" + described(e.start) + "|" +
                       described(e.end) + "|" + std::to_string(e.duration) + (e.repeats ? "|rule" : "|-") + "|";
    for (const auto* list : {&e.exceptionDates, &e.extraDates})
        for (const IcalTime& t : *list) text += described(t) + (list == &e.extraDates ? "+" : "-");
    return text + "|" + described(e.recurrenceId) + (e.cancelled ? "|cancelled" : "");
}

const char* const outlookBerlin =
    "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\nDTSTART:16011028T030000\r\n"
    "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
const char* const googleBerlin =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nX-LIC-LOCATION:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
    "END:DAYLIGHT\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
    "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

TEST(ImportReader, ReadsEventsAsWrittenAndPassesOverOtherComponents)
{
    std::string file = calendar(std::string("METHOD:PUBLISH\r\n") + outlookBerlin +
        "BEGIN:VEVENT\r\nUID:a1\r\nSUMMARY;LANGUAGE=de:Besprechung\\, Team \\;2\\nZeile\r\nLOCATION:Raum 4 \\\\ Nord\r\n"
        "DTSTART;TZID=\"W. Europe Standard Time\":20261208T090000\r\nDTEND;TZID=\"W. Europe Standard Time\":20261208T\r\n"
        " 103000\r\nRRULE:FREQ=WEEKLY;BYDAY=TU;COUNT=10\r\nEXDATE;TZID=W. Europe Standard Time:20261215T090000,20261222T090000\r\n"
        "EXDATE:20261229T080000Z\r\nBEGIN:VALARM\r\nTRIGGER:-PT15M\r\nSUMMARY:Alarm\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VTODO\r\nSUMMARY:A to-do\r\nDTSTART:20261208T090000\r\nEND:VTODO\r\n"
        "BEGIN:X-OTHER\r\nBEGIN:VEVENT\r\nSUMMARY:Inside\r\nDTSTART:20261208\r\nEND:VEVENT\r\nEND:X-OTHER\r\n"
        "begin:vevent\nuid:a1\nrecurrence-id;tzid=W. Europe Standard Time:20270105T090000\nsummary:\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80\n"
        "dtstart:20270105T130000Z\nduration:PT45M\nend:vevent\n"
        "BEGIN:VEVENT\r\nUID:b2\r\nSUMMARY:Holiday\r\nDTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261227\r\n"
        "RDATE;VALUE=PERIOD:20271224T100000Z/PT1H\r\nSTATUS:CANCELLED\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:c3\r\nDTSTART:20261208T250000\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:d4\r\nDTSTART:20261208T090000\r\nRRULE:FREQ=HOURLY;BYWEEKNO=54\r\nEND:VEVENT\r\n");
    CalendarFile read;
    ASSERT_EQ(readCalendarFile(file, read), CalendarFileCheck::read);
    EXPECT_EQ(read.method, "PUBLISH");
    EXPECT_EQ(read.unreadableEvents, 2);
    EXPECT_EQ(read.zones.size(), 1u);  // its rules are the zone tests'
    const std::string zone = "W. Europe Standard Time ";
    const std::vector<std::string> expected = {
        "a1|Besprechung, Team ;2\nZeile|Raum 4 \\ Nord|" + zone + "20261208T0900|" + zone + "20261208T1030|0|rule|" +
            zone + "20261215T0900-" + zone + "20261222T0900-20261229T0800Z-|-",
        "a1|\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80||20270105T1300Z|-|45|-||" + zone + "20270105T0900",
        "b2|Holiday||20261224|20261227|0|-|20271224T1000Z+|-|cancelled",
    };
    ASSERT_EQ(read.events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(described(read.events[i]), expected[i]);
}

TEST(ImportReader, RejectsWhatIsNotACalendarItCanRead)
{
    const std::string event = "BEGIN:VEVENT\r\nDTSTART:20261208\r\nSUMMARY:";
    const std::string fold = "\r\n " + std::string(70, 'x');
    std::string longLine;
    for (size_t unfolded = 0; unfolded <= maxCalendarLineBytes; unfolded += 70) longLine += fold;
    const struct { std::string bytes; CalendarFileCheck check; size_t events; } cases[] = {
        {"", CalendarFileCheck::notCalendar, 0},
        {"Dear all,\r\nBEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", CalendarFileCheck::notCalendar, 0},
        {"BEGIN:VCARD\r\nEND:VCARD\r\n", CalendarFileCheck::notCalendar, 0},
        {"BEGIN:VCALENDAR\r\n" + event + "x\r\nEND:VEVENT\r\n", CalendarFileCheck::cutShort, 0},
        {"BEGIN:VCALENDAR\r\n" + event + "x\r\nEND:VCALENDAR\r\n", CalendarFileCheck::cutShort, 0},
        {"BEGIN:VCALENDAR\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n", CalendarFileCheck::cutShort, 0},
        {calendar(event + std::string("a\0b", 3) + "\r\nEND:VEVENT\r\n"), CalendarFileCheck::binary, 0},
        {calendar(event + std::string(maxCalendarFileBytes, 'x') + "\r\nEND:VEVENT\r\n"), CalendarFileCheck::tooLarge, 0},
        {calendar(event + longLine + "\r\nEND:VEVENT\r\n"), CalendarFileCheck::lineTooLong, 0},
        {"\xef\xbb\xbf" "begin:vcalendar\n" + event + "Caf\xe9\nEND:VEVENT\nend:vcalendar", CalendarFileCheck::read, 1},
        {calendar("") + calendar(event + "Second\r\nEND:VEVENT\r\n") + "-- \r\nSent from my phone", CalendarFileCheck::read, 1},
        {calendar(event + "Caf\xc3\r\n \xa9\r\nLOCATION:Stra\xdf" "e\r\nEND:VEVENT\r\n"), CalendarFileCheck::read, 1},
    };
    for (const auto& c : cases) {
        CalendarFile file;
        EXPECT_EQ(readCalendarFile(c.bytes, file), c.check) << c.bytes.substr(0, 80);
        EXPECT_EQ(file.events.size(), c.events) << c.bytes.substr(0, 80);
    }
    CalendarFile legacy;
    readCalendarFile(cases[9].bytes, legacy);
    EXPECT_EQ(legacy.events.at(0).summary, "Caf\xc3\xa9");  // taken in the old code page, as other files are
    readCalendarFile(cases[11].bytes, legacy);  // a character split by a fold, and a stray byte in another value
    EXPECT_EQ(legacy.events.at(0).summary + "|" + legacy.events.at(0).location, "Caf\xc3\xa9|Stra\xc3\x9f" "e");
}

// Every hour of some years: a file's zone turns wall-clock times into UTC as Windows' own rules for it do.
TEST(VtimezoneRules, ZonesOfFilesChangeWhenWindowsDoes)
{
    const std::string rdateBerlin =
        "BEGIN:VTIMEZONE\r\nTZID:Berlin\\, by dates\r\nBEGIN:DAYLIGHT\r\nDTSTART:20260329T020000\r\nRDATE:20270328T020000\r\n"
        "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\nDTSTART:20251026T030000\r\n"
        "RDATE:20261025T030000,20271031T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    const std::string lotusBerlin =  // times of day named again in the rules
        "BEGIN:VTIMEZONE\r\nTZID:Lotus Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19501029T030000\r\n"
        "RRULE:FREQ=YEARLY;BYMINUTE=0;BYHOUR=3;BYDAY=-1SU;BYMONTH=10\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
        "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19500326T020000\r\nRRULE:FREQ=YEARLY;BYMINUTE=0;BYHOUR=2;"
        "BYDAY=-1SU;BYMONTH=3\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    const std::string sydney =
        "BEGIN:VTIMEZONE\r\nTZID:Australia/Sydney\r\nBEGIN:STANDARD\r\nDTSTART:20080406T030000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU\r\nTZOFFSETFROM:+1100\r\nTZOFFSETTO:+1000\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20011028T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU;UNTIL=20071027T160000Z\r\n"
        "TZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\nEND:DAYLIGHT\r\nBEGIN:DAYLIGHT\r\nDTSTART:20081005T020000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=1SU\r\nTZOFFSETFROM:+1000\r\nTZOFFSETTO:+1100\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n";
    // Each found by its TZID as an event's parameter writes it (Outlook escapes a comma in the zone's own).
    const struct { std::string zone, tzid; ZoneRulesForYear windowsRules; int firstYear, lastYear; } cases[] = {
        {outlookBerlin, "W. Europe Standard Time", berlinRules, 2024, 2030},
        {googleBerlin, "Europe/Berlin", berlinRules, 2024, 2030},
        {rdateBerlin, "Berlin, by dates", berlinRules, 2026, 2027},
        {lotusBerlin, "Lotus Berlin", berlinRules, 2026, 2027},
        {sydney, "Australia/Sydney", sydneyRules, 2009, 2030},
    };
    for (const auto& c : cases) {
        CalendarFile file;
        ASSERT_EQ(readCalendarFile(calendar(c.zone), file), CalendarFileCheck::read);
        ASSERT_EQ(file.zones.size(), 1u);
        ZoneResolver resolver(file.zones, zoneByWindowsName, 2026);
        const EventZone* found = resolver.find(c.tzid);
        ASSERT_TRUE(found) << c.tzid;
        const EventZone& zone = *found;
        int wrong = 0;
        for (Minutes m = minutesOf(date(c.firstYear, 1, 1)); m < minutesOf(date(c.lastYear + 1, 1, 1)); m += 60) {
            bool same = zone.toUtc(m) == localToUtc(c.windowsRules, m) && zone.fromUtc(m) == utcToLocal(c.windowsRules, m);
            if (!same && ++wrong <= 3) ADD_FAILURE() << file.zones[0].id << ": differs at " << stamp(m);
        }
    }
}

// Changes each given by its date alone: a year may hold one real change, as Istanbul's 2016 kept its summer
// time (its change of 7 September renamed the clock only).
TEST(VtimezoneRules, DatedChangesEachFromTheirOwnMoment)
{
    auto part = [](const char* kind, const char* start, const char* from, const char* to) {
        return std::string("BEGIN:") + kind + "\r\nDTSTART:" + start + "\r\nTZOFFSETFROM:" + from + "\r\nTZOFFSETTO:" + to +
               "\r\nEND:" + kind + "\r\n";
    };
    const std::string istanbul = "BEGIN:VTIMEZONE\r\nTZID:Istanbul\r\n" + part("DAYLIGHT", "20150329T030000", "+0200", "+0300") +
                                 part("STANDARD", "20151108T040000", "+0300", "+0200") +
                                 part("DAYLIGHT", "20160327T030000", "+0200", "+0300") +
                                 part("STANDARD", "20160907T000000", "+0300", "+0300") + "END:VTIMEZONE\r\n";
    CalendarFile file;
    ASSERT_EQ(readCalendarFile(calendar(istanbul), file), CalendarFileCheck::read);
    ZoneResolver resolver(file.zones, zoneByWindowsName, 2026);
    const EventZone& zone = *resolver.find("Istanbul");
    const struct { SystemTime day; int minuteOfDay, east; } cases[] = {
        {date(2015, 6, 1), 720, 180}, {date(2015, 12, 1), 720, 120}, {date(2016, 1, 15), 720, 120},
        {date(2016, 3, 27), 179, 120}, {date(2016, 3, 27), 240, 180}, {date(2016, 12, 31), 1439, 180},
        {date(2017, 1, 1), 0, 180}, {date(2026, 12, 9), 720, 180}};
    for (const auto& c : cases)
        EXPECT_EQ(minutesOf(c.day, c.minuteOfDay) - zone.toUtc(minutesOf(c.day, c.minuteOfDay)), c.east)
            << stamp(minutesOf(c.day, c.minuteOfDay));
}

// Imports into pages held in memory, day by day as the window does: their filled lines as "YYYYMMDD line text".
std::vector<std::string> imported(const std::string& ics, std::map<int, DayPage>& pages, std::string* summary = nullptr,
                                  ZoneRulesForYear userZone = berlinRules)
{
    CalendarFile file;
    EXPECT_EQ(readCalendarFile(ics, file), CalendarFileCheck::read);
    ImportPlan plan = planImport(file, {date(2026, 12, 1), userZone, zoneByWindowsName});
    ImportTally tally;
    for (const DayImport& day : plan.days) tallyDay(tally, day, placeOnPage(pages[dateKey(day.date)], day.items));
    if (summary) *summary = importSummary(plan, tally);
    std::vector<std::string> lines;
    for (const auto& [key, page] : pages)
        for (int i = 0; i < dayLineCount; ++i)
            if (page.lines[i].text[0]) lines.push_back(std::to_string(key) + " " + std::to_string(i) + " " + page.lines[i].text);
    return lines;
}

std::string event(const std::string& start, const std::string& end, const std::string& summary, const std::string& more = "")
{
    auto property = [](const char* name, const std::string& value) {
        if (value.empty()) return std::string();
        return name + std::string(value.size() == 8 ? ";VALUE=DATE:" : ":") + value + "\r\n";
    };
    return "BEGIN:VEVENT\r\nUID:" + summary + start + "\r\n" + property("DTSTART", start) + property("DTEND", end) +
           "SUMMARY:" + summary + "\r\n" + more + "END:VEVENT\r\n";
}

using Lines = std::vector<std::string>;

// The calendar files python-icalendar tests itself with (installed with it by scripts/install-deps.sh), read and
// placed whole: as many events as it finds in each, and nothing for the sanitizers. One ends in "END:VCALENDARD",
// which it passes over; here it is refused as cut short, as a file that lost its end in a download would be.
TEST(ImportReader, TheFilesOfAnotherParsersTests)
{
    const std::string folder = "/usr/lib/python3/dist-packages/icalendar/tests/";
    const std::map<std::string, size_t> eventsFound = {
        {"america_new_york", 1}, {"encoding", 1}, {"issue_112_missing_tzinfo_on_exdate", 1}, {"issue_53_parsing_failure", 3},
        {"multiple", 3}, {"pacific_fiji", 1}, {"recurrence", 2}, {"time", 0}, {"timezone_rdate", 1},
        {"timezone_same_start", 1}, {"timezone_same_start_and_offset", 0}, {"timezoned", 1}, {"x_location", 1}};
    for (const auto& [name, events] : eventsFound) {
        std::ifstream in(folder + name + ".ics", std::ios::binary);
        ASSERT_TRUE(in) << folder << name << ".ics: scripts/install-deps.sh installs python3-icalendar";
        std::map<int, DayPage> pages;
        CalendarFile file;
        CalendarFileCheck check = readCalendarFile(std::string(std::istreambuf_iterator<char>(in), {}), file);
        EXPECT_EQ(check, name == "timezone_same_start_and_offset" ? CalendarFileCheck::cutShort : CalendarFileCheck::read);
        EXPECT_EQ(file.events.size(), events) << name;
        ImportPlan plan = planImport(file, {date(2026, 12, 1), berlinRules, zoneByWindowsName});
        for (const DayImport& day : plan.days) placeOnPage(pages[dateKey(day.date)], day.items);
    }
}

TEST(ImportPlacement, EachEventOnTheLineOfItsTime)
{
    const std::string day = "20261208", a = day + "T";
    const std::string longText(300, 'e'), emojiAtLimit = std::string(258, 'a') + "\xf0\x9f\x98\x80";
    Lines full = {day + " 2 Dentist"};
    for (int i = firstTodoLine; i < firstNoteLine; ++i) full.push_back(day + " " + std::to_string(i) + " task");
    const struct { std::string events; Lines before, after; } cases[] = {
        {event(a + "090000", a + "093000", "Project review", "LOCATION:Room 4\r\n"), {}, {day + " 2 Project review (Room 4)"}},
        {event(a + "091000", a + "104000", "Project review"), {}, {day + " 2 09:10-10:40 Project review"}},
        {event(a + "090000", a + "100000", "Long"), {}, {day + " 2 09:00-10:00 Long"}},
        {event(a + "090000", "", "Call"), {}, {day + " 2 09:00 Call"}},
        {event(a + "184500", a + "191500", "Late"), {}, {day + " 21 18:45-19:15 Late"}},
        {event(a + "190000", a + "193000", "Dinner"), {}, {day + " 22 19:00-19:30 Dinner"}},
        {event(a + "073000", a + "080000", "Early"), {}, {day + " 22 07:30-08:00 Early"}},
        {event(a + "090000", a + "093000", "Review"), {day + " 2 Dentist"}, {day + " 2 Dentist", day + " 22 09:00-09:30 Review"}},
        {event(day, "", "Holiday"), {}, {day + " 42 Holiday"}},
        {event(day, "", "Holiday"), {day + " 42 a", day + " 43 b"}, {day + " 22 Holiday", day + " 42 a", day + " 43 b"}},
        {event(day, "20261211", "Trip"), {}, {day + " 42 Trip", "20261209 42 Trip", "20261210 42 Trip"}},
        {event(a + "090000", a + "093000", "Review"), {day + " 2 Review"}, {day + " 2 Review"}},
        {event(a + "090000", a + "093000", "Review"), {day + " 2 x", day + " 23 09:00-09:30 Review"},
         {day + " 2 x", day + " 23 09:00-09:30 Review"}},
        {event(a + "090000", a + "093000", "Standup") + event(a + "140000", a + "143000", "Standup"), {},
         {day + " 2 Standup", day + " 12 Standup"}},
        {event(a + "090000", a + "093000", "Review"), full, full},
        {event(a + "090000", a + "093000", longText), {}, {day + " 2 " + longText.substr(0, lineCharacterLimit)}},
        {event(a + "090000", a + "093000", emojiAtLimit), {}, {day + " 2 " + std::string(258, 'a')}},
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        std::map<int, DayPage> pages;
        for (const std::string& line : cases[n].before) {
            std::istringstream parts(line);
            int key, index;
            parts >> key >> index;
            setLineText(pages[key].lines[index], line.substr(line.find(' ', 9) + 1));
        }
        EXPECT_EQ(imported(calendar(cases[n].events), pages, nullptr, utcRules), cases[n].after) << "case " << n;
    }
}

// As Google writes a file: a zone of its own, platform names, an unknown zone, an event moved, one cancelled, one
// left out and one repeating within a half hour. The second import changes nothing.
TEST(ImportPlan, RepeatsInTheWindowZonesAndChangedOccurrences)
{
    auto zoned = [](const char* zone, const char* start, const char* end, const char* summary, const std::string& more = "") {
        return std::string("BEGIN:VEVENT\r\nUID:") + summary + "\r\nDTSTART;TZID=" + zone + ":" + start + "\r\nDTEND;TZID=" +
               zone + ":" + end + "\r\nSUMMARY:" + summary + "\r\n" + more + "END:VEVENT\r\n";
    };
    const std::string moved = "RECURRENCE-ID;TZID=Europe/Berlin:20261222T090000\r\n";
    const std::string cancelled = "RECURRENCE-ID;TZID=Europe/Berlin:20261208T090000\r\nSTATUS:CANCELLED\r\n";
    const std::string body = std::string(googleBerlin) +
        zoned("Europe/Berlin", "20260106T090000", "20260106T093000", "Standup",
              "RRULE:FREQ=WEEKLY;UNTIL=20261229T080000Z\r\nEXDATE;TZID=Europe/Berlin:20261215T090000\r\n") +
        zoned("Europe/Berlin", "20261222T150000", "20261222T153000", "Standup", moved) +
        zoned("Europe/Berlin", "20261208T090000", "20261208T093000", "Standup", cancelled) +
        event("20200505T070000Z", "20200505T073000Z", "Old") +
        event("20200101T100000", "", "Past", "RRULE:FREQ=DAILY;COUNT=3\r\n") +
        zoned("Mars/Olympus", "20261209T100000", "20261209T103000", "Mars") +
        zoned("/mozilla.org/20050126_1/Australia/Sydney", "20261210T190000", "20261210T193000", "Sydney") +
        zoned("UTC", "20261211T080000", "20261211T083000", "Utc") +
        zoned("\"W. Europe Standard Time\"", "20261211T100000", "20261211T103000", "Windows") +
        event("19900215", "", "Birthday", "RRULE:FREQ=YEARLY\r\n") + event("2026", "", "Unreadable") +
        event("20261212T090000", "20261212T091000", "Ping", "RRULE:FREQ=MINUTELY;INTERVAL=20;COUNT=4\r\n");
    const Lines expected = {"20200505 2 Old", "20261201 2 Standup", "20261209 4 Mars", "20261210 2 Sydney",
                            "20261211 2 Utc", "20261211 4 Windows", "20261212 2 09:00-09:10 Ping",
                            "20261212 3 09:40-09:50 Ping", "20261212 4 10:00-10:10 Ping", "20261222 14 Standup",
                            "20261229 2 Standup", "20270215 42 Birthday"};
    const std::string leftOut = "\n1 event in an unknown time zone was imported in local time.\n"
                                "1 cancelled event was left out.\n"
                                "1 occurrence that repeats more often than every half hour was left out.\n"
                                "1 event that could not be read was left out.";
    std::map<int, DayPage> pages;
    std::string summary;
    EXPECT_EQ(imported(calendar(body), pages, &summary), expected);
    EXPECT_EQ(summary, "Imported 12 events on 9 days." + leftOut);
    EXPECT_EQ(imported(calendar(body), pages, &summary), expected);
    EXPECT_EQ(summary, "Imported 0 events on 0 days.\n12 events were already on their days." + leftOut);
    std::map<int, DayPage> none;
    EXPECT_EQ(imported(calendar("METHOD:CANCEL\r\n" + body), none, &summary), Lines{});
    EXPECT_EQ(summary, "Imported 0 events on 0 days.\n11 cancelled events were left out.\n"
                       "1 event that could not be read was left out.");
}

// Cases of python-dateutil's own test suite (each whose start lies on its rule, and the yearly ones that number
// weeks, days of the year or positions), then random rules it expands now, down to the second. Where a start is not
// on its rule dateutil leaves it out and COUNT does not count it; RFC 5545 keeps it as the first.
TEST(RruleAgainstDateutil, TheirOwnCasesAndRandomRules)
{
    ScratchFolder folder;
    int status = std::system("/usr/bin/python3 " QUILLORY_SOURCE_DIR "/tests/native/random_rules.py 7 120 >random.txt 2>&1");
    ASSERT_EQ(status, 0) << readBytes("random.txt") << " (scripts/install-deps.sh installs python3-dateutil)";
    std::istringstream table(readBytes(QUILLORY_SOURCE_DIR "/tests/native/dateutil_rrule_cases.txt") + readBytes("random.txt"));
    auto secondOf = [](const std::string& text) {
        DateTimeValue value;
        return parseDateTime(text, value) ? value.minutes * 60 + std::stoi(text.substr(13, 2)) : -1;
    };
    int compared = 0;
    for (std::string line; std::getline(table, line); ++compared) {
        std::istringstream fields(line);
        std::string startText, ruleText;
        fields >> startText >> ruleText;
        std::vector<std::string> theirs{std::istream_iterator<std::string>(fields), {}};
        RepeatRule rule;
        ASSERT_TRUE(parseRepeatRule(ruleText, rule)) << line;
        int64_t start = secondOf(startText);
        int64_t last = secondOf(std::to_string(std::stoi(startText.substr(0, 4)) + 2) + startText.substr(4));
        if (!theirs.empty()) last = std::max(last, secondOf(theirs.back()));
        std::vector<int64_t> ours = expandRepeats(rule, start, start, last, 1).starts;
        if (theirs.empty() || theirs[0] != startText) {
            ours.erase(ours.begin());
            if (rule.count) theirs.resize(std::min(theirs.size(), size_t(rule.count - 1)));
        }
        std::string oursText, theirsText;
        for (int64_t second : ours) oursText += stamp(second / 60) + char('0' + second % 60 / 10) + char('0' + second % 10) + " ";
        for (const std::string& one : theirs) theirsText += one + " ";
        EXPECT_EQ(oursText, theirsText) << line;
    }
    EXPECT_EQ(compared, 51 + 120);
}

}  // namespace
