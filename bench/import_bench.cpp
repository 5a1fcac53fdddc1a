// Importing a large calendar file: 20,000 events in about 5 MB, 500 of them repeating, read, expanded over a year and placed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "dates/calendar.h"
#include "icalendar/ical_text.h"
#include "icalendar/follow_events.h"
#include "icalendar/import_plan.h"
#include "tests/common/zones.h"

namespace {

constexpr int eventCount = 20000;
constexpr int repeatingEvery = eventCount / 500;
constexpr SystemTime today{2026, 12, 0, 1};

std::string stamp(SystemTime day, int minute)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", day.wYear, day.wMonth, day.wDay, minute / 60, minute % 60);
    return text;
}

// As a mail or calendar program exports a year or two: a zone of its own,
// single events over two years, and weekly, daily,
// monthly and yearly series among them.
// changed: every hundredth event left out and the one after it an hour later, all of them stamped later.
std::string largeCalendar(int eventCount = ::eventCount, bool changed = false)
{
    static const char* rules[] = {"FREQ=WEEKLY;BYDAY=MO,WE,FR", "FREQ=DAILY;INTERVAL=2", "FREQ=MONTHLY;BYDAY=2TU",
                                  "FREQ=YEARLY", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TH;UNTIL=20271231T230000Z"};
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\nMETHOD:PUBLISH\r\n"
                       "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
                       "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
                       "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nDTSTART:19701025T030000\r\n"
                       "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    SystemTime first{2025, 12, 0, 1};
    for (int i = 0; i < eventCount; ++i) {
        SystemTime day = first;
        stepDate(day, i % 730);
        int minute = 7 * 60 + (i * 37) % (12 * 60);
        if (changed && i % 100 == 0) continue;
        if (changed && i % 100 == 1) minute += 60;
        std::string number = std::to_string(i);
        std::string lines[] = {
            "UID:" + number + "@example.com",
            changed ? "DTSTAMP:20261121T101500Z" : "DTSTAMP:20261120T101500Z",
            "DTSTART;TZID=Europe/Berlin:" + stamp(day, minute),
            "DTEND;TZID=Europe/Berlin:" + stamp(day, minute + 45),
            "SUMMARY:Meeting " + number + " with the team",
            "LOCATION:Room " + std::to_string(i % 40),
            "DESCRIPTION:Agenda\\; progress\\nBring your notes.",
            i % repeatingEvery == 0 ? std::string("RRULE:") + rules[i / repeatingEvery % 5] : "STATUS:CONFIRMED",
        };
        file += "BEGIN:VEVENT\r\n";
        for (const std::string& line : lines) appendFoldedLine(file, line);
        file += "END:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}

const std::string& calendarBytes()
{
    static const std::string bytes = largeCalendar();
    return bytes;
}

void readLargeCalendar(benchmark::State& state)
{
    for (auto _ : state) {
        CalendarFile file;
        benchmark::DoNotOptimize(readCalendarFile(calendarBytes(), file));
    }
    state.counters["MB"] = double(calendarBytes().size()) / 1e6;
}
BENCHMARK(readLargeCalendar)->Unit(benchmark::kMillisecond);

// Read, expanded, and put on an empty page per day, as the window reads each day's page in turn.
void importLargeCalendar(benchmark::State& state)
{
    size_t items = 0;
    for (auto _ : state) {
        CalendarFile file;
        readCalendarFile(calendarBytes(), file);
        ImportPlan plan = planImport(file, {today, berlinRules, zoneByWindowsName});
        ImportTally tally;
        items = 0;
        for (const DayImport& day : plan.days) {
            DayPage page;
            tallyDay(tally, day, placeOnPage(page, day.items));
            items += day.items.size();
        }
        benchmark::DoNotOptimize(importSummary(plan, tally));
    }
    state.counters["items"] = double(items);
}
BENCHMARK(importLargeCalendar)->Unit(benchmark::kMillisecond);

// A calendar of 5,000 events kept in step: the second reading read, planned,
// held against the record of the first, its days changed on pages in memory and
// the record noted and composed, as a subscription's reading is on the window's thread.
void keepReadingInStep(benchmark::State& state)
{
    const int events = 5000;
    std::map<int, DayPage> pages;
    CalendarLines record;
    auto readIn = [&](const std::string& bytes) {
        CalendarFile file;
        readCalendarFile(bytes, file);
        std::map<std::string, std::vector<std::string>> placed = placedOccurrences(record);
        ImportSettings settings{today, berlinRules, zoneByWindowsName, &placed};
        ImportPlan plan = planImport(file, settings);
        FollowPlan follow = followEvents(plan, record, today, berlinRules, {"work", true});
        std::vector<DayPlacement> placements;
        for (const DayImport& day : follow.days) placements.push_back(changePage(pages[dateKey(day.date)], day));
        noteFollowed(follow, plan, record, placements, {"work", true});
        return importSummary(plan, follow.tally) + composeCalendarLines(record).substr(0, 0);
    };
    const std::string first = largeCalendar(events), second = largeCalendar(events, true);
    readIn(first);
    const std::map<int, DayPage> firstPages = pages;
    const CalendarLines firstRecord = record;
    std::string summary;
    for (auto _ : state) {
        state.PauseTiming();
        pages = firstPages;
        record = firstRecord;
        state.ResumeTiming();
        summary = readIn(second);
    }
    state.counters["MB"] = double(second.size()) / 1e6;
    state.SetLabel(summary.substr(summary.find('\n') + 1));
}
BENCHMARK(keepReadingInStep)->Unit(benchmark::kMillisecond);

// A hostile file of 1 MB: zones whose changes repeat daily from year 1, each
// with a weekly event for a year, so every zone is worked out for the years asked.
void importHostileZones(benchmark::State& state)
{
    std::string ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (int n = 0; ics.size() < 1'000'000; ++n) {
        std::string id = "Daily " + std::to_string(n);
        ics += "BEGIN:VTIMEZONE\r\nTZID:" + id + "\r\nBEGIN:STANDARD\r\nDTSTART:00010101T030000\r\n"
               "RRULE:FREQ=DAILY\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\n"
               "DTSTART:00010101T150000\r\nRRULE:FREQ=DAILY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
               "END:DAYLIGHT\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:" + id + "\r\nDTSTART;TZID=" + id +
               ":20261208T090000\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:" + id + "\r\nEND:VEVENT\r\n";
    }
    ics += "END:VCALENDAR\r\n";
    for (auto _ : state) {
        CalendarFile file;
        readCalendarFile(ics, file);
        benchmark::DoNotOptimize(planImport(file, {today, berlinRules, zoneByWindowsName}));
    }
    state.counters["MB"] = double(ics.size()) / 1e6;
}
BENCHMARK(importHostileZones)->Unit(benchmark::kMillisecond);

}  // namespace
