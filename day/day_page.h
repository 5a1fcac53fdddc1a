// The day page record, its lines, and the text builder in which files are composed.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "day/utf8_text.h"

// Same members, order and widths as the Windows SYSTEMTIME, so the shell can
// copy one into the other; only wYear, wMonth and wDay are relied on.
struct SystemTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

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

// Growable text for composing a whole file before it is written in one go.
// The buffer grows by doubling, so composing a file of n bytes costs O(n)
// rather than a fresh copy of everything for each piece appended.
class TextBuilder {
public:
    static constexpr int32_t maxLength = 0x1000000;

    explicit TextBuilder(const char* text = "");
    TextBuilder(const TextBuilder& other);
    TextBuilder& operator=(const TextBuilder& other) { assign(other); return *this; }

    void assign(const TextBuilder& other);
    void append(const char* text);
    void appendNumber(int32_t value);
    void appendLineBreak();

    int32_t length() const { return length_; }
    const char* data() const { return data_.get(); }

private:
    void appendBytes(const char* bytes, int32_t count);

    int32_t length_ = 0;
    int32_t capacity_ = 0;  // characters the buffer can hold, the terminator not counted
    std::unique_ptr<char[]> data_;
};
