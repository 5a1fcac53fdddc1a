// Other versions of a day or directory file: copies kept beside it rather than written over.
#pragma once

#include <string>
#include <string_view>

#include "day/day_page.h"

// Where a version that must not be lost is kept beside the file at path:
// ".\Data\2026_12_07.ini" becomes ".\Data\2026_12_07.conflict-20261207-093000.ini",
// stamped with the local time it was kept.
std::string otherVersionPath(std::string_view path, const SystemTime& now);

// Keeps bytes beside the file at path as an other version stamped now. A name
// already taken by another version (two kept within one second) moves the
// stamp on by a second, so no version is written over; the same bytes kept
// already under a name are not kept twice. Gives the path kept, or an empty
// text when nothing could be written.
std::string keepOtherVersion(std::string_view path, std::string_view bytes, const SystemTime& now);
