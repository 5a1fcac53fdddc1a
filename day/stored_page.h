// Keeping the day file in step with the day shown: written when the page
// changed, a change made elsewhere merged in, never written over a file that
// could not be read.
#pragma once

#include <string>

#include "day/day_file.h"
#include "day/page_merge.h"
#include "storage/kept_file.h"

// The day shown as its file holds it, as far as this run knows.
struct StoredPage : FileKeeper {
    DayPage page;  // as the window gave it back after the last load, merge or save
};

// Reads the day's file and starts keeping it.
ReadResult loadStoredPage(StoredPage& stored, const SystemTime& date, DayPage& page);

// A day's file for the keeper. An empty page has no file: a file that stays
// would bring the lines back. Pages are compared as stored, so that a
// hand-edited file, or one in the old code page, keeps its bytes until the
// user changes the day.
struct DayKind {
    using Content = DayPage;
    using Held = DayPage;
    FileKeeper& keeper;
    DayPage& held;
    SystemTime date;
    std::string path = dayFilePath(date);
    const char* folder = dataFolder;
    bool deleteWhenEmpty = true;
    bool writtenAtTicks = true;
    PageMerge merged = {};

    std::string compose(const DayPage& page) const;
    bool changedHere(const DayPage& window) const { return !sameStoredPage(held, window); }
    bool changedThere(const DayPage& theirs) const { return !sameStoredPage(theirs, held); }
    void hold(const DayPage& page) { held = page; }
    void read(const IniFile& ini, DayPage& theirs, const DayPage& window) const;
    bool merge(const DayPage& window, const DayPage& theirs);
    void takeMerged(DayPage& window) { window = merged.page; }
};

inline DayKind dayKind(StoredPage& stored, const SystemTime& date)
{
    return {stored, stored.page, date};
}

// The day's file and the window's page brought in step on an occasion.
KeepAnswer keepDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, KeepOccasion occasion,
                       const KeepContext& context);
