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

// What a directory's file holds as far as this run knows.
struct StoredDirectory : FileKeeper {
    std::string held;  // the directory as last read or written, composed as it is written
};

void loadStoredDirectory(const DirectoryFile& file, Directory& directory, StoredDirectory& stored);

// The one verb for writing a directory: its file, unless it could not be read
// or the directory is what the file already holds (a hand-edited file, or one
// in the old code page, keeps its bytes until the user changes the
// directory). The file is replaced only while it is as last read or written.
WriteOutcome writeDirectoryFile(const DirectoryFile& file, const Directory& directory, StoredDirectory& stored);

// What keeping a directory's file and its entries in step came to.
struct DirectoryKeep {
    KeepStep step = KeepStep::nothing;  // takeIn: another program changed the file, its entries are merged in
    StoreResult stored = StoreResult::skipped;
    std::string otherVersion;  // where the file was kept when the merge would not fit in the directory
};

// The one verb for taking a change in: reads the file again; what another
// program changed in it since it was last read or written is merged into the
// directory, which is then written where it differs from what the file
// holds. When the merge would hold more than the directory has room for, the
// directory stays as it is and the file is kept as an other version.
DirectoryKeep takeInDirectoryFile(const DirectoryFile& file, Directory& directory, StoredDirectory& stored,
                                  std::string_view computer, const SystemTime& now, bool leaving);

// Looks at the directory's file and does what the keeper answers. At a tick
// the entries are compared with the file only while a write is failing, so
// that it is tried again; changes made in a list are written when it closes.
DirectoryKeep keepDirectoryFile(const DirectoryFile& file, Directory& directory, StoredDirectory& stored,
                                KeepOccasion occasion, std::string_view computer, const SystemTime& now);
