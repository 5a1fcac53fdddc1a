// The list dialog of a directory and what its add/edit dialogs share with it.
#pragma once

#include <windows.h>

#include "app/list_columns_win32.h"
#include "directory/directory_entry.h"
#include "directory/directory_file.h"

// Which entry field each list column shows, and how wide the field is.
struct RowColumn {
    size_t offset;
    size_t width;
};
constexpr int rowColumnCount = 5;
using RowLayout = RowColumn[rowColumnCount];
extern const RowLayout contactLayout;   // name, phone, e-mail, birthday, description
extern const RowLayout periodicLayout;  // name, period, week, day, month

// One member of the list dialog family, and the state of its open dialog.
struct DirectoryList {
    Directory& entries;
    const char* caption;  // null keeps the template's own
    const ListColumn* columns;
    int columnCount;
    const RowLayout& layout;
    int entryDialog;
    DLGPROC entryDialogProc;
    const char* editCaption;
    HWND listControl;
    int addMode;  // 1 while the add/edit dialog adds, 0 while it edits the selected row
    const DirectoryFile& file;
    StoredDirectory& stored;
    const char* what;  // "contacts": what the questions call it
};

extern DirectoryList contactsList;
extern DirectoryList templatesList;
extern DirectoryList periodicTasksList;

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

// Sent by an add/edit dialog to the list dialog once it has stored a row.
constexpr int rebuildDirectoryCommand = IDOK;

INT_PTR CALLBACK DirectoryListDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ContactDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK TemplateDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PeriodicTaskDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Rows of a list control.
int selectedRow(HWND listControl);
int requireSelectedRow(HWND listControl);
void writeEntryRow(HWND listControl, int row, const DirectoryEntry& entry, const RowLayout& layout);
void readEntryRow(HWND listControl, int row, DirectoryEntry& entry, const RowLayout& layout);

// What every add/edit dialog does when it opens: the entry it starts from (empty
// when adding, the selected row when editing) and its caption.
DirectoryEntry startEntryDialog(HWND dialog, const DirectoryList& list);

// Stores the entry as the list's new row or over the noted row, ends the
// add/edit dialog and has the list dialog rebuild its directory.
void storeEntry(HWND dialog, const DirectoryList& list, int notedRow, const DirectoryEntry& entry);

// Messages about what the user typed; owned by the list, as the dialog stays open.
void reportEntryProblem(const DirectoryList& list, const char* text);

void showEntryInDialog(HWND dialog, DirectoryEntry entry);
