// The one entry layout of the contacts, templates and periodic-tasks directories.
#pragma once

constexpr int directoryCapacity = 200;

struct DirectoryEntry {
    char name[260];
    char description[260];
    char phone[20];
    char email[40];
    char birthday[11];  // "MM.DD.YYYY", or empty
    char period[260];   // one of periodNames
    char day[3];
    char month[3];
    char week[8];  // seven of '+' or '-', Sunday first
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
