// The list dialog shared by the contacts, templates and periodic tasks.
#include "app/directory_list_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "app/app_state_win32.h"
#include "app/control_names_win32.h"
#include "app/entry_dialogs_win32.h"
#include "app/insert_item_win32.h"
#include "app/line_controls_win32.h"
#include "app/list_columns_win32.h"
#include "app/locale_text_win32.h"
#include "app/periodic_task_dialog_win32.h"
#include "directory/directory_file.h"
#include "storage/other_version.h"
#include "resources/resource.h"

namespace {

// Which entry field each list column shows, and how wide the field is.
struct RowColumn {
    size_t offset;
    size_t width;
};
constexpr int rowColumnCount = 5;
using RowLayout = RowColumn[rowColumnCount];

#define FIELD(name) RowColumn{offsetof(DirectoryEntry, name), sizeof(DirectoryEntry::name)}
const RowLayout contactLayout = {FIELD(name), FIELD(phone), FIELD(email), FIELD(birthday), FIELD(description)};
const RowLayout periodicLayout = {FIELD(name), FIELD(period), FIELD(week), FIELD(day), FIELD(month)};
#undef FIELD

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
    const DirectoryFile& file;
    StoredDirectory& stored;
    const char* what;  // "contacts": what the questions call it
};

// Enter in the list dialog, and a row deleted: the directory is taken again from the rows.
constexpr int rebuildDirectoryCommand = IDOK;

const ListColumn contactColumns[] = {
    {"Name", 200}, {"Phone", 100}, {"E-mail", 100}, {"Birthday", 100}, {"Description", 200}};
const ListColumn templateColumns[] = {{"Name", 200}};
const ListColumn periodicColumns[] = {
    {"Name", 200}, {"Period", 200}, {"Week", 50}, {"Day", 50}, {"Month", 50}};

const char* directoryFullText = "The directory is full: it holds 200 entries. Delete one to add another.";

char* field(DirectoryEntry& entry, const RowColumn& column)
{
    return reinterpret_cast<char*>(&entry) + column.offset;
}

const char* field(const DirectoryEntry& entry, const RowColumn& column)
{
    return reinterpret_cast<const char*>(&entry) + column.offset;
}

int rowCount(HWND listControl)
{
    return int(SendMessageA(listControl, LVM_GETITEMCOUNT, 0, 0));
}

void readCell(HWND listControl, int row, int column, char* text, int width)
{
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = width;
    text[0] = '\0';
    SendMessageA(listControl, LVM_GETITEMTEXTA, row, LPARAM(&cell));
}

void tell(HWND listControl, const char* text)
{
    showMessage(listControl, text, MB_OK | MB_ICONINFORMATION);
}

int requireSelectedRow(HWND listControl)
{
    if (rowCount(listControl) == 0) {
        tell(listControl, "There is no item in listview!");
        return -1;
    }
    int row = selectedRow(listControl);
    if (row < 0) tell(listControl, "Please select a line!");
    return row;
}

void writeEntryRow(HWND listControl, int row, const DirectoryEntry& entry, const RowLayout& layout)
{
    if (row < 0) {
        LVITEMA item{};
        item.mask = LVIF_STATE;
        item.iItem = rowCount(listControl);
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        row = int(SendMessageA(listControl, LVM_INSERTITEMA, 0, LPARAM(&item)));
    }
    for (int column = 0; column < rowColumnCount; ++column) {
        LVITEMA cell{};
        cell.iSubItem = column;
        cell.pszText = const_cast<char*>(field(entry, layout[column]));
        SendMessageA(listControl, LVM_SETITEMTEXTA, row, LPARAM(&cell));
    }
}

void readEntryRow(HWND listControl, int row, DirectoryEntry& entry, const RowLayout& layout)
{
    for (int column = 0; column < rowColumnCount; ++column)
        readCell(listControl, row, column, field(entry, layout[column]), int(layout[column].width));
}

