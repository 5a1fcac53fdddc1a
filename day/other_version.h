// Other versions of a day or directory file: copies kept beside it rather than written over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "day/day_page.h"
#include "directory/directory_entry.h"

// Where a version that must not be lost is kept beside the file at path:
// ".\Data\2026_12_07.ini" becomes ".\Data\2026_12_07.conflict-20261207-093000.ini",
// stamped with the local time it was kept.
std::string otherVersionPath(std::string_view path, const SystemTime& now);

// Who kept an other version, as far as its name tells.
enum class VersionMaker { none, quillory, syncthing, dropbox, nextcloud, onedrive };

struct VersionName {
    VersionMaker maker = VersionMaker::none;
    std::string who;     // the device, account or computer the name gives; empty when it gives none
    bool timed = false;  // the name gives the date and time of day it was kept
    SystemTime time;
};

// What a file name in the folder of STEM.ini says about it: maker none when
// it is no other version of that file. The names the sync tools give, with
// their markers in any letter case:
//   STEM.conflict-YYYYMMDD-HHMMSS.ini                 this program's own
//   STEM.sync-conflict-YYYYMMDD-HHMMSS-DEVICE.ini     DEVICE seven letters or digits
//   STEM (NAME's conflicted copy YYYY-MM-DD).ini      also with " (N)" before ".ini"
//   STEM (conflicted copy YYYY-MM-DD HHMMSS).ini
//   STEM-COMPUTER.ini, STEM-COMPUTER-N.ini            COMPUTER 1 to 15 upper-case letters,
//                                                     digits or hyphens, a letter among them
VersionName parseVersionName(std::string_view fileName, std::string_view stem);

// The file name without its folder and without ".ini": "2026_12_07", "directory_contact".
std::string_view fileStem(std::string_view path);

// "From NAME, WHEN", with "this computer" for this program's own copies and
// "another copy" when the name gives no one; ", could not be read" behind.
std::string versionLabel(const VersionName& name, std::string_view when, bool readable);

// One line of the page that differs from an other version, and whether it
// starts checked: only where the page's line is empty, so taking the checked
// lines overwrites nothing the user wrote.
struct DifferingLine {
    int line;
    bool checked;
};

// The lines, in page order, whose text, done box or mark differ. An empty
// line that is not done is stored without its mark, so its mark never counts.
std::vector<DifferingLine> differingLines(const DayPage& page, const DayPage& version);

// A line's text as a row of the comparison shows it: " (done)" behind a done line's.
std::string comparedText(const DayLine& line);

// Each of the given lines of the version, text, done box and mark, replaces the page's.
void takeLines(DayPage& page, const DayPage& version, const std::vector<int>& lines);

// Adds the entries of another copy that the directory does not hold behind
// its own, as many as fit; nothing is removed or changed.
struct EntriesAdded {
    int added = 0;
    int leftOut = 0;  // did not fit
};
EntriesAdded addMissingEntries(Directory& directory, const Directory& copy);

// The name a version moved aside takes when its own is taken in that folder:
// "X.ini" the n-th time becomes "X (n).ini" (n from 2).
std::string numberedName(std::string_view fileName, int n);

// Moves the file at path into the folder "Other versions" beside it, created
// when needed, under its own name or the first numbered one not taken. No
// file is ever replaced or deleted. Gives the new path, or nothing on failure.
std::string moveAside(std::string_view path);
// Keeps bytes beside the file at path as an other version stamped now. A name
// already taken by another version (two kept within one second) moves the
// stamp on by a second, so no version is written over; the same bytes kept
// already under a name are not kept twice. Gives the path kept, or an empty
// text when nothing could be written.
std::string keepOtherVersion(std::string_view path, std::string_view bytes, const SystemTime& now);
