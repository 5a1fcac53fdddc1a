// Comparing a day page with an other version of its file, line by line.
#include "day/version_lines.h"

#include "day/day_file.h"
#include "day/page_merge.h"
#include "storage/ini_file.h"

VersionRead readVersionPage(const FoundVersion& version, DayPage& page)
{
    page = DayPage{};
    if (version.file.size > largestComparedVersion) return VersionRead::tooLarge;
    IniFile ini;
    if (loadIniFile(version.path.c_str(), ini) != ReadResult::read) return VersionRead::unreadable;
    readDayPageFrom(ini, page);
    return VersionRead::read;
}

std::vector<DifferingLine> differingLines(const DayPage& page, const DayPage& version)
{
    DayPage shown = version;
    pageAsShown(shown, page);
    std::vector<DifferingLine> lines;
    for (int i = 0; i < dayLineCount; ++i)
        if (!sameStoredLine(page.lines[i], shown.lines[i])) lines.push_back({i, page.lines[i].text[0] == '\0'});
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