// The names are taken before sorting and each row carries the index of its own:
// a list view may pass row indexes that go stale while it moves the rows (Wine's
// LVM_SORTITEMSEX does), whereas a row's item data travels with it.
int CALLBACK compareNames(LPARAM first, LPARAM second, LPARAM names)
{
    auto* name = reinterpret_cast<const char(*)[lineTextSize]>(names);
    return collateAsTheUserDoes(name[first], name[second]);
}

// Ascending by name in the user's collation; the selection stays with its row.
// The list never holds more rows than a directory has entries.
void sortRows(HWND listControl)
{
    static char names[directoryCapacity][lineTextSize];
    int count = std::min(rowCount(listControl), directoryCapacity);
    for (int row = 0; row < count; ++row) {
        readCell(listControl, row, 0, names[row], lineTextSize);
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        SendMessageA(listControl, LVM_SETITEMA, 0, LPARAM(&item));
    }
    SendMessageA(listControl, LVM_SORTITEMS, WPARAM(names), LPARAM(compareNames));
}

void revealSelectedRow(HWND listControl)
{
    int row = requireSelectedRow(listControl);
    if (row >= 0) SendMessageA(listControl, LVM_ENSUREVISIBLE, row, FALSE);
}

// The list holds at most what the array has room for, as every row is copied into it.
void gatherDirectory(const DirectoryList& list)
{
    std::memset(list.entries, 0, sizeof list.entries);
    int count = rowCount(list.listControl);
    for (int row = 0; row < count && row < directoryCapacity; ++row)
        readEntryRow(list.listControl, row, list.entries[row], list.layout);
}

void fillRows(const DirectoryList& list)
{
    for (int i = 0; i < directoryCapacity && list.entries[i].name[0] != '\0'; ++i)
        writeEntryRow(list.listControl, -1, list.entries[i], list.layout);
    sortRows(list.listControl);
}

void fillDirectoryList(HWND dialog, DirectoryList& list)
{
    HWND listControl = GetDlgItem(dialog, IDC_DIRECTORY_ROWS);
    list.listControl = listControl;
    addListColumns(listControl, list.columns, list.columnCount,
                   LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    fillRows(list);
}

void onInitDialog(HWND dialog, DirectoryList& list)
{
    SetWindowLongPtrA(dialog, DWLP_USER, LONG_PTR(&list));
    HWND target = GetFocus();
    appState.insertTarget = target;
    bool editable = isDayLine(target) && (GetWindowLongA(target, GWL_STYLE) & ES_READONLY) == 0;
    EnableWindow(GetDlgItem(dialog, IDC_SELECT_ENTRY), editable);
    fillDirectoryList(dialog, list);
    if (list.caption) SetWindowTextA(dialog, list.caption);
    // A directory whose file could not be read can still be chosen from, but not changed.
    for (int button : {IDC_ADD_ENTRY, IDC_EDIT_ENTRY, IDC_DELETE_ENTRY})
        EnableWindow(GetDlgItem(dialog, button), !list.stored.unreadable);
    annotateName(GetDlgItem(dialog, IDC_ADD_ENTRY), "Add");
    annotateName(GetDlgItem(dialog, IDC_EDIT_ENTRY), "Edit");
    annotateName(GetDlgItem(dialog, IDC_DELETE_ENTRY), "Delete");
}

// The entry, added or edited, becomes a row and the directory is taken again from the rows.
void openEntryDialog(HWND dialog, DirectoryList& list, bool adding)
{
    EntryEdit edit{{}, adding ? nullptr : list.editCaption, list.listControl};
    if (!adding) readEntryRow(list.listControl, selectedRow(list.listControl), edit.entry, list.layout);
    if (DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(list.entryDialog), dialog, list.entryDialogProc,
                        LPARAM(&edit)) == 0)
        return;
    writeEntryRow(list.listControl, adding ? -1 : selectedRow(list.listControl), edit.entry, list.layout);
    gatherDirectory(list);
    sortRows(list.listControl);
    revealSelectedRow(list.listControl);
}

