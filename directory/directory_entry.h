// The one entry layout of the contacts, templates and periodic-tasks directories.
#pragma once

#include "text/utf8_text.h"

constexpr int directoryCapacity = 200;

// Each field holds as many characters as its editor accepts, in any script:
// its size has room for their UTF-8 form (charactersOfBuffer gives them back).
struct DirectoryEntry {
    char name[utf8BufferSize(259)];
    char description[utf8BufferSize(259)];
    char phone[utf8BufferSize(19)];
    char email[utf8BufferSize(39)];
    char birthday[utf8BufferSize(10)];  // "MM.DD.YYYY", or empty
    char period[utf8BufferSize(259)];   // one of periodNames
    char day[utf8BufferSize(2)];
    char month[utf8BufferSize(2)];
    char week[utf8BufferSize(7)];  // seven of '+' or '-', Sunday first
};

using ContactRecord = DirectoryEntry;
using TemplateRecord = DirectoryEntry;
using PeriodicTask = DirectoryEntry;

// A directory's entries in use are those before the first empty name; every
// entry behind it is zero in every byte.
using Directory = DirectoryEntry[directoryCapacity];

constexpr int periodKindCount = 5;
inline constexpr const char* periodNames[periodKindCount] = {"Day or week", "Month", "Quarter",
                                                             "Half-year", "Year"};
enum PeriodKind { periodDayOrWeek, periodMonth, periodQuarter, periodHalfYear, periodYear };
