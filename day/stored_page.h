// Keeping the day file in step with the day shown: written when the page changed, never over a file that could not be read.
#pragma once

#include <string>

#include "day/day_file.h"
#include "storage/file_keeper.h"
#include "storage/file_stamp.h"

// The day shown as its file holds it, as far as this run knows.
struct StoredPage {
    DayPage page;                // as the window gave it back after the last load or save
    bool unreadable = false;     // the file exists but could not be read: it is never written over
    bool unreadableTold = false;
    bool failureTold = false;
    FileWatch watch;
};

// Writes the page as a day change does (the same bytes; an empty page deletes
// the file), unless the file could not be read or the page is the one the file
// already holds: a hand-edited file, or one in the old code page, keeps its
// bytes until the user changes the day.
StoreResult storePage(StoredPage& stored, const DayPage& shown, const SystemTime& date);

// What bringing the day's file and the window's page in step came to.
struct DaySync {
    bool retry = false;        // the file could not be read, or its other version not kept: nothing changed
    bool fileChanged = false;  // another program changed the file: the window's page is now the merge
    std::string otherVersion;  // where the file was kept, when both sides changed a field differently
    StoreResult stored = StoreResult::skipped;
};

// Reads the day's file again; what another program changed in it since it was
// last read or written is merged into the window's page, and the result is
// written only where it differs from what the file holds. A file deleted
// elsewhere merges as an empty page; one that cannot be read is never taken
// for an empty one. An other version is named after the computer and stamped now.
DaySync syncDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, std::string_view computer,
                    const SystemTime& now);
