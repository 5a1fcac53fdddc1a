// Taking in a day file that another program changed: its page merged, field by field, with the window's.
#pragma once

#include "day/day_page.h"

// A page read from a file, made what the window would give back after
// showing it: texts without their outer spaces, done as 0 or 1 (always 0 on a
// note line), and a mark outside 0 to 2 left as the window has it, since such
// a mark leaves the line's font as it was.
void pageAsShown(DayPage& read, const DayPage& window);

struct PageMerge {
    DayPage page;
    bool conflict = false;  // a field changed on both sides to different values: the window's stays
};

// Each line's text, done box and mark on its own, against the page both sides
// started from: a field changed on one side takes that side's value, one
// changed alike on both sides that value.
PageMerge mergePages(const DayPage& base, const DayPage& window, const DayPage& file);
