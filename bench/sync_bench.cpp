// What taking in a change made elsewhere costs: merging a full day page, and a directory of 200 full entries;
// and judging an other version already read against the page, which the watch does every two seconds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "day/page_merge.h"
#include "day/version_lines.h"
#include "directory/directory_merge.h"

namespace {

// 44 lines of 259 characters; the window changed every other line and moved
// every fourth down, the file changed every third.
void mergeFullPage(benchmark::State& state)
{
    DayPage base, window, file;
    for (int i = 0; i < dayLineCount; ++i) {
        std::memset(base.lines[i].text, 'a' + i % 26, lineTextSize - 1);
        window.lines[i] = file.lines[i] = base.lines[i];
        if (i % 2) window.lines[i].text[200] = 'W';
        if (i % 3) file.lines[i].mark = markImportant;
    }
    for (int i = 0; i + 1 < dayLineCount; i += 4) std::swap(window.lines[i], window.lines[i + 1]);
    for (auto _ : state) benchmark::DoNotOptimize(mergePages(base, window, file).conflict);
}
BENCHMARK(mergeFullPage);

// 44 lines of 259 characters, alike on both sides: every text is compared to its end.
void judgeFullVersion(benchmark::State& state)
{
    DayPage page;
    for (int i = 0; i < dayLineCount; ++i) std::memset(page.lines[i].text, 'a' + i % 26, lineTextSize - 1);
    DayPage version = page;
    for (auto _ : state) benchmark::DoNotOptimize(differingLines(page, version).empty());
}
BENCHMARK(judgeFullVersion);

struct Directories {
    Directory base, mine, theirs, result;
};

// Every field full. Names that differ only at their end make each comparison of
// two entries read the whole name, which is the slowest the merge can be.
void fillEntry(DirectoryEntry& e, int n, bool differAtTheEnd)
{
    auto fill = [](auto& field, char c) {
        std::memset(field, c, sizeof field - 1);
        field[sizeof field - 1] = '\0';
    };
    fill(e.name, 'n'), fill(e.description, 'd'), fill(e.phone, 'p'), fill(e.email, 'e');
    std::strcpy(e.birthday, "02.29.2000");
    char number[8];
    std::snprintf(number, sizeof number, "%03d", n);
    std::memcpy(differAtTheEnd ? e.name + sizeof e.name - 4 : e.name, number, 3);
}

// 200 entries; the window changed ten and the file another ten, and the file's
// entries stand in the opposite order.
void mergeFullDirectory(benchmark::State& state)
{
    auto d = std::make_unique<Directories>();
    for (int i = 0; i < directoryCapacity; ++i) {
        fillEntry(d->base[i], i, state.range(0));
        d->mine[i] = d->base[i];
        d->theirs[directoryCapacity - 1 - i] = d->base[i];
    }
    for (int i = 0; i < 10; ++i) d->mine[i * 7].phone[0] = 'M', d->theirs[i * 11 + 3].email[0] = 'T';
    for (auto _ : state) benchmark::DoNotOptimize(mergeDirectories(d->base, d->mine, d->theirs, d->result));
}
BENCHMARK(mergeFullDirectory)->ArgName("namesDifferAtTheEnd")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
