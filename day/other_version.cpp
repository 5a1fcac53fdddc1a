// Other versions of a day or directory file: copies kept beside it rather than written over.
#include "day/other_version.h"

#include <cstdio>

std::string otherVersionPath(std::string_view path, const SystemTime& now)
{
    constexpr std::string_view extension = ".ini";
    std::string_view stem = path;
    if (stem.size() >= extension.size() && stem.substr(stem.size() - extension.size()) == extension)
        stem.remove_suffix(extension.size());
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, ".conflict-%04d%02d%02d-%02d%02d%02d.ini", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return std::string(stem) + stamp;
}
