// The file of one day: ".\Data\YYYY_MM_DD.ini", composed from a DayPage and read back into one.
#pragma once

#include <string>
#include <string_view>

#include "day/day_page.h"
#include "storage/file_store.h"
#include "storage/ini_file.h"

#include "storage/text_builder.h"

// The folder of the day files, beside the program's working folder.
constexpr const char* dataFolder = ".\\Data";

std::string dayFilePath(const SystemTime& date);

// The date a Data folder file stands for: only a name that dayFilePath gives a
// valid date (four-digit year) counts.
bool dayFileDate(std::string_view name, SystemTime& date);

// All 44 lines in one pass over each section: the keys TEXT_n, DONE_n and
// MARK_n of SCHEDULE (n 0..21), TODO (0..19) and NOTE (0..1), names in any
// letter case, the first of a name counting. A text is cut to 259 characters;
// a missing key gives an empty text, not done, Primary.
void readDayPageFrom(const IniFile& file, DayPage& page);

// A missing file or folder gives every line its defaults: empty, not done,
// Primary; so does an unreadable file, which the result tells apart.
ReadResult readDayPage(const SystemTime& date, DayPage& page);

// Only the texts of a day's lines, exactly as readDayPage reads them, for a
// reader of every day: the storage is kept from one file to the next, and the
// texts are views of it that last until the next read.
struct DayTexts {
    std::string buffer;
    size_t length = 0;  // of the bytes read into buffer
    std::string converted;  // the text of a file in the old code page
    IniFile file;
    std::string_view lines[dayLineCount];
};
ReadResult readDayTexts(const SystemTime& date, DayTexts& texts);

// The whole file of a page, as it is written.
TextBuilder composeDayFile(const DayPage& page, const SystemTime& date);
