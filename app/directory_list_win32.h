// The list dialogs of the contacts, templates and periodic tasks, and keeping their files.
#pragma once

#include <windows.h>

// The three directories from their files, contacts first; a file that exists
// but cannot be read is told of once the window is up (WM_TELL_UNREADABLE),
// and that directory cannot be changed or written this run.
void loadDirectoryFiles();
void tellUnreadableDirectories();

// Before the window closes, while the user can still be asked: each directory
// that cannot be saved asks "Close anyway and lose their changes?"; false
// when the user chose to stay.
bool saveDirectoriesBeforeClosing();

// Writes all three files but those that could not be read or did not change;
// a failure is told once, and again only after a save has succeeded in
// between. At a log-off or shutdown, where nobody can answer, a directory
// that cannot be saved is kept as an other version beside its file.
void saveDirectoryFiles(bool endingSession);

// Run every second: a directory file another program changed is taken in
// once it has stayed put for a second, merged with the directory, and shown
// at once in its open list; a directory that could not be saved is tried again.
void keepDirectoriesInStep();

void openContacts();
void openTemplates();
void openPeriodicTasks();

// The row selected in a list control, or -1.
int selectedRow(HWND listControl);
