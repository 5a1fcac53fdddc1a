// Times under Wine what the watch for other versions costs every two seconds: listing the
// names in Data that begin with a day's, and the directory files' copies, in the folder given.
// Usage (under Wine): quillory_version_listing.exe FOLDER, e.g. one holding ten years of day files.
#include <windows.h>

#include <cstdio>
#include <string>

#include "storage/folder_listing.h"

namespace {

double millisecondsPerListing(const std::string& folder, const char* prefix, size_t& found)
{
    const int rounds = 200;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i) found = listFolderStartingWith(folder.c_str(), prefix).size();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) * 1000 / double(frequency.QuadPart) / rounds;
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
    return 0;
}
