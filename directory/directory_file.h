// The three directory files: where they live, their byte layout, reading them and writing them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "storage/file_stamp.h"
#include "storage/file_store.h"
#include "storage/kept_file.h"
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

// A directory is too large to keep on the stack three times over.
struct DirectoryCopy {
    Directory entries;
};

// A directory's file for the keeper. What the file held is kept in its written
// form, so that a hand-edited file holding the same entries counts as
// unchanged. Changes made in a list are written when it closes; a tick looks
// at the entries only while a write is failing, so that it is tried again.
// When a merge would hold more than the directory has room for, the directory
// stays as it is and the file is kept beside it.
struct DirectoryKind {
    using Content = Directory;
    using Held = std::string;
    const DirectoryFile& file;
    FileKeeper& keeper;
    std::string& held;
    std::string path = file.path;
    const char* folder = nullptr;
    bool deleteWhenEmpty = false;
    bool writtenAtTicks = false;
    std::unique_ptr<DirectoryCopy> theirs = nullptr, merged = nullptr;  // made only when the file is read
    bool fits = true;

    std::string compose(const Directory& directory) const;
    bool changedHere(const Directory& directory) const { return compose(directory) != held; }
    bool changedThere(const std::string& read) const { return read != held; }
    void hold(const Directory& directory) { held = compose(directory); }
    void read(const IniFile& ini, std::string& read, const Directory& window);
    bool merge(const Directory& window, const std::string& read);
    void takeMerged(Directory& window);
};

inline DirectoryKind directoryKind(const DirectoryFile& file, StoredDirectory& stored)
{
    return {file, stored, stored.held};
}

// The directory's file and its entries brought in step on an occasion.
KeepAnswer keepDirectoryFile(const DirectoryFile& file, Directory& directory, StoredDirectory& stored,
                             KeepOccasion occasion, const KeepContext& context);
