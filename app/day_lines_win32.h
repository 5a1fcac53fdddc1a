// The day page in the main window's line editors and done boxes: shown from a DayPage and gathered back.
#pragma once

#include "day/day_page.h"

// Given the page the window shows now, only what differs is touched, so an
// editor whose text stays keeps its caret, its selection and the blanks typed
// at its ends.
void showDayPage(const DayPage& page, const DayPage* shown = nullptr);

void gatherDayPage(DayPage& page);
