// Comparing a day page with an other version of its file, line by line.
#include "day/version_lines.h"

std::vector<DifferingLine> differingLines(const DayPage& page, const DayPage& version)
{
    std::vector<DifferingLine> lines;
    for (int i = 0; i < dayLineCount; ++i)
        if (!sameStoredLine(page.lines[i], version.lines[i])) lines.push_back({i, page.lines[i].text[0] == '\0'});
    return lines;
}

std::string comparedText(const DayLine& line)
{
    return std::string(line.text) + (line.done ? " (done)" : "");
}

void takeLines(DayPage& page, const DayPage& version, const std::vector<int>& lines)
{
    for (int line : lines) page.lines[line] = version.lines[line];
}
