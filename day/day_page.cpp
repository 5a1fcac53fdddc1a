// Day lines: their text, and when two count as the same.
#include "day/day_page.h"

#include <algorithm>
#include <cstring>

void setLineText(DayLine& line, std::string_view text)
{
    copyCutText(text, line.text, sizeof line.text);
}

void trimLineText(DayLine& line)
{
    char* start = line.text;
    while (*start == ' ') ++start;
    std::memmove(line.text, start, std::strlen(start) + 1);
    for (size_t n = std::strlen(line.text); n > 0 && line.text[n - 1] == ' '; --n) line.text[n - 1] = '\0';
}

int firstChangedLine(const DayPage& a, const DayPage& b)
{
    for (int i = 0; i < dayLineCount; ++i) {
        const DayLine& x = a.lines[i];
        const DayLine& y = b.lines[i];
        if (x.done != y.done || x.mark != y.mark || std::strncmp(x.text, y.text, lineTextSize) != 0) return i;
    }
    return -1;
}

bool isBlankLine(const DayLine& line)
{
    return line.text[0] == '\0' && line.done == 0;
}

bool sameStoredLine(const DayLine& a, const DayLine& b)
{
    if (isBlankLine(a) || isBlankLine(b)) return isBlankLine(a) == isBlankLine(b);
    return a.done == b.done && a.mark == b.mark && std::strncmp(a.text, b.text, lineTextSize) == 0;
}

bool sameStoredPage(const DayPage& a, const DayPage& b)
{
    for (int i = 0; i < dayLineCount; ++i)
        if (!sameStoredLine(a.lines[i], b.lines[i])) return false;
    return true;
}

bool isPageEmpty(const DayPage& page)
{
    for (const DayLine& line : page.lines)
        if (!isBlankLine(line)) return false;
    return true;
}
