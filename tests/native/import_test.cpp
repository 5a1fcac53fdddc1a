// Importing calendar files: repeat rules held against python-dateutil.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "icalendar/ical_values.h"
#include "icalendar/recurrence.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/zones.h"

namespace {

std::string stamp(Minutes minutes)
{
    SystemTime t = timeOfMinutes(minutes);
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return text;
}

// Our expansion, occurrence by occurrence, against python-dateutil's rrule
// over six years. Starts match their rules: dateutil leaves out a start
// that does not, where RFC 5545 keeps it as the first occurrence.
TEST(RruleAgainstDateutil, SameOccurrences)
{
    const char* const berlin = "CET-1CEST,M3.5.0,M10.5.0/3";
    const char* const sydney = "AEST-10AEDT,M10.1.0,M4.1.0/3";
    const struct {
        const char* zone;
        const char* start;
        const char* rule;
    } rules[] = {
        {"-", "20240101T0900", "FREQ=DAILY;COUNT=10"},
        {"-", "20240105T0900", "FREQ=DAILY;INTERVAL=3;UNTIL=20240401T000000"},
        {"-", "20230601T0800", "FREQ=DAILY;COUNT=400"},
        {"-", "20240106T0900", "FREQ=DAILY;BYDAY=SA,SU;COUNT=30"},
        {"-", "20240101T0900", "FREQ=DAILY;BYMONTH=1,2;UNTIL=20260301T000000"},
        {"-", "20240101T0900", "FREQ=DAILY;INTERVAL=10;BYMONTHDAY=1,11,21,31;COUNT=20"},
        {"-", "20240101T1000", "FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=20"},
        {"-", "20240102T0830", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH;UNTIL=20241231T235959"},
        {"-", "20240107T0900", "FREQ=WEEKLY;WKST=SU;INTERVAL=2;BYDAY=SU,TU;COUNT=12"},
        {"-", "20240102T0900", "FREQ=WEEKLY;WKST=MO;INTERVAL=2;BYDAY=TU,SU;COUNT=12"},
        {"-", "20200106T0900", "FREQ=WEEKLY;COUNT=260"},
        {"-", "20240101T0900", "FREQ=WEEKLY;BYDAY=MO;BYMONTH=1,3;COUNT=10"},
        {"-", "20240131T0900", "FREQ=MONTHLY;COUNT=12"},
        {"-", "20240131T0900", "FREQ=MONTHLY;BYMONTHDAY=-1;COUNT=14"},
        {"-", "20240101T0900", "FREQ=MONTHLY;BYMONTHDAY=1,-1;COUNT=10"},
        {"-", "20240109T1400", "FREQ=MONTHLY;BYDAY=2TU;COUNT=18"},
        {"-", "20240126T1600", "FREQ=MONTHLY;BYDAY=-1FR;UNTIL=20260101T000000"},
        {"-", "20240102T0900", "FREQ=MONTHLY;BYDAY=1TU,-1TH;COUNT=12"},
        {"-", "20240131T0900", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=24"},
        {"-", "20240101T0900", "FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=1,-1;COUNT=20"},
        {"-", "20240113T0900", "FREQ=MONTHLY;BYDAY=SA;BYMONTHDAY=7,8,9,10,11,12,13"},
        {"-", "20240913T0900", "FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13"},
        {"-", "20240131T0900", "FREQ=MONTHLY;INTERVAL=2;BYMONTHDAY=31;COUNT=6"},
        {"-", "20240330T0900", "FREQ=MONTHLY;BYMONTHDAY=30;UNTIL=20250601T000000"},
        {"-", "20240229T0900", "FREQ=YEARLY;COUNT=3"},
        {"-", "20240229T0900", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1;COUNT=6"},
        {"-", "20240101T0900", "FREQ=YEARLY;BYMONTH=1,7;BYDAY=1MO;COUNT=8"},
        {"-", "20241128T1200", "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH"},
        {"-", "20240513T0900", "FREQ=YEARLY;BYDAY=20MO"},
        {"-", "20241230T0900", "FREQ=YEARLY;BYDAY=-1MO"},
        {"-", "20241225T0000", "FREQ=YEARLY;BYMONTH=12;BYMONTHDAY=25"},
        {"-", "20240101T0900", "FREQ=YEARLY;BYMONTHDAY=1;COUNT=15"},
        {"-", "20240105T0900", "FREQ=YEARLY;BYDAY=FR;BYMONTH=1;COUNT=10"},
        {"-", "20241231T0900", "FREQ=YEARLY;BYMONTH=3,6,9,12;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1"},
        {berlin, "20240318T0900", "FREQ=WEEKLY;COUNT=4"},
        {berlin, "20241020T0900", "FREQ=DAILY;UNTIL=20241029T080000Z"},
        {berlin, "20240131T1800", "FREQ=MONTHLY;BYMONTHDAY=-1;UNTIL=20251231T230000Z"},
        {sydney, "20240401T0900", "FREQ=WEEKLY;BYDAY=MO,TH;COUNT=12"},
        {sydney, "20240929T0830", "FREQ=DAILY;INTERVAL=2;UNTIL=20241015T000000Z"},
    };
    const char* const python = "/usr/bin/python3";
    ASSERT_TRUE(std::filesystem::exists(python)) << python << " is missing: run scripts/install-deps.sh";
    ScratchFolder folder;
    std::string input = "20240101T0000 20291231T2359\n";
    for (const auto& r : rules) input += std::string(r.zone) + " " + r.start + " " + r.rule + "\n";
    writeBytes("rules.txt", input);
    std::string command = std::string(python) + " " QUILLORY_SOURCE_DIR "/tests/native/rrule_reference.py rules.txt > out.txt 2>&1";
    int status = std::system(command.c_str());
    std::string output = readBytes("out.txt");
    ASSERT_EQ(status, 0) << output;
    std::istringstream lines(output);
    for (const auto& r : rules) {
        ZoneRulesForYear zone = r.zone == berlin ? berlinRules : r.zone == sydney ? sydneyRules : nullptr;
        DateTimeValue start;
        RepeatRule rule;
        ASSERT_TRUE(parseDateTime(std::string(r.start) + "00", start) && parseRepeatRule(r.rule, rule)) << r.rule;
        if (zone && rule.untilInUtc) rule.until = utcToLocal(zone, rule.until);
        std::string ours;
        for (Minutes m : expandOccurrences(rule, start.minutes, minutesOf(date(2024, 1, 1)), minutesOf(date(2030, 1, 1)) - 1))
            ours += (ours.empty() ? "" : " ") + stamp(zone ? localToUtc(zone, m) : m);
        std::string theirs;
        std::getline(lines, theirs);
        EXPECT_EQ(ours, theirs) << r.start << " " << r.rule << (zone ? " in " : "") << (zone ? r.zone : "");
    }
}

}  // namespace
