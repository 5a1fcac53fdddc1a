// A time zone's rules for a year, as Windows gives them, and turning local times into UTC and back.
#pragma once

#include <cstdint>

#include "day/day_page.h"

// A moment as minutes since 1970-01-01 00:00, of UTC or of a wall clock.
using Minutes = int64_t;

Minutes minutesOf(const SystemTime& date, int minuteOfDay = 0);
// The date (with its weekday) and the time of day, to the minute.
SystemTime timeOfMinutes(Minutes minutes);

// One year of a zone, laid out as Windows' TIME_ZONE_INFORMATION: UTC is the
// local time plus bias, plus standardBias or daylightBias. A change date
// with wYear 0 means the wDay-th (5: the last) weekday wDayOfWeek of wMonth
// at wHour:wMinute; with a year, that very date. standardDate is the change
// back to standard time, in daylight time's clock; daylightDate the change
// to daylight saving, in standard time's. A wMonth of 0 means no daylight saving.
struct ZoneRules {
    int32_t bias = 0;
    int32_t standardBias = 0;
    int32_t daylightBias = 0;
    SystemTime standardDate;
    SystemTime daylightDate;
};

// The rules of one zone, year by year: the user's own on Windows, fixed ones in tests.
using ZoneRulesForYear = ZoneRules (*)(int year);

// A wall-clock time in the zone as UTC. A time that a change to daylight
// saving skips counts as daylight time, and one that the change back repeats
// as the first of the two, as Windows counts them.
Minutes localToUtc(ZoneRulesForYear rules, Minutes local);
Minutes utcToLocal(ZoneRulesForYear rules, Minutes utc);
