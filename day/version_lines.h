// Comparing a day page with an other version of its file, line by line.
#pragma once

#include <string>
#include <vector>

#include "day/day_page.h"
#include "storage/other_version.h"

// A day file is a few kilobytes: a copy past this size is something else under
// a copy's name, and reading it whole would stall the window.
constexpr uint64_t largestComparedVersion = 1024 * 1024;

// Reads the version's page, unless its size as listed is past the limit.
VersionRead readVersionPage(const FoundVersion& version, DayPage& page);

// One line of the page that differs from an other version, and whether it
// starts checked: only where the page's line is empty, so taking the checked
// lines overwrites nothing the user wrote.
struct DifferingLine {
    int line;
    bool checked;
};

// The lines, in page order, whose text, done box or mark differ from the
// version as the window would show it: outer blanks, a done box on a note and a
// mark outside 0 to 2 cannot be shown, so they are no difference. An empty
// line that is not done is stored without its mark, so its mark never counts.
std::vector<DifferingLine> differingLines(const DayPage& page, const DayPage& version);

// A line's text as a row of the comparison shows it: " (done)" behind a done line's.
std::string comparedText(const DayLine& line);

// Each of the given lines of the version, text, done box and mark, replaces the page's.
void takeLines(DayPage& page, const DayPage& version, const std::vector<int>& lines);
