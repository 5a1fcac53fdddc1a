// The days of the Data folder as Find reads them, shared with the date picker for the rest of the run.
#pragma once

#include "day/day_search.h"

DayIndex& dayIndex();

// A fresh listing of Data, queueing the files that changed since they were
// read, and the day shown as the window holds it, unsaved changes and all.
void planDayIndex();

// Reads queued files for about the time given; true when every day has been read.
bool readDayIndexFor(unsigned milliseconds);
