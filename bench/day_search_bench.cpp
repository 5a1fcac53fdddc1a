// Find over ten years of full days: reading every file into the index, and filtering it per keystroke.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "dates/calendar.h"
#include "day/day_file.h"
#include "day/day_search.h"
#include "text/utf8_text.h"
#include "tests/common/saved_files.h"

namespace {

constexpr int tenYears = 3650;

// Every line of every day holds text: words of ordinary length, or, for the
// largest files, 259 characters; with other scripts, one word in three is
// Polish, Greek, Russian or Japanese.
std::string lineText(unsigned& seed, size_t length, bool otherScripts)
{
    static const char* words[] = {"meeting", "call", "Anna", "report", "lunch", "review", "budget",
                                  "train", "email", "plan", "doctor", "shop", "write", "read"};
    static const char* otherWords[] = {"spotkanie", "\xc5\x81ukasz", "\xce\xa3\xcf\x8d\xce\xb1\xce\xbd\xcf\x84\xce\xb7\xcf\x83\xce\xb7",
                                       "\xd0\xb2\xd1\x81\xd1\x82\xd1\x80\xd0\xb5\xd1\x87\xd0\xb0", "\xe4\xbc\x9a\xe8\xad\xb0",
                                       "\xc5\xbc\xc3\xb3\xc5\x82w"};
    std::string text;
    for (int word = 0; editorLength(text) < length; ++word) {
        seed = seed * 1103515245 + 12345;
        text += otherScripts && word % 3 == 2 ? otherWords[(seed >> 16) % 6] : words[(seed >> 16) % 14];
        text += ' ';
    }
    text.resize(editorPrefixBytes(text, length));
    return text;
}

// Builds a folder of its own for each line length in the temporary folder,
// once (a marker says it is complete, also for later runs), and works in it.
void tenYearsOfDays(size_t length, bool otherScripts = false)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("quillory-find-bench-" + std::to_string(length) + (otherScripts ? "-scripts" : ""));
    std::filesystem::path marker = folder / "complete";
    if (!std::filesystem::exists(marker)) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        SystemTime day{2016, 1, 0, 1, 0, 0, 0, 0};
        unsigned seed = 1;
        for (int n = 0; n < tenYears; ++n, stepDate(day, 1)) {
            DayPage page;
            for (int line = 0; line < dayLineCount; ++line)
                setLineText(page.lines[line], lineText(seed, length - (seed >> 8) % (length / 2), otherScripts));
            if (n % 100 == 0) setLineText(page.lines[n % dayLineCount], "Dentist at nine");
            saveDayPage(page, day);
        }
        std::filesystem::create_directories(marker);
    }
    std::filesystem::current_path(folder);
}

DayIndex readIndex(const std::vector<FolderFile>& files)
{
    DayIndex index;
    planIndex(index, "Data", files);
    while (readNextDay(index)) {}
    return index;
}

// Listing the folder, apart from reading: POSIX needs a stat call for each
// file's size and time, which the Windows listing gives with the names.
void listTenYears(benchmark::State& state)
{
    tenYearsOfDays(size_t(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(listFolder(".\\Data").size());
}
BENCHMARK(listTenYears)->Arg(60)->Unit(benchmark::kMillisecond);

// Either the allocator keeps the memory one reading frees for the next, as
// Find keeps its index from one opening to the next, or it gives it back and
// the system clears fresh pages for the next: the first opening in a run.
void keepFreedMemory(bool keep)
{
    mallopt(M_MMAP_MAX, keep ? 0 : 65536);
    mallopt(M_TRIM_THRESHOLD, keep ? INT_MAX : 128 * 1024);
}

void readAllDays(benchmark::State& state)
{
    tenYearsOfDays(size_t(state.range(0)), state.range(2));
    const std::vector<FolderFile> files = listFolder(".\\Data");
    keepFreedMemory(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(readIndex(files).days.size());
    keepFreedMemory(false);
    state.SetLabel(std::string(state.range(1) ? "memory kept" : "fresh memory") + (state.range(2) ? ", other scripts" : ""));
}
BENCHMARK(readAllDays)->Args({60, 1, 0})->Args({60, 0, 0})->Args({259, 1, 0})->Args({259, 0, 0})
    ->Args({60, 1, 1})->Args({259, 1, 1})->Unit(benchmark::kMillisecond);

// The same files read with nothing but open, read and close: the floor.
void plainReadsOfTheSameBytes(benchmark::State& state)
{
    tenYearsOfDays(size_t(state.range(0)), state.range(1));
    std::vector<std::string> paths;
    for (const FolderFile& file : listFolder("Data")) paths.push_back("Data/" + file.name);
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& path : paths) {
            int fd = ::open(path.c_str(), O_RDONLY);
            for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) total += size_t(n);
            ::close(fd);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(plainReadsOfTheSameBytes)->Args({60, 0})->Args({259, 0})->Args({60, 1})->Args({259, 1})
    ->Unit(benchmark::kMillisecond);

// One keystroke: a rare word, and a common one that fills the thousand rows;
// among other scripts, a rare and a common word of theirs too.
void filterTenYears(benchmark::State& state)
{
    tenYearsOfDays(size_t(state.range(0)), state.range(2));
    DayIndex index = readIndex(listFolder(".\\Data"));
    const char* queries[] = {"a", "dentist", "\xc5\x81UKASZ", "\xce\xb1"};
    const char* query = queries[state.range(1)];
    for (auto _ : state) benchmark::DoNotOptimize(findLines(index, query).total);
}
BENCHMARK(filterTenYears)->Args({60, 1, 0})->Args({60, 0, 0})->Args({259, 1, 0})->Args({259, 0, 0})
    ->Args({60, 1, 1})->Args({60, 0, 1})->Args({259, 1, 1})->Args({259, 0, 1})->Args({259, 2, 1})->Args({259, 3, 1})
    ->Unit(benchmark::kMillisecond);

// The date picker's bold days of a month, over ten years of days read.
void daysHoldingLinesOfAMonth(benchmark::State& state)
{
    tenYearsOfDays(60);
    DayIndex index = readIndex(listFolder(".\\Data"));
    for (auto _ : state) benchmark::DoNotOptimize(daysHoldingLines(index, 2020, 6));
}
BENCHMARK(daysHoldingLinesOfAMonth)->Unit(benchmark::kMicrosecond);

}  // namespace
