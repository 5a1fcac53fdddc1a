// Times under Wine what the watch for other versions costs every two seconds: listing the
// names in Data that begin with a day's, and the directory files' copies, in the folder given;
// and, for each copy of that day found, reading it (once per change) against judging it from memory.
// Usage (under Wine): quillory_version_listing.exe FOLDER, e.g. one holding ten years of day files.
#include <windows.h>

#include <cstdio>
#include <string>

#include "day/version_lines.h"
#include "storage/folder_listing.h"

namespace {

template <typename Step>
double millisecondsPer(Step step)
{
    const int rounds = 200;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i) step();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) * 1000 / double(frequency.QuadPart) / rounds;
}

double millisecondsPerListing(const std::string& folder, const char* prefix, size_t& found)
{
    return millisecondsPer([&] { found = listFolderStartingWith(folder.c_str(), prefix).size(); });
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : ".";
    size_t files = listFolder((folder + "\\Data").c_str()).size(), found = 0;
    double day = millisecondsPerListing(folder + "\\Data", "2026_12_07", found);
    std::printf("Data\\2026_12_07* among %zu files: %.2f ms per listing (%zu found)\n", files, day, found);
    double directories = millisecondsPerListing(folder, "directory_", found);
    std::printf("directory_* beside Data: %.2f ms per listing (%zu found)\n", directories, found);
    DayPage page, version;
    for (const FoundVersion& copy : findVersions(folder + "\\Data", "2026_12_07")) {
        double read = millisecondsPer([&] { readVersionPage(copy, version); });
        page = version;  // alike to the end of every text, as a copy not offered is
        double judged = millisecondsPer([&] { differingLines(page, version); });
        std::printf("%s: %.3f ms to read, %.4f ms to judge from memory\n", copy.file.name.c_str(), read, judged);
    }
    return 0;
}
