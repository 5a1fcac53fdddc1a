// The Windows time-zone name of an IANA one ("Europe/Berlin" is "W. Europe Standard Time"), as CLDR maps them.
#pragma once

#include <string_view>

// Empty when the name is not in the table: CLDR's windowsZones mapping, every
// zone of its "001" rows and the other names calendars commonly write
// (cities, old aliases, Etc/GMT offsets). Names are matched exactly, as the
// IANA database spells them.
std::string_view windowsZoneOf(std::string_view ianaName);
