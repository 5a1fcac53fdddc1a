// What a step costs once the history is full, and the page compare run around every command.
#include <benchmark/benchmark.h>

#include <string>

#include "edit/undo_history.h"

namespace {

DayPage fullPage(char letter)
{
    DayPage page;
    for (int i = 0; i < dayLineCount; ++i) setLineText(page.lines[i], std::string(259, letter).c_str());
    return page;
}

// The last line differs, so the compare reads every line.
void compareFullPages(benchmark::State& state)
{
    DayPage a = fullPage('a'), b = a;
    b.lines[dayLineCount - 1].mark = markImportant;
    for (auto _ : state) benchmark::DoNotOptimize(firstChangedLine(a, b));
}
BENCHMARK(compareFullPages);

// Every step drops the oldest of 100.
void takeStepIntoFullHistory(benchmark::State& state)
{
    UndoHistory history;
    DayPage pages[2] = {fullPage('a'), fullPage('b')};
    startHistory(history, pages[0]);
    for (int i = 1; i <= undoStepLimit; ++i) takeStep(history, pages[i % 2]);
    int next = 1;
    for (auto _ : state) takeStep(history, pages[next ^= 1]);
    benchmark::DoNotOptimize(history.undoable.size());
}
BENCHMARK(takeStepIntoFullHistory);

}  // namespace
