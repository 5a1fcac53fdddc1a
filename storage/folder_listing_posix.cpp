// Listing a folder on POSIX systems, used by the native build and its tests.
#include "storage/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstring>

std::vector<FolderFile> listFolder(const char* path)
{
    std::string folder(path);
    for (char& c : folder)
        if (c == '\\') c = '/';
    std::vector<FolderFile> files;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return files;
    // Each file is looked up in the folder already open, not along the whole path again.
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info;
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0 || !S_ISREG(info.st_mode)) continue;
        files.push_back({entry->d_name, uint64_t(info.st_size),
                         int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec});
    }
    ::closedir(dir);
    return files;
}

std::vector<FolderFile> listFolderStartingWith(const char* path, const char* prefix)
{
    std::vector<FolderFile> files = listFolder(path);
    std::erase_if(files, [prefix](const FolderFile& file) {
        return ::strncasecmp(file.name.c_str(), prefix, std::strlen(prefix)) != 0;
    });
    return files;
}
