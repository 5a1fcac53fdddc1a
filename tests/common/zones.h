// Zones' rules as Windows gives them, one north of the equator and one south, for the tests, benchmarks and fuzzing.
#pragma once

#include <string_view>

#include "icalendar/time_zone.h"

// Central Europe: daylight saving from the last Sunday of March, 02:00, to the last Sunday of October, 03:00.
inline ZoneRules berlinRules(int) { return {-60, 0, -60, {0, 10, 0, 5, 3, 0}, {0, 3, 0, 5, 2, 0}}; }

// Eastern Australia: daylight saving from the first Sunday of October, 02:00, to the first Sunday of April, 03:00.
inline ZoneRules sydneyRules(int) { return {-600, 0, -60, {0, 4, 0, 1, 3, 0}, {0, 10, 0, 1, 2, 0}}; }

inline ZoneRules utcRules(int) { return {}; }

// The platform's zones by their Windows names, as far as the tests need them.
inline bool zoneByWindowsName(std::string_view name, int year, ZoneRules& rules)
{
    ZoneRulesForYear known = name == "W. Europe Standard Time"     ? berlinRules
                             : name == "AUS Eastern Standard Time" ? sydneyRules
                             : name == "UTC"                       ? utcRules
                                                                   : nullptr;
    if (known) rules = known(year);
    return known != nullptr;
}
