// The list dialogs of the contacts, templates and periodic tasks, and keeping their files.
#pragma once

#include <windows.h>

#include "storage/file_keeper.h"

// The three directories from their files, contacts first; a file that exists
// but cannot be read is told of once the window is up (WM_TELL_UNREADABLE),
// and that directory cannot be changed or written this run.
void loadDirectoryFiles();
void tellUnreadableDirectories();

// The one verb for keeping the three directories: asks the keeper about each
// file on the occasion and shows what it answers. Every second a file another
// program changed is taken in once it has stayed put, merged with the
// directory and shown at once in its open list, and a directory that could
// not be saved is tried again. A failed save is told in one message for all
// three, once, and again only after a save has succeeded in between; at a
// log-off a directory that cannot be saved is kept as an other version beside
// its file. Closing asks, for each directory that cannot be saved, "Close
// anyway and lose their changes?": false when the user chose to stay.
bool keepDirectories(KeepOccasion occasion);

void openContacts();
void openTemplates();
void openPeriodicTasks();

// The row selected in a list control, or -1.
int selectedRow(HWND listControl);
