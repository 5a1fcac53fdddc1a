// Taking in a directory file that another program changed: whole entries merged with this run's.
#pragma once

#include "directory/directory_entry.h"

// Entries are compared whole, all their fields, against the entries both
// sides started from. An entry added on either side is in the result once;
// one removed on one side and left alone on the other is gone; one changed on
// one side appears as changed there; one changed differently on both sides
// appears in both forms. The order is this run's entries in their order, then
// those that came from the file, in the file's order.
//
// False, with the result untouched, when it would hold more entries than a
// directory has room for.
bool mergeDirectories(const Directory& base, const Directory& mine, const Directory& theirs, Directory& result);

// Adds the entries of another copy that the directory does not hold behind
// its own, as many as fit; nothing is removed or changed.
struct EntriesAdded {
    int added = 0;
    int leftOut = 0;  // did not fit
};
EntriesAdded addMissingEntries(Directory& directory, const Directory& copy);
