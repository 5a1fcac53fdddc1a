// Days and directories written as the program writes them, through the keeper's verbs, for the tests and
// benchmarks that need them on disk.
#pragma once

#include "day/stored_page.h"
#include "directory/directory_file.h"

// The day's file for this page (none for an empty page), against what the file holds now.
inline WriteOutcome saveDayPage(const DayPage& page, const SystemTime& date)
{
    StoredPage stored;
    loadStoredPage(stored, date, stored.page);
    DayKind kind = dayKind(stored, date);
    return writeKept(kind, page);
}

inline WriteOutcome saveDirectory(const DirectoryFile& file, const Directory& directory)
{
    static Directory held;  // too large for the stack
    StoredDirectory stored;
    loadStoredDirectory(file, held, stored);
    DirectoryKind kind = directoryKind(file, stored);
    return writeKept(kind, directory);
}
