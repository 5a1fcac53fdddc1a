// The Find dialog: every line of every day that holds the typed text, and going to one of them.
#include "app/find_dialog_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/app_state_win32.h"
#include "app/date_navigation_win32.h"
#include "app/day_index_win32.h"
#include "app/line_controls_win32.h"
#include "app/list_columns_win32.h"
#include "app/locale_text_win32.h"
#include "text/utf8_text.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR readTimer = 1;
// Reading that ends within this time is done before the dialog shows; beyond
// it the dialog shows how far it has come and reads on until the user does
// something, so that a keystroke or a click is never kept waiting.
constexpr DWORD firstReadMilliseconds = 200;
constexpr DWORD progressMilliseconds = 100;

struct FindDialog {
    HWND window = nullptr;
    FindResult found;
    bool reading = false;
    char typed[lineTextSize] = "";
    FoundRow chosen{};
    std::string shownTexts[3];  // the last texts handed to the list
    size_t nextShown = 0;
};

FindDialog findDialog;

HWND rows()
{
    return GetDlgItem(findDialog.window, IDC_FIND_ROWS);
}

void selectRow(int row)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(rows(), LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&item));
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(rows(), LVM_SETITEMSTATE, row, LPARAM(&item));
    SendMessageA(rows(), LVM_ENSUREVISIBLE, row, FALSE);
}

// The newest match is selected, so that Enter goes straight to it.
void showMatches()
{
    readControlText(GetDlgItem(findDialog.window, IDC_FIND_TEXT), findDialog.typed, sizeof findDialog.typed);
    findDialog.found = findLines(dayIndex(), findDialog.typed);
    SetDlgItemTextA(findDialog.window, IDC_FIND_COUNT, countText(findDialog.found).c_str());
    SendMessageA(rows(), LVM_SETITEMCOUNT, findDialog.found.rows.size(), 0);
    selectRow(findDialog.found.rows.empty() ? -1 : 0);
    InvalidateRect(rows(), nullptr, TRUE);
}

void showReadingProgress()
{
    HWND count = GetDlgItem(findDialog.window, IDC_FIND_COUNT);
    SetWindowTextA(count, readingText(dayIndex().readCount, dayIndex().toRead.size()).c_str());
    UpdateWindow(count);
}

// Waiting for the next timer message between short steps would leave the
// processor idle for much of the reading; asking for pending input is cheap
// enough to do every few files.
void readStep()
{
    UpdateWindow(findDialog.window);
    DWORD shown = GetTickCount();
    for (;;) {
        for (int i = 0; i < 8; ++i)
            if (!readNextDay(dayIndex())) {
                KillTimer(findDialog.window, readTimer);
                findDialog.reading = false;
                showMatches();
                return;
            }
        if (GetTickCount() - shown >= progressMilliseconds) {
            showReadingProgress();
            shown = GetTickCount();
        }
        if (GetQueueStatus(QS_INPUT) >> 16) break;
    }
    showReadingProgress();
}

void addColumns()
{
    static const ListColumn columns[] = {{"Date", 100}, {"Line", 70}, {"Text", 360}};
    addListColumns(rows(), columns, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

// The day shown is searched as the window holds it, unsaved changes and all.
void onInitDialog(HWND dialog)
{
    findDialog = FindDialog{};
    findDialog.window = dialog;
    SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, lineCharacterLimit, 0);
    addColumns();
    planDayIndex();
    if (readDayIndexFor(firstReadMilliseconds)) return;
    findDialog.reading = true;
    SetDlgItemTextA(dialog, IDC_FIND_COUNT, readingText(dayIndex().readCount, dayIndex().toRead.size()).c_str());
    SetTimer(dialog, readTimer, USER_TIMER_MINIMUM, nullptr);
}

// The list asks for each text it draws, with room for a line's characters but
// not for their bytes: it is given the address of the whole text instead,
// which it may use until it has asked for two more.
void onGetDisplayInfo(NMLVDISPINFOA& info)
{
    LVITEMA& item = info.item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || size_t(item.iItem) >= findDialog.found.rows.size()) return;
    const FoundRow& row = findDialog.found.rows[size_t(item.iItem)];
    std::string text;
    if (item.iSubItem == 0) {
        SYSTEMTIME date = toSYSTEMTIME(row.date);
        char shortDate[80] = "";
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE | LOCALE_USE_CP_ACP, &date, nullptr, shortDate, sizeof shortDate);
        text = shortDate;
    } else {
        text = item.iSubItem == 1 ? lineLabel(row.line) : std::string(row.text);
    }
    std::string& shown = findDialog.shownTexts[findDialog.nextShown++ % 3];
    shown = std::move(text);
    item.pszText = shown.data();
}

void goToSelectedRow()
{
    int row = int(SendMessageA(rows(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    if (row < 0 || size_t(row) >= findDialog.found.rows.size()) return;
    findDialog.chosen = findDialog.found.rows[size_t(row)];
    EndDialog(findDialog.window, IDOK);
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam == readTimer) readStep();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FIND_TEXT:
            if (HIWORD(wParam) == EN_CHANGE && !findDialog.reading) showMatches();
            break;
        case IDOK: goToSelectedRow(); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        }
        return TRUE;
    case WM_NOTIFY: {
        NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
        if (header.idFrom != IDC_FIND_ROWS) break;
        if (header.code == LVN_GETDISPINFOA) onGetDisplayInfo(reinterpret_cast<NMLVDISPINFOA&>(header));
        // The list keeps Enter for itself and tells of it as NM_RETURN.
        if (header.code == NM_DBLCLK || header.code == NM_RETURN) goToSelectedRow();
        return TRUE;
    }
    case WM_DESTROY:
        KillTimer(dialog, readTimer);
        findDialog.window = nullptr;
        findDialog.found = {};  // its texts belong to days, which the next opening changes
        break;
    }
    return FALSE;
}

// Goes to the day as the date picker does, then to the line with the text selected.
void goTo(const FoundRow& row, const char* typed)
{
    SYSTEMTIME date = appState.dateShown;
    date.wYear = row.date.wYear;
    date.wMonth = row.date.wMonth;
    date.wDay = row.date.wDay;
    if (!isSameDay(date, appState.dateShown) && !moveTo(date)) return;
    HWND editor = lineEditor(row.line);
    SetFocus(editor);
    std::string text(size_t(GetWindowTextLengthA(editor)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(editor, text.data(), int(text.size()))));
    TextRange found = findInLine(text, typed, foldAsTheUserDoes);
    if (found.start < 0) return;
    // The editor counts its positions in UTF-16 units, not in the bytes of the text.
    size_t start = editorPosition(text, size_t(found.start));
    size_t end = editorPosition(text, size_t(found.start + found.length));
    SendMessageA(editor, EM_SETSEL, start, end);
}

}  // namespace

// A shortcut can reach the main window while Find is open; the one open
// then only takes the focus back to its text.
void openFind()
{
    if (findDialog.window && IsWindow(findDialog.window)) {
        SetFocus(GetDlgItem(findDialog.window, IDC_FIND_TEXT));
        SendDlgItemMessageA(findDialog.window, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
        return;
    }
    // Opened over another of the program's dialogs, Find is modal to that one,
    // which it leaves disabled no longer than it found it.
    HWND owner = GetLastActivePopup(appState.mainWindow);
    if (DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_FIND), owner, FindDialogProc, 0) != IDOK) return;
    goTo(findDialog.chosen, findDialog.typed);
}
