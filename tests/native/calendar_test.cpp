// The calendar file: iCalendar's text rules, local times in UTC, and the file composed from the days.
#include <gtest/gtest.h>

#include <string>

#include "icalendar/ical_text.h"
#include "icalendar/time_zone.h"
#include "tests/common/dates.h"
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
