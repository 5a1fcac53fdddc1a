// Listing the files of a folder with their sizes and times, one implementation per platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FolderFile {
    std::string name;  // without the folder
    uint64_t size = 0;
    int64_t modified = 0;  // last write, in the platform's own units: only compared, never shown
};

// The plain files directly in the folder (no subfolders), in no particular
// order. A missing or unreadable folder lists nothing.
std::vector<FolderFile> listFolder(const char* path);

// Only the files whose names begin with prefix, letter case ignored as
// Windows ignores it; on Windows the folder itself picks them out.
std::vector<FolderFile> listFolderStartingWith(const char* path, const char* prefix);
