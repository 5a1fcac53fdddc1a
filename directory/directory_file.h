// The three directory files: where they live, their byte layout, reading them and writing them.
#pragma once

#include <cstddef>
#include <string>

#include "storage/file_stamp.h"
#include "storage/file_store.h"
#include "storage/file_keeper.h"
#include "dates/calendar.h"
#include "directory/directory_entry.h"
#include "storage/text_builder.h"

struct IniFile;

// One key of a directory file and the entry field it holds.
struct DirectoryKey {
    const char* name;
    size_t offset;  // of the field within a DirectoryEntry
    size_t width;   // of the field in bytes, terminator included
};

// Where a directory is kept and which keys each of its sections has, in written order.
struct DirectoryFile {
    const char* path;
    const DirectoryKey* keys;
    int keyCount;
};

extern const DirectoryFile contactsFile;       // ".\directory_contact.ini"
extern const DirectoryFile templatesFile;      // ".\directory_template.ini"
extern const DirectoryFile periodicTasksFile;  // ".\directory_periodic.ini"

// Fills the directory from sections ITEM_0 to ITEM_199 in number order, packed
// from entry 0; a section that is missing or has an empty name is skipped.
// Every entry behind the last one read is zero.
void readDirectory(const IniFile& ini, const DirectoryFile& file, Directory& directory);

// A missing or unreadable file gives an empty directory; the result tells which.
ReadResult loadDirectory(const DirectoryFile& file, Directory& directory);

// The whole file of a directory as it is written: an empty directory gives no bytes.
TextBuilder composeDirectoryFile(const DirectoryFile& file, const Directory& directory);

// Replaces the file in one step; false when it could not be written, and then
// the previous file is left exactly as it was.
bool saveDirectory(const DirectoryFile& file, const Directory& directory);

// What a directory's file holds as far as this run knows.
struct StoredDirectory {
    std::string held;            // the directory as last read or written, composed as it is written
    bool unreadable = false;     // the file exists but could not be read: it is not written this run
    bool unreadableTold = false;
    bool failureTold = false;
    FileWatch watch;
};

void loadStoredDirectory(const DirectoryFile& file, Directory& directory, StoredDirectory& stored);

// Writes the directory's file unless it could not be read or the directory is
// what the file already holds: a hand-edited file, or one in the old code
// page, keeps its bytes until the user changes the directory.
StoreResult storeDirectory(const DirectoryFile& file, const Directory& directory, StoredDirectory& stored);

// What bringing a directory's file and its entries in step came to.
struct DirectorySync {
    bool retry = false;         // the file could not be read, or its other version not kept: nothing changed
    bool fileChanged = false;   // another program changed the file: its entries are merged in
    std::string otherVersion;   // where the file was kept when the merge would not fit in the directory
    StoreResult stored = StoreResult::skipped;
};

// Reads the file again; what another program changed in it since it was last
// read or written is merged into the directory, which is then written where
// it differs from what the file holds. When the merge would hold more than
// the directory has room for, the directory stays as it is and the file is
// kept as an other version, named after the computer and stamped now.
DirectorySync syncDirectoryFile(const DirectoryFile& file, Directory& directory, StoredDirectory& stored,
                                std::string_view computer, const SystemTime& now);
