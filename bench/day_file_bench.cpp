// How long the day file takes to compose, parse and read back, for the largest page.
#include <benchmark/benchmark.h>

#include <string>

#include "day/day_file.h"
#include "storage/ini_file.h"
#include "text/legacy_text.h"

namespace {

DayPage largestPage()
{
    DayPage page;
    for (int i = 0; i < dayLineCount; ++i) {
        setLineText(page.lines[i], std::string(259, char('a' + i % 26)).c_str());
        page.lines[i].done = i % 2;
    }
    return page;
}

constexpr SystemTime someDay{2026, 12, 0, 6, 0, 0, 0, 0};

void composeLargestDayFile(benchmark::State& state)
{
    DayPage page = largestPage();
    for (auto _ : state) benchmark::DoNotOptimize(composeDayFile(page, someDay).length());
}
BENCHMARK(composeLargestDayFile);

void readLargestDayFile(benchmark::State& state)
{
    TextBuilder file = composeDayFile(largestPage(), someDay);
    std::string bytes(file.data(), size_t(file.length()));
    for (auto _ : state) {
        DayPage page;
        std::string converted;
        bool legacy;
        readDayPageFrom(parseIni(fileText(bytes, converted, legacy)), page);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(readLargestDayFile);

}  // namespace
