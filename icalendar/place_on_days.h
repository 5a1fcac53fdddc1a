// Items put on days other than the one shown: each day is read, the items are
// placed on its page, and the page goes through the keeper, merged with what
// another program changed in the file meanwhile. Calendar imports write other
// days this way, and so does anything else that adds lines to a day not shown.
#pragma once

#include <vector>

#include "icalendar/import_plan.h"
#include "storage/kept_file.h"

// One outcome per day, in the order given: its lines taken off, then its items
// placed. A day whose file cannot be read or written takes nothing: all its
// items are unplaced, none of its lines taken off, and its file stays as it was.
std::vector<DayPlacement> placeOnOtherDays(const std::vector<DayImport>& days, const KeepContext& context);
