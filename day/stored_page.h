// Keeping the day file in step with the day shown: written when the page
// changed, a change made elsewhere merged in, never written over a file that
// could not be read.
#pragma once

#include <string>
#include <string_view>

#include "day/day_file.h"
#include "storage/file_keeper.h"

// The day shown as its file holds it, as far as this run knows.
struct StoredPage : FileKeeper {
    DayPage page;  // as the window gave it back after the last load, merge or save
};

// Reads the day's file and starts keeping it.
ReadResult loadStoredPage(StoredPage& stored, const SystemTime& date, DayPage& page);

// What keeping the day's file and the window's page in step came to.
struct DayKeep {
    KeepStep step = KeepStep::nothing;  // takeIn: the window's page is now the merge, to be shown
    StoreResult stored = StoreResult::skipped;
    std::string otherVersion;  // where the file was kept, when both sides changed a field differently
};

// The one verb for writing a day: the page as a day change writes it (an
// empty page deletes the file), unless the file could not be read or already
// holds the page; a hand-edited file, or one in the old code page, keeps its
// bytes until the user changes the day. The file is replaced only while it is
// as last read or written.
WriteOutcome writeDayFile(StoredPage& stored, const DayPage& page, const SystemTime& date);

// The one verb for taking a change in: reads the day's file again, merges
// what another program changed in it since it was last read or written into
// the window's page, and writes the result where it differs from the file. A
// file deleted elsewhere merges as an empty page; one that cannot be read is
// never taken for an empty one, and counts as a failed save when leaving. An
// other version is named after this computer and stamped now.
DayKeep takeInDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, std::string_view computer,
                      const SystemTime& now, bool leaving);

// Looks at the day's file and does what the keeper answers: writes the
// window's page, takes in a change made elsewhere, or says to wait.
DayKeep keepDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, KeepOccasion occasion,
                    std::string_view computer, const SystemTime& now);
