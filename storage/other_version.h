// Other versions of a day or directory file: copies kept beside it rather than written over.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "dates/calendar.h"
#include "storage/folder_listing.h"

// Where a version that must not be lost is kept beside the file at path, named
// after the computer that kept it and stamped with the local time:
// ".\Data\2026_12_07.ini" becomes ".\Data\2026_12_07.conflict-LAPTOP-20261207-093000.ini".
// Whoever opens the folder, here or on the other computer, sees which side's text it holds.
std::string otherVersionPath(std::string_view path, std::string_view computer, const SystemTime& now);

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
//   STEM.conflict-COMPUTER-YYYYMMDD-HHMMSS.ini        this program's own, COMPUTER as below
//   STEM.conflict-YYYYMMDD-HHMMSS.ini                 this program's own, from before it named one
//   STEM.sync-conflict-YYYYMMDD-HHMMSS-DEVICE.ini     DEVICE seven letters or digits
//   STEM (NAME's conflicted copy YYYY-MM-DD).ini      also with " (N)" before ".ini"
//   STEM (conflicted copy YYYY-MM-DD HHMMSS).ini
//   STEM-COMPUTER.ini, STEM-COMPUTER-N.ini            COMPUTER 1 to 15 upper-case letters,
//                                                     digits or hyphens, a letter among them;
//                                                     DESKTOP-1234567 a name as Windows setup makes it
VersionName parseVersionName(std::string_view fileName, std::string_view stem);

// An other version of a file, as the folder lists it.
struct FoundVersion {
    std::string path;
    VersionName name;
    FolderFile file;
};

// The other versions of the file folder\stem.ini, in no particular order.
std::vector<FoundVersion> findVersions(const std::string& folder, std::string_view stem);

// Versions looked at and left where they were, each until it changes: none is
// read again at every look, and no question or message comes twice.
using SettledVersions = std::map<std::string, std::pair<uint64_t, int64_t>>;
bool isSettled(const SettledVersions& settled, const FoundVersion& version);
void settle(SettledVersions& settled, const FoundVersion& version);

// The file name without its folder and without ".ini": "2026_12_07", "directory_contact".
std::string_view fileStem(std::string_view path);

// What became of reading a version to compare it with the page.
enum class VersionRead { read, unreadable, tooLarge };

// "From NAME, WHEN": "this computer" for this program's own copies kept here
// or named after no computer, the computer's name for those kept on another,
// "another copy" when the name gives no one; ", could not be read" or ", too
// large to compare" behind one that was not read.
std::string versionLabel(const VersionName& name, std::string_view thisComputer, std::string_view when,
                         VersionRead read);

// Moves the file at path into the folder "Other versions" beside it, created
// when needed, under its own name or the first numbered one not taken. No
// file is ever replaced or deleted. Gives the new path, or nothing on failure.
std::string moveAside(std::string_view path);
// Keeps bytes beside the file at path as an other version named after the
// computer (as otherVersionPath gives it) and stamped now. A name
// already taken by another version (two kept within one second) moves the
// stamp on by a second, so no version is written over; the same bytes kept
// already under a name are not kept twice. Gives the path kept, or an empty
// text when nothing could be written.
std::string keepOtherVersion(std::string_view path, std::string_view bytes, std::string_view computer,
                             const SystemTime& now);
