// The quick add box, and the lines it and /add put on their days.
#include "app/quick_add_win32.h"

#include <shellapi.h>

#include "app/app_state_win32.h"
#include "app/calendar_file_win32.h"
#include "app/day_lines_win32.h"
#include "app/undo_win32.h"
#include "app/day_view_win32.h"
#include "app/import_calendar_win32.h"
#include "app/locale_names_win32.h"
#include "app/locale_text_win32.h"
#include "day/day_search.h"
#include "day/stored_page.h"
#include "resources/resource.h"

namespace {

struct Typed {
    QuickLine line;
    DayImport day;
    LocaleNames names;
    SystemTime today;
};

// A line without a time goes on the first free to-do line, which is where the
// import puts a time outside the schedule; "note:" asks for the first free note,
// where the import puts a whole day.
Typed readTyped(const std::string& text)
{
    const SYSTEMTIME now = localTime();
    Typed typed{{}, {}, userLocaleNames(), {now.wYear, now.wMonth, 0, now.wDay}};
    typed.line = readQuickLine(text, typed.today, now.wHour * 60 + now.wMinute, typed.names);
    const QuickLine& line = typed.line;
    ImportedItem item{0, -1, -1, line.text, line.text};
    if (line.startMinute >= 0)
        item = timedItem(line.startMinute, line.endMinute >= 0 ? line.endMinute - line.startMinute : 0, line.text);
    else if (!line.note)
        item.startMinute = 24 * 60;
    if (line.startMinute >= 0 && line.endMinute < 0 && item.scheduleLine >= 0 && line.startMinute % 30 == 0)
        item.text = line.text;  // on its half hour exactly, the line's own time says it
    if (line.important) item.mark = markImportant;
    typed.day = {line.date, {item}};
    return typed;
}

bool isShown(const SystemTime& date)
{
    return isSameDay(toSYSTEMTIME(date), appState.dateShown);
}

// The page the line would go on, as it stands now: the window's for the day shown.
DayPage pageOf(const SystemTime& date)
{
    DayPage page;
    if (isShown(date)) {
        gatherDayPage(page);
    } else {
        StoredPage stored;
        loadStoredPage(stored, date, page);
    }
    return page;
}

int changedLine(const DayPage& before, const DayPage& after)
{
    for (int i = 0; i < dayLineCount; ++i)
        if (std::string(before.lines[i].text) != after.lines[i].text)
            return i;
    return -1;
}

std::string noFreeLine(const Typed& typed)
{
    return "No free line on " + longDate(typed.line.date, typed.names) + ".";
}

void showPreview(HWND dialog)
{
    char text[lineTextSize * 2] = "";
    readControlText(GetDlgItem(dialog, IDC_QUICK_TEXT), text, sizeof text);
    const Typed typed = readTyped(text);
    DayPage page = pageOf(typed.line.date);
    const DayPage before = page;
    std::string lineName;
    if (!placeOnPage(page, typed.day.items).placed.empty())
        lineName = lineLabel(changedLine(before, page));
    std::string preview = quickPreview(typed.line, typed.today, typed.names, lineName);
    if (lineName.empty() && typed.line.notUnderstood.empty() && !typed.line.text.empty())
        preview = noFreeLine(typed);
    SetDlgItemTextA(dialog, IDC_QUICK_PREVIEW, preview.c_str());
}

// On the monitor with the mouse, where the user is looking.
void placeBox(HWND dialog)
{
    POINT mouse{};
    GetCursorPos(&mouse);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(mouse, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT box{};
    GetWindowRect(dialog, &box);
    const RECT& area = monitor.rcWork;
    SetWindowPos(dialog, HWND_TOPMOST, area.left + (area.right - area.left - (box.right - box.left)) / 2,
                 area.top + (area.bottom - area.top - (box.bottom - box.top)) / 3, 0, 0, SWP_NOSIZE);
}

HWND openBox = nullptr;

INT_PTR CALLBACK QuickAddProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        openBox = dialog;
        SendDlgItemMessageA(dialog, IDC_QUICK_TEXT, EM_LIMITTEXT, lineTextSize - 1, 0);
        placeBox(dialog);
        SetForegroundWindow(dialog);
        SetFocus(GetDlgItem(dialog, IDC_QUICK_TEXT));
        showPreview(dialog);
        return FALSE;
    case WM_DESTROY: openBox = nullptr; break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_QUICK_TEXT && HIWORD(wParam) == EN_CHANGE) {
            showPreview(dialog);
        } else if (LOWORD(wParam) == IDOK) {
            char text[lineTextSize * 2] = "";
            readControlText(GetDlgItem(dialog, IDC_QUICK_TEXT), text, sizeof text);
            std::string problem;
            if (addQuickLine(text, problem))
                EndDialog(dialog, IDOK);
            else
                SetDlgItemTextA(dialog, IDC_QUICK_PREVIEW, problem.c_str());
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool addQuickLine(const std::string& text, std::string& problem)
{
    const Typed typed = readTyped(text);
    if (typed.line.text.empty() && typed.line.startMinute < 0)
        return true;  // nothing to add
    const bool shown = isShown(typed.line.date);
    takeUndoStep();
    DayPlacement placement = shown ? importIntoShownDay(typed.day) : importIntoDay(typed.day);
    if (placement.placed.empty() && placement.alreadyThere == 0) {
        problem = noFreeLine(typed);
        return false;
    }
    takeUndoStep();
    if (!shown)
        calendarDaysChanged({toSYSTEMTIME(typed.line.date)});
    return true;
}

void openQuickAdd()
{
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_QUICK_ADD), appState.mainWindow, QuickAddProc, 0);
}

void openQuickAddFromAnywhere()
{
    HWND window = appState.mainWindow;
    if (!IsWindowEnabled(window)) {
        SetForegroundWindow(openBox ? openBox : GetLastActivePopup(window));
        return;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    if (process == GetCurrentProcessId()) {
        openQuickAdd();
        return;
    }
    // Called up from another program, the box is no window's own, so that
    // closing it leaves the user typing where they were, not in front of
    // Quillory; the window waits for it all the same.
    EnableWindow(window, FALSE);
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_QUICK_ADD), nullptr, QuickAddProc, 0);
    EnableWindow(window, TRUE);
}

std::vector<std::string> quickAddArguments()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> lines;
    for (int i = 1; arguments && i + 1 < count; ++i)
        if (lstrcmpiW(arguments[i], L"/add") == 0)
            lines.push_back(fromWide(arguments[++i]));
    LocalFree(arguments);
    return lines;
}
