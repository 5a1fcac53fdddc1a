// Putting a directory entry's name into the day line that had the focus.
#pragma once

#include "directory/directory_entry.h"

// Replaces the selection of the line in insertTarget by the entry's name; does
// nothing when the target is no day line.
void insertDirectoryItem(DirectoryEntry entry);
