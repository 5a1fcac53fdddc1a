// Listing a folder on Windows: one pass of the directory gives names, sizes and times together.
#include "storage/folder_listing.h"

#include <windows.h>

#include <cstring>

namespace {

std::vector<FolderFile> listMatching(const std::string& pattern)
{
    std::vector<FolderFile> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found,
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

}  // namespace

std::vector<FolderFile> listFolder(const char* path)
{
    return listMatching(std::string(path) + "\\*");
}

// A pattern also matches a file's short 8.3 name, so the names are checked again.
std::vector<FolderFile> listFolderStartingWith(const char* path, const char* prefix)
{
    std::vector<FolderFile> files = listMatching(std::string(path) + "\\" + prefix + "*");
    std::erase_if(files, [prefix](const FolderFile& file) {
        return _strnicmp(file.name.c_str(), prefix, std::strlen(prefix)) != 0;
    });
    return files;
}
