// Find over ten years of full days: reading every file into the index, and filtering it per keystroke.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "day/calendar.h"
#include "day/day_file.h"
#include "day/day_search.h"

namespace {

constexpr int tenYears = 3650;

// Every line of every day holds text: words of ordinary length, or, for the
// largest files, 259 characters.
std::string lineText(unsigned& seed, size_t length)
{
    static const char* words[] = {"meeting", "call", "Anna", "report", "lunch", "review", "budget",
                                  "train", "email", "plan", "doctor", "shop", "write", "read"};
    std::string text;
    while (text.size() < length) {
        seed = seed * 1103515245 + 12345;
        text += words[(seed >> 16) % 14];
        text += ' ';
    }
    text.resize(length);
    return text;
}

// Builds a folder of its own for each line length in the temporary folder,
// once (a marker says it is complete, also for later runs), and works in it.
void tenYearsOfDays(size_t length)
{
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("quillory-find-bench-" + std::to_string(length));
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
                setLineText(page.lines[line], lineText(seed, length - (seed >> 8) % (length / 2)).c_str());
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
    tenYearsOfDays(size_t(state.range(0)));
    const std::vector<FolderFile> files = listFolder(".\\Data");
    keepFreedMemory(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(readIndex(files).days.size());
    keepFreedMemory(false);
    state.SetLabel(state.range(1) ? "memory kept" : "fresh memory");
}
BENCHMARK(readAllDays)->Args({60, 1})->Args({60, 0})->Args({259, 1})->Args({259, 0})->Unit(benchmark::kMillisecond);

// The same files read with nothing but open, read and close: the floor.
void plainReadsOfTheSameBytes(benchmark::State& state)
{
    tenYearsOfDays(size_t(state.range(0)));
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
BENCHMARK(plainReadsOfTheSameBytes)->Arg(60)->Arg(259)->Unit(benchmark::kMillisecond);

// One keystroke: a rare word, and a common one that fills the thousand rows.
void filterTenYears(benchmark::State& state)
{
    tenYearsOfDays(size_t(state.range(0)));
    DayIndex index = readIndex(listFolder(".\\Data"));
    const char* query = state.range(1) ? "dentist" : "a";
    for (auto _ : state) benchmark::DoNotOptimize(findLines(index, query).total);
}
BENCHMARK(filterTenYears)->Args({60, 1})->Args({60, 0})->Args({259, 1})->Args({259, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
