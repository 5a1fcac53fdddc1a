// Other versions of a day or directory file: copies kept beside it rather than written over.
#pragma once

#include <string>
#include <string_view>

#include "day/day_page.h"

// Where a version that must not be lost is kept beside the file at path:
// ".\Data\2026_12_07.ini" becomes ".\Data\2026_12_07.conflict-20261207-093000.ini",
// stamped with the local time it was kept.
std::string otherVersionPath(std::string_view path, const SystemTime& now);
