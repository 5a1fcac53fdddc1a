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

// Against the page both sides started from, in each column: a line is
// followed by its text wherever a side moved it (the n-th of a text matched
// to the n-th), or stays the line of its slot when typed over there. Each
// line's text, done box and mark merge on their own: a field changed on one
// side takes that side's value, one changed alike on both sides that value.
// A line moved goes where it was moved to, a line both sides moved appears
// once, lines new on one side are kept, and a text new alike on both sides is
// one line. A line one side removed goes unless the other changed it.
PageMerge mergePages(const DayPage& base, const DayPage& window, const DayPage& file);
