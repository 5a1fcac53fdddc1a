// Listing a folder on Windows: one pass of the directory gives names, sizes and times together.
#include "day/folder_listing.h"

#include <windows.h>

std::vector<FolderFile> listFolder(const char* path)
{
    std::vector<FolderFile> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileExA((std::string(path) + "\\*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        files.push_back({found.cFileName, (uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                         int64_t((uint64_t(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                 found.ftLastWriteTime.dwLowDateTime)});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}
