// The quick-add preview worked out again on each keystroke: a line typed letter by letter, read and previewed each time.
#include <benchmark/benchmark.h>

#include <string>

#include "phrases/quick_phrase.h"

namespace {

void previewPerKeystroke(benchmark::State& state)
{
    const std::string typed = "! Dentist with Anna next friday 2:30 pm for 45 min about the crown";
    const SystemTime today{2026, 12, 0, 8};
    size_t length = 1;
    for (auto _ : state) {
        const QuickLine line = readQuickLine(typed.substr(0, length), today, 600, englishNames());
        benchmark::DoNotOptimize(quickPreview(line, today, englishNames(), "To do 4"));
        length = length % typed.size() + 1;
    }
}
BENCHMARK(previewPerKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
