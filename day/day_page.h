// The day page record and its lines.
#pragma once

#include <cstdint>
#include <string_view>

#include "dates/calendar.h"
#include "text/utf8_text.h"

// A line holds 259 characters as its editor counts them, in any script; its
// buffer has room for their UTF-8 form and the terminator.
constexpr int lineCharacterLimit = 259;
constexpr int lineTextSize = utf8BufferSize(lineCharacterLimit);

enum Mark : int32_t { markImportant = 0, markPrimary = 1, markSecondary = 2 };

struct DayLine {
    char text[lineTextSize] = {};
    int32_t done = 0;
    int32_t mark = markPrimary;
};

constexpr int scheduleLineCount = 22;
constexpr int todoLineCount = 20;
constexpr int noteLineCount = 2;
constexpr int firstTodoLine = scheduleLineCount;                 // 22
constexpr int firstNoteLine = scheduleLineCount + todoLineCount;  // 42
constexpr int dayLineCount = firstNoteLine + noteLineCount;       // 44

struct DayPage {
    DayLine lines[dayLineCount];
};

// Copies at most 259 whole characters of text into a line buffer, always terminated.
void setLineText(DayLine& line, std::string_view text);

// Removes the spaces at both ends of a line's text, as every line gathered from
// the window has them removed; tabs and inner spaces stay.
void trimLineText(DayLine& line);

bool isPageEmpty(const DayPage& page);

// The first line in which two pages differ by text, done or mark, or -1 when
// they are the same. Bytes after a text's terminator, left over from
// trimming, do not count.
int firstChangedLine(const DayPage& a, const DayPage& b);

// A line with no text that is not done is not written to its file, nor is
// its mark: two such lines are stored alike whatever their marks.
bool isBlankLine(const DayLine& line);
bool sameStoredLine(const DayLine& a, const DayLine& b);
bool sameStoredPage(const DayPage& a, const DayPage& b);
