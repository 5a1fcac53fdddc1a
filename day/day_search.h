// Finding text on every day: the days read from the Data folder, the lines that match, and the texts Find shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "day/day_file.h"
#include "day/day_page.h"
#include "storage/folder_listing.h"
#include "text/letter_case.h"

struct IndexedLine {
    uint8_t line;    // 0..43, as in a DayPage
    uint16_t start;  // from the start of its day's text
    uint16_t length;
    uint16_t foldedStart;  // the same in its day's folded text
    uint16_t foldedLength;
};

// The texts of many days in a few large blocks rather than three small ones
// per day: each day's non-empty lines in page order, each followed by a line
// break in text and folded, so that one search runs over the whole day.
struct DayTextStore {
    std::string text;
    std::string folded;
    std::vector<IndexedLine> lines;
};

struct IndexedDay {
    SystemTime date;
    std::string fileName;
    uint64_t size = 0;
    int64_t modified = 0;
    bool read = false;
    bool unreadable = false;
    size_t textStart = 0;  // in the store
    size_t textSize = 0;
    size_t foldedStart = 0;
    size_t foldedSize = 0;
    size_t firstLine = 0;
    size_t lineCount = 0;
};

struct DayIndex {
    CaseFold fold = foldLetterCase;
    std::string folder;             // the folder the days were listed from
    std::vector<IndexedDay> days;   // newest first
    DayTextStore store;             // their texts
    std::vector<size_t> toRead;     // positions in days, oldest last
    size_t readCount = 0;           // of toRead, read so far
    bool hasShownDay = false;
    IndexedDay shownDay;            // searched in place of its file
    DayTextStore shownStore;
    DayTexts reading;               // the buffers every file is read through
};

// Takes a fresh listing of the folder: days whose file is gone are dropped,
// new files and files whose size or time changed are queued for reading, and
// so is a file that could not be read last time, since whatever held it may
// have let go. A listing of another folder starts the index afresh.
void planIndex(DayIndex& index, const std::string& folder, const std::vector<FolderFile>& files);

// Reads the next queued file (relative to the working folder, as the day
// files are); false when nothing is left to read.
bool readNextDay(DayIndex& index);

// The page in the window, searched instead of what its file holds; a day
// whose file could not be read counts among the files that could not be.
void setShownDay(DayIndex& index, const SystemTime& date, const DayPage& page, bool unreadable = false);

// The days of a month whose file holds a line, as the bits 0 (the 1st) to
// 30; the day shown counts as the window holds it.
uint32_t daysHoldingLines(const DayIndex& index, int year, int month);

constexpr size_t maxFoundRows = 1000;

struct FoundRow {
    SystemTime date;
    int line;
    std::string_view text;  // into the index: valid until it changes
};

struct FindResult {
    std::vector<FoundRow> rows;  // the newest maxFoundRows matches
    size_t total = 0;
    size_t unreadable = 0;
    bool searched = false;  // not for an empty text
};

// Every line, newest day first and in page order within a day, that contains
// the typed text with its outer blanks dropped; an empty text finds nothing.
FindResult findLines(const DayIndex& index, std::string_view typed);

// Where the typed text, without its outer blanks, first occurs in a line,
// letter case folded: the bytes of the line it covers, whole characters, or
// start -1 when it does not occur.
struct TextRange {
    int start;
    int length;
};
TextRange findInLine(std::string_view text, std::string_view typed, CaseFold fold);

// "1 match", "17 matches", "No match", "1,000 of 4,321 matches shown",
// followed by "; 2 day files could not be read" when some could not; nothing
// when nothing was searched for.
std::string countText(const FindResult& result);

// "Reading 1,234 of 3,650 days..."
std::string readingText(size_t read, size_t total);

// "08:30" for a schedule line, "To do 3", "Note 1".
std::string lineLabel(int line);
