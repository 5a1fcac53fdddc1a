// Other versions of a day or directory file: copies kept beside it rather than written over.
#include "day/other_version.h"

#include <chrono>
#include <cstdio>

#include "day/file_store.h"

std::string otherVersionPath(std::string_view path, const SystemTime& now)
{
    constexpr std::string_view extension = ".ini";
    std::string_view stem = path;
    if (stem.size() >= extension.size() && stem.substr(stem.size() - extension.size()) == extension)
        stem.remove_suffix(extension.size());
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, ".conflict-%04d%02d%02d-%02d%02d%02d.ini", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return std::string(stem) + stamp;
}

namespace {

SystemTime oneSecondLater(SystemTime t)
{
    using namespace std::chrono;
    sys_seconds at = sys_days(year_month_day(year(t.wYear), month(t.wMonth), day(t.wDay))) +
                     hours(t.wHour) + minutes(t.wMinute) + seconds(t.wSecond) + seconds(1);
    sys_days date = floor<days>(at);
    year_month_day ymd(date);
    hh_mm_ss time(at - date);
    t.wYear = uint16_t(int(ymd.year()));
    t.wMonth = uint16_t(unsigned(ymd.month()));
    t.wDay = uint16_t(unsigned(ymd.day()));
    t.wHour = uint16_t(time.hours().count());
    t.wMinute = uint16_t(time.minutes().count());
    t.wSecond = uint16_t(time.seconds().count());
    return t;
}

}  // namespace

std::string keepOtherVersion(std::string_view path, std::string_view bytes, const SystemTime& now)
{
    SystemTime stamp = now;
    std::string held;
    // Every name tried is one of the last minute: far more than two versions a second never come.
    for (int tries = 0; tries < 60; ++tries, stamp = oneSecondLater(stamp)) {
        std::string kept = otherVersionPath(path, stamp);
        ReadResult there = readWholeFile(kept.c_str(), held);
        if (there == ReadResult::read && held == bytes) return kept;
        if (there != ReadResult::missing) continue;
        return writeFileAtomically(kept.c_str(), bytes.data(), bytes.size()) ? kept : std::string();
    }
    return {};
}
