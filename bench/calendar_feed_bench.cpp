// What keeping Quillory.ics costs: the first build once the days are read, and the update after one day changed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dates/calendar.h"
#include "day/day_file.h"
#include "icalendar/calendar_feed.h"
#include "tests/common/zones.h"
#include "tests/common/saved_files.h"

namespace {

constexpr SystemTime today{2026, 12, 0, 8};

// 3,650 full days of 60-character lines, the last a year after today, in a
// folder of their own made once (a marker says it is complete).
void tenYearsToNextYear()
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillory-calendar-bench";
    std::filesystem::path marker = folder / "complete";
    if (!std::filesystem::exists(marker)) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        SystemTime day = today;
        stepDate(day, 365 - 3649);
        for (int n = 0; n < 3650; ++n, stepDate(day, 1)) {
            DayPage page;
            for (int line = 0; line < dayLineCount; ++line) {
                std::string text = "Meeting " + std::to_string(n) + " line " + std::to_string(line) + ", room 4; ";
                text.resize(60, 'x');
                setLineText(page.lines[line], text);
                page.lines[line].mark = line % 3;
                page.lines[line].done = line % 4 == 0;
            }
            saveDayPage(page, day);
        }
        std::filesystem::create_directories(marker);
    }
    std::filesystem::current_path(folder);
}

CalendarFeed readFeed()
{
    CalendarFeed feed;
    feed.zone = berlinRules;
    feed.version = "1.1";
    planFeed(feed, today, listFolder(".\\Data"), "", false);
    while (readNextFeedDay(feed)) {}
    return feed;
}

void calendarReadDays(benchmark::State& state)
{
    tenYearsToNextYear();
    for (auto _ : state) benchmark::DoNotOptimize(readFeed().days.size());
}
BENCHMARK(calendarReadDays)->Unit(benchmark::kMillisecond);

// Every day's items composed from its page, and the file's bytes from them.
void calendarFirstBuild(benchmark::State& state)
{
    tenYearsToNextYear();
    CalendarFeed feed = readFeed();
    std::vector<std::pair<SystemTime, DayPage>> pages;
    for (const auto& [key, day] : feed.days) {
        SystemTime date{uint16_t(key / 10000), uint16_t(key / 100 % 100), 0, uint16_t(key % 100)};
        readDayPage(date, pages.emplace_back(date, DayPage{}).second);
    }
    for (auto _ : state) {
        for (const auto& [date, page] : pages) composeDayItems(page, date, berlinRules, feed.days[dateKey(date)]);
        benchmark::DoNotOptimize(composeCalendar(feed).size());
    }
    state.counters["bytes"] = double(composeCalendar(feed).size());
}
BENCHMARK(calendarFirstBuild)->Unit(benchmark::kMillisecond);

// Tomorrow's file changed: read again, and the calendar file written.
void calendarUpdateOneDay(benchmark::State& state)
{
    tenYearsToNextYear();
    CalendarFeed feed = readFeed();
    SystemTime tomorrow = today;
    stepDate(tomorrow, 1);
    watchFeedDay(feed, tomorrow);
    writeCalendarFile(feed);
    DayPage page;
    readDayPage(tomorrow, page);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.lines[0].text[0] = char('A' + n++ % 26);
        saveDayPage(page, tomorrow);
        state.ResumeTiming();
        refreshWatchedDays(feed);
        benchmark::DoNotOptimize(writeCalendarFile(feed));
    }
}
BENCHMARK(calendarUpdateOneDay)->Unit(benchmark::kMillisecond);

}  // namespace