void addEntry(HWND dialog, DirectoryList& list)
{
    if (rowCount(list.listControl) >= directoryCapacity) {
        tell(list.listControl, directoryFullText);
        return;
    }
    openEntryDialog(dialog, list, true);
}

void editEntry(HWND dialog, DirectoryList& list)
{
    if (requireSelectedRow(list.listControl) >= 0) openEntryDialog(dialog, list, false);
}

void deleteEntry(HWND dialog, DirectoryList& list)
{
    int row = requireSelectedRow(list.listControl);
    if (row < 0) return;
    if (showMessage(dialog, "Delete the selected item. Are you sure?",
                    MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) != IDYES)
        return;
    SendMessageA(list.listControl, LVM_DELETEITEM, row, 0);
    SendMessageA(dialog, WM_COMMAND, rebuildDirectoryCommand, 0);
}

// The rows may have been sorted since the array was last rebuilt, so the entry
// is taken after rebuilding, at the row that is selected.
void selectEntry(HWND dialog, DirectoryList& list)
{
    if (requireSelectedRow(list.listControl) < 0) return;
    gatherDirectory(list);
    int row = selectedRow(list.listControl);
    DirectoryEntry entry = list.entries[row];
    insertDirectoryItem(entry);
    EndDialog(dialog, 0);
}

void onCommand(HWND dialog, DirectoryList& list, int id)
{
    bool changes = id == IDC_ADD_ENTRY || id == IDC_EDIT_ENTRY || id == IDC_DELETE_ENTRY;
    if (changes && list.stored.unreadable) return;
    switch (id) {
    case IDC_ADD_ENTRY: addEntry(dialog, list); break;
    case IDC_EDIT_ENTRY: editEntry(dialog, list); break;
    case IDC_DELETE_ENTRY: deleteEntry(dialog, list); break;
    case rebuildDirectoryCommand: gatherDirectory(list); break;
    case IDC_SELECT_ENTRY: selectEntry(dialog, list); break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    }
}

INT_PTR CALLBACK DirectoryListDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* list = reinterpret_cast<DirectoryList*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog, *reinterpret_cast<DirectoryList*>(lParam));
        return 1;
    case WM_COMMAND:
        if (list) onCommand(dialog, *list, LOWORD(wParam));
        return 1;
    case WM_NOTIFY:
        if (!list) break;
        if (reinterpret_cast<NMHDR*>(lParam)->code == NM_DBLCLK) {
            onCommand(dialog, *list, IDC_EDIT_ENTRY);
            return 1;
        }
        // The buttons "+", "..." and "-" from the keyboard: Insert, F2 and Delete.
        if (reinterpret_cast<NMHDR*>(lParam)->code == LVN_KEYDOWN) {
            switch (reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey) {
            case VK_INSERT: onCommand(dialog, *list, IDC_ADD_ENTRY); break;
            case VK_F2: onCommand(dialog, *list, IDC_EDIT_ENTRY); break;
            case VK_DELETE: onCommand(dialog, *list, IDC_DELETE_ENTRY); break;
            }
        }
        break;
    }
    return 0;
}

bool isOpen(const DirectoryList& list)
{
    return list.listControl && IsWindow(list.listControl);
}

// The merged entries, sorted as on opening; the selection stays on its entry
// where the entry is still there.
void showMergedEntries(DirectoryList& list)
{
    HWND listControl = list.listControl;
    DirectoryEntry selected{};
    int row = selectedRow(listControl);
    if (row >= 0) readEntryRow(listControl, row, selected, list.layout);
    SendMessageA(listControl, LVM_DELETEALLITEMS, 0, 0);
    fillRows(list);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listControl, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&state));
    for (int r = 0; row >= 0 && r < rowCount(listControl); ++r) {
        DirectoryEntry entry{};
        readEntryRow(listControl, r, entry, list.layout);
        if (std::memcmp(&entry, &selected, sizeof entry) != 0) continue;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(listControl, LVM_SETITEMSTATE, r, LPARAM(&state));
        SendMessageA(listControl, LVM_ENSUREVISIBLE, r, FALSE);
        break;
    }
    // A file that could not be read at start can be changed once it has been.
    HWND dialog = GetParent(listControl);
    for (int button : {IDC_ADD_ENTRY, IDC_EDIT_ENTRY, IDC_DELETE_ENTRY})
        EnableWindow(GetDlgItem(dialog, button), !list.stored.unreadable);
}

