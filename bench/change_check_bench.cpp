// What the once-a-second check costs when nothing changed: gathering 44 lines and comparing them with the page last saved.
#include <benchmark/benchmark.h>

#include <string>

#include "day/stored_page.h"

namespace {

// The texts as the window's editors would hand them over.
struct ShownTexts {
    std::string texts[dayLineCount];
};

ShownTexts fullWindow()
{
    ShownTexts shown;
    for (int i = 0; i < dayLineCount; ++i) shown.texts[i] = std::string(259, char('a' + i % 26));
    return shown;
}

void gather(const ShownTexts& shown, DayPage& page)
{
    for (int i = 0; i < dayLineCount; ++i) {
        setLineText(page.lines[i], shown.texts[i].c_str());
        trimLineText(page.lines[i]);
        page.lines[i].done = i % 2;
    }
}

void compareUnchangedFullPage(benchmark::State& state)
{
    ShownTexts shown = fullWindow();
    StoredPage stored;
    gather(shown, stored.page);
    for (auto _ : state) {
        DayPage page;
        gather(shown, page);
        benchmark::DoNotOptimize(firstChangedLine(stored.page, page) < 0);
    }
}
BENCHMARK(compareUnchangedFullPage);

}  // namespace
