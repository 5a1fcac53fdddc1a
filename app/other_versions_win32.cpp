// Other versions of the day shown: finding them, and the dialog that compares one with the page.
#include "app/other_versions_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/list_columns_win32.h"
#include "app/day_lines_win32.h"
#include "app/undo_win32.h"
#include "day/day_file.h"
#include "day/day_search.h"
#include "app/day_view_win32.h"
#include "storage/file_stamp.h"
#include "storage/folder_listing.h"
#include "day/version_lines.h"
#include "storage/other_version.h"
#include "resources/resource.h"

namespace {

// Listing the Data folder's names that begin with the day's costs a few
// milliseconds under Wine with ten years of days; every second tick is enough.
// Ticks come about a second apart, neither exactly nor ever much sooner, so
// half way between one and two seconds picks every second one.
constexpr DWORD listingMilliseconds = 1500;

struct DayVersion {
    FoundVersion found;
    SYSTEMTIME time;  // local; from the name, else the file's last write
    VersionRead read = VersionRead::unreadable;
    DayPage page;  // as read, when it was
    bool offered = false;
};

SYSTEMTIME localFileTime(int64_t modified)
{
    FILETIME utc{DWORD(uint64_t(modified)), DWORD(uint64_t(modified) >> 32)}, local;
    SYSTEMTIME time{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &time);
    return time;
}

uint64_t timeKey(const SYSTEMTIME& t)
{
    return ((((uint64_t(t.wYear) * 100 + t.wMonth) * 100 + t.wDay) * 100 + t.wHour) * 100 + t.wMinute) * 100 +
           t.wSecond;
}

// The other versions of the day's file, newest first.
std::vector<DayVersion> versionsOfDay(const std::string& path)
{
    std::vector<DayVersion> versions;
    for (FoundVersion& found : findVersions(".\\Data", fileStem(path))) {
        SYSTEMTIME time = found.name.timed ? toSYSTEMTIME(found.name.time) : localFileTime(found.file.modified);
        versions.push_back(DayVersion{std::move(found), time, VersionRead::unreadable, {}, false});
    }
    std::stable_sort(versions.begin(), versions.end(),
                     [](const DayVersion& a, const DayVersion& b) { return timeKey(a.time) > timeKey(b.time); });
    return versions;
}

struct Watch {
    HWND window = nullptr;
    SYSTEMTIME dayListed{};
    DWORD listedAt = 0;
    // Of the day shown, newest first, each as read when its size or time last changed.
    std::vector<DayVersion> dayVersions;
};

Watch watch;

// The version as read at an earlier look, when it has not changed since.
DayVersion* readBefore(const FoundVersion& found)
{
    for (DayVersion& version : watch.dayVersions)
        if (version.found.path == found.path && version.found.file.size == found.file.size &&
            version.found.file.modified == found.file.modified)
            return &version;
    return nullptr;
}

bool anyOffered()
{
    return std::any_of(watch.dayVersions.begin(), watch.dayVersions.end(),
                       [](const DayVersion& version) { return version.offered; });
}

void showVersionControls(bool any)
{
    ShowWindow(GetDlgItem(appState.mainWindow, IDC_OTHER_VERSION), any ? SW_SHOWNA : SW_HIDE);
    EnableMenuItem(GetMenu(appState.mainWindow), IDM_OTHER_VERSIONS, MF_BYCOMMAND | (any ? MF_ENABLED : MF_GRAYED));
}

// A version that holds the page as it stands tells the user nothing, so it is
// not offered; but it stays, and only the user moves it aside. It may hold this
// computer's text that lost a merge on the other computer, kept there and
// brought here before the merged day: once that arrives, the page differs and
// the version is offered.
// While the day file has moved and is not yet taken in, a new version is left
// unread: it may be this computer's own file, renamed by a sync tool that put
// the other computer's in its place, and is judged once the page has taken that in.
void findDayVersions()
{
    if (!isSameDay(watch.dayListed, appState.dateShown)) watch.dayVersions.clear();
    watch.dayListed = appState.dateShown;
    std::vector<DayVersion> listed;
    // A day that could not be read cannot be compared, nor changed.
    if (!appState.storedDay.unreadable) {
        DayPage shown;
        gatherDayPage(shown);
        std::string path = dayFilePath(toSystemTime(appState.dateShown));
        bool dayFileTaken = isInStep(dayKind(appState.storedDay, toSystemTime(appState.dateShown)));
        for (DayVersion& version : versionsOfDay(path)) {
            if (DayVersion* before = readBefore(version.found)) {
                version.read = before->read;
                version.page = before->page;
            } else {
                if (!dayFileTaken) continue;
                version.read = readVersionPage(version.found, version.page);
            }
            version.offered = version.read != VersionRead::read || !differingLines(shown, version.page).empty();
            listed.push_back(std::move(version));
        }
    }
    watch.dayVersions = std::move(listed);
    showVersionControls(anyOffered());
}

// What was found for an earlier main window (in the tests, one after another) does not count.
void watchThisWindow()
{
    if (watch.window == appState.mainWindow) return;
    watch = Watch{};
    watch.window = appState.mainWindow;
}

void findOtherVersions()
{
    watchThisWindow();
    watch.listedAt = GetTickCount();
    findDayVersions();
}

// The dialog: the versions offered when it opened, as they were read.
struct VersionsDialog {
    HWND window = nullptr;
    std::vector<DayVersion> versions;
    size_t current = 0;
    std::vector<DifferingLine> rows;
};

VersionsDialog versionsDialog;

HWND lines()
{
    return GetDlgItem(versionsDialog.window, IDC_VERSION_LINES);
}

std::string timeText(const SYSTEMTIME& time)
{
    char date[100] = "", clock[100] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, LOCALE_USE_CP_ACP, &time, "d MMMM yyyy", date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS | LOCALE_USE_CP_ACP, &time, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

void addColumns()
{
    static const ListColumn columns[] = {{"Line", 70}, {"This page", 250}, {"Other version", 250}};
    addListColumns(lines(), columns, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
}

void setCell(int row, int column, const std::string& text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(lines(), column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, row, LPARAM(&item));
}

// The page as the window holds it now, against the version chosen.
void showVersion(size_t index)
{
    VersionsDialog& dialog = versionsDialog;
    dialog.current = index;
    const DayVersion& version = dialog.versions[index];
    bool readable = version.read == VersionRead::read;
    SendDlgItemMessageA(dialog.window, IDC_VERSION_CHOICE, CB_SETCURSEL, index, 0);
    DayPage page;
    gatherDayPage(page);
    dialog.rows = readable ? differingLines(page, version.page) : std::vector<DifferingLine>{};
    SendMessageA(lines(), LVM_DELETEALLITEMS, 0, 0);
    for (size_t row = 0; row < dialog.rows.size(); ++row) {
        int line = dialog.rows[row].line;
        setCell(int(row), 0, lineLabel(line));
        setCell(int(row), 1, comparedText(page.lines[line]));
        setCell(int(row), 2, comparedText(version.page.lines[line]));
        ListView_SetCheckState(lines(), row, dialog.rows[row].checked);
    }
    EnableWindow(GetDlgItem(dialog.window, IDOK), readable);
    EnableWindow(GetDlgItem(dialog.window, IDC_KEEP_PAGE), readable);
}

void fillChoices()
{
    HWND choice = GetDlgItem(versionsDialog.window, IDC_VERSION_CHOICE);
    SendMessageA(choice, CB_RESETCONTENT, 0, 0);
    std::string computer = thisComputer();
    for (const DayVersion& version : versionsDialog.versions) {
        std::string label = versionLabel(version.found.name, computer, timeText(version.time), version.read);
        SendMessageA(choice, CB_ADDSTRING, 0, LPARAM(label.c_str()));
    }
}

void onInitDialog(HWND window)
{
    versionsDialog.window = window;
    addColumns();
    fillChoices();
    showVersion(0);
}

// The version is done with: it moves aside, and the next one is shown, or the dialog closes after the last.
void putVersionAside()
{
    VersionsDialog& dialog = versionsDialog;
    if (moveAside(dialog.versions[dialog.current].found.path).empty())
        showMessage(dialog.window,
                    "The other version could not be moved into the folder Other versions; it stays where it is.",
                    MB_OK | MB_ICONERROR);
    dialog.versions.erase(dialog.versions.begin() + std::ptrdiff_t(dialog.current));
    if (dialog.versions.empty()) {
        EndDialog(dialog.window, IDOK);
        return;
    }
    fillChoices();
    showVersion(std::min(dialog.current, dialog.versions.size() - 1));
}

// The lines taken are one step of their own, and reach the day file before
// the version they came from moves aside.
void takeCheckedLines()
{
    VersionsDialog& dialog = versionsDialog;
    std::vector<int> taken;
    for (size_t row = 0; row < dialog.rows.size(); ++row)
        if (ListView_GetCheckState(lines(), row)) taken.push_back(dialog.rows[row].line);
    takeUndoStep();
    DayPage page;
    gatherDayPage(page);
    takeLines(page, dialog.versions[dialog.current].page, taken);
    showDayPage(page);
    takeUndoStep();
    // Saved at once, whatever the last save: a version taken within a second
    // of one is taken all the same. A page that could not be saved is told
    // of, and the version stays.
    if (!keepShownDay(KeepOccasion::leaveAsked)) return;
    putVersionAside();
}

bool currentIsRead()
{
    return versionsDialog.versions[versionsDialog.current].read == VersionRead::read;
}

INT_PTR CALLBACK OtherVersionsDialog(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_VERSION_CHOICE:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                LRESULT chosen = SendDlgItemMessageA(window, IDC_VERSION_CHOICE, CB_GETCURSEL, 0, 0);
                showVersion(size_t(std::max<LRESULT>(0, chosen)));
            }
            break;
        case IDOK:
            if (currentIsRead()) takeCheckedLines();
            break;
        case IDC_KEEP_PAGE:
            if (currentIsRead()) putVersionAside();
            break;
        case IDCANCEL: EndDialog(window, IDCANCEL); break;
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void findDayVersionsNow()
{
    watchThisWindow();
    findDayVersions();
}

void watchOtherVersions()
{
    // Not under a dialog of the program's own: a directory list rebuilds its
    // directory when it closes, and a message box must not be stacked on another.
    if (!IsWindowEnabled(appState.mainWindow)) return;
    bool sameDay = watch.window == appState.mainWindow && isSameDay(watch.dayListed, appState.dateShown);
    if (sameDay && GetTickCount() - watch.listedAt < listingMilliseconds) return;
    findOtherVersions();
}

void openOtherVersions()
{
    findOtherVersions();
    if (!anyOffered()) return;
    versionsDialog = VersionsDialog{};
    for (const DayVersion& version : watch.dayVersions) {
        if (!version.offered) continue;
        versionsDialog.versions.push_back(version);
        // One another program held at its look may be free by now.
        DayVersion& shown = versionsDialog.versions.back();
        if (shown.read == VersionRead::unreadable) shown.read = readVersionPage(shown.found, shown.page);
    }
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_OTHER_VERSIONS), appState.mainWindow,
                    OtherVersionsDialog, 0);
    versionsDialog = VersionsDialog{};
    findOtherVersions();
}