// Asks the keeper about the directory's file and shows a change taken in in its open list.
KeepAnswer keepDirectory(DirectoryList& list, KeepOccasion occasion)
{
    KeepAnswer answer = keepDirectoryFile(list.file, list.entries, list.stored, occasion,
                                          {appState.computer, toSystemTime(localTime())});
    if (answer.step == KeepStep::takeIn && isOpen(list)) showMergedEntries(list);
    return answer;
}

void openDirectoryList(DirectoryList& list)
{
    // A shortcut can reach the main window while a list is open. A second list
    // of the same directory would take over its state, and the first one's next
    // rebuild would then empty the directory.
    if (isOpen(list)) return;
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_DIRECTORY_LIST), appState.mainWindow,
                    DirectoryListDialog, LPARAM(&list));
    // Every change has reached the array by now; the file follows, so that
    // nothing waits for shutdown.
    if (keepDirectory(list, KeepOccasion::leave).tell) reportSaveFailure();
}

DirectoryList contactsList{appState.contacts, nullptr, contactColumns, 5, contactLayout,
                           IDD_CONTACT, ContactDialog, "Edit contact", nullptr,
                           contactsFile, appState.storedContacts, "contacts"};
DirectoryList templatesList{appState.templates, "Templates", templateColumns, 1, contactLayout,
                            IDD_TEMPLATE, TemplateDialog, "Edit template", nullptr,
                            templatesFile, appState.storedTemplates, "templates"};
DirectoryList periodicTasksList{appState.periodicTasks, "Periodic tasks", periodicColumns, 5, periodicLayout,
                                IDD_PERIODIC_TASK, PeriodicTaskDialog, "Edit periodic task", nullptr,
                                periodicTasksFile, appState.storedPeriodicTasks, "periodic tasks"};

DirectoryList* const directoryLists[] = {&contactsList, &templatesList, &periodicTasksList};

}  // namespace

void loadDirectoryFiles()
{
    for (DirectoryList* list : directoryLists) {
        loadStoredDirectory(list->file, list->entries, list->stored);
        if (list->stored.unreadable) PostMessageA(appState.mainWindow, WM_TELL_UNREADABLE, 0, 0);
    }
}

void tellUnreadableDirectories()
{
    for (DirectoryList* list : directoryLists)
        if (tellUnreadableOnce(list->stored))
            reportUnreadableFile(list->file.path, "this directory cannot be changed until it can be read.");
}

bool keepDirectories(KeepOccasion occasion)
{
    TickGuard guard(occasion);
    if (guard.skip) return true;
    bool tell = false;
    for (DirectoryList* list : directoryLists) {
        // An add or edit dialog, or a question, open over the list is not
        // disturbed: the change is taken in once it has closed.
        bool asking = guard.ticking && isOpen(*list) && !IsWindowEnabled(GetParent(list->listControl));
        KeepAnswer answer = keepDirectory(*list, asking ? KeepOccasion::tickAsking : occasion);
        tell = answer.tell || tell;
        if (occasion != KeepOccasion::closing || !isFailure(answer.saved)) continue;
        std::string question = std::string("The ") + list->what +
                               " could not be saved. Close anyway and lose their changes?";
        if (showMessage(appState.mainWindow, question.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return false;
    }
    if (tell) reportSaveFailure();
    return true;
}

int selectedRow(HWND listControl)
{
    return int(SendMessageA(listControl, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void openContacts()
{
    openDirectoryList(contactsList);
}

void openTemplates()
{
    openDirectoryList(templatesList);
}

void openPeriodicTasks()
{
    openDirectoryList(periodicTasksList);
}
