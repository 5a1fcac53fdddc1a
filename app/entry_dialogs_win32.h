// The add/edit dialogs of a directory's entries.
#pragma once

#include <windows.h>

#include "directory/directory_entry.h"

// What a list gives its add/edit dialog as the dialog's parameter. The dialog
// shows the entry and, once the user gives a valid one, leaves it here and
// ends with 1.
struct EntryEdit {
    DirectoryEntry entry;   // empty when adding
    const char* caption;    // null keeps the template's own
    HWND listControl;       // the list's rows, over which a problem is told
};

INT_PTR CALLBACK ContactDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TemplateDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// For any add/edit dialog: at WM_INITDIALOG, keeps the edit and gives its entry;
// then shows an entry in whichever of the fields the dialog has; at OK, keeps
// the entry and ends the dialog, or tells the problem and stays open.
const DirectoryEntry& startEntryDialog(HWND dialog, LPARAM edit);
void showEntryInDialog(HWND dialog, DirectoryEntry entry);
void finishEntryDialog(HWND dialog, const DirectoryEntry& entry, const char* problem);
