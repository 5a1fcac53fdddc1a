// The main window's procedure: start-up, the command table and shutdown.
#include "app/main_window_win32.h"

#include <shellapi.h>

#include <cstring>
#include <cwchar>

#include "app/app_state_win32.h"
#include "app/calendar_file_win32.h"
#include "app/clock_win32.h"
#include "app/close_day_win32.h"
#include "app/control_names_win32.h"
#include "app/date_navigation_win32.h"
#include "app/quick_add_win32.h"
#include "app/day_view_win32.h"
#include "app/directory_copies_win32.h"
#include "app/directory_list_win32.h"
#include "app/find_dialog_win32.h"
#include "app/help_win32.h"
#include "app/import_calendar_win32.h"
#include "app/inbox_win32.h"
#include "app/line_commands_win32.h"
#include "app/line_controls_win32.h"
#include "app/line_navigation_win32.h"
#include "app/locale_text_win32.h"
#include "app/options_win32.h"
#include "app/other_versions_win32.h"
#include "app/screen_scale_win32.h"
#include "app/sort_tasks_win32.h"
#include "app/subscriptions_win32.h"
#include "app/tray_icon_win32.h"
#include "app/undo_win32.h"

namespace {

void setWindowIcons(HWND window, UINT dpi)
{
    int small = smallIconSize(dpi), large = largeIconSize(dpi);
    HANDLE smallIcon = LoadImageA(appState.instance, MAKEINTRESOURCEA(IDI_APP_SMALL), IMAGE_ICON, small, small, 0);
    HANDLE largeIcon = LoadImageA(appState.instance, MAKEINTRESOURCEA(IDI_APP_LARGE), IMAGE_ICON, large, large, 0);
    if (HANDLE old = HANDLE(SendMessageA(window, WM_SETICON, ICON_SMALL, LPARAM(smallIcon)))) DestroyIcon(HICON(old));
    if (HANDLE old = HANDLE(SendMessageA(window, WM_SETICON, ICON_BIG, LPARAM(largeIcon)))) DestroyIcon(HICON(old));
}

// Windows suggests where the window goes on a monitor of another scale; the
// controls, fonts and icons follow, and the current slot is marked in the new fonts.
// Nothing is drawn until everything has moved: then the window is drawn once.
void onDpiChanged(HWND window, UINT dpi, const RECT& suggested)
{
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    applyDpi(window, dpi);
    setWindowIcons(window, dpi);
    scaleTrayIcon();
    markCurrentSlot();
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool isDoneBoxCommand(int id)
{
    return (id >= IDC_FIRST_SCHEDULE_DONE && id <= IDC_FIRST_SCHEDULE_DONE + scheduleLineCount) ||
           (id >= IDC_FIRST_TODO_DONE && id <= IDC_FIRST_TODO_DONE + todoLineCount);
}

// The day is saved before the window goes, while the user can still be asked
// what to do when it cannot be.
void closeMainWindow()
{
    if (!keepShownDay(KeepOccasion::closing) &&
        showMessage(appState.mainWindow, "The day could not be saved. Close anyway and lose its changes?",
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    if (!keepDirectories(KeepOccasion::closing)) return;
    EndDialog(appState.mainWindow, IDCANCEL);
}

void showWindow()
{
    ShowWindow(appState.mainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(appState.mainWindow);
}

struct Command {
    int id;
    void (*run)();
    bool changesTheDay;  // rearranges the day shown, which a day whose file could not be read must not
};

const Command commands[] = {
    {IDCANCEL, closeMainWindow, false},
    {IDM_EXIT, closeMainWindow, false},
    {IDM_ABOUT, openAboutBox, false},
    {IDC_PREVIOUS_DAY, [] { stepDay(-1); }, false},
    {IDC_PICK_DATE, openDatePicker, false},
    {IDC_NEXT_DAY, [] { stepDay(+1); }, false},
    {IDM_MARK_IMPORTANT, [] { setMark(markImportant); }, true},
    {IDM_MARK_PRIMARY, [] { setMark(markPrimary); }, true},
    {IDM_MARK_SECONDARY, [] { setMark(markSecondary); }, true},
    {IDM_OPTIONS, openOptionsDialog, false},
    {IDM_TEMPLATES, openTemplates, false},
    {IDM_CONTACTS, openContacts, false},
    {IDM_CLOSE_EMPTY_TASKS, closeEmptyTasks, true},
    {IDM_HOME_PAGE, openHomePage, false},
    {IDM_USER_MANUAL, [] { openUserManual(appState.mainWindow, appState.caption); }, false},
    {IDM_MOVE_UP, [] { moveLine(-1); }, true},
    {IDM_MOVE_DOWN, [] { moveLine(+1); }, true},
    {IDM_CLEAR, clearLine, true},
    {IDM_PERIODIC_TASKS, openPeriodicTasks, false},
    {IDM_CLOSE_CURRENT_DAY, closeCurrentDay, true},
    {IDM_SORT_TASKS, sortTasks, true},
    {IDM_UNDO, undoChange, false},
    {IDM_REDO, redoChange, false},
    {IDM_FIND, openFind, false},
    {IDM_OTHER_VERSIONS, openOtherVersions, false},
    {IDC_OTHER_VERSION, openOtherVersions, false},
    {IDM_CALENDAR_FILE, toggleCalendarFile, false},
    {IDM_IMPORT_CALENDAR, chooseCalendarFile, false},
    {IDM_SUBSCRIPTIONS, openSubscriptionsDialog, false},
    {IDM_QUICK_ADD, openQuickAddFromAnywhere, false},
    {IDM_SHOW_WINDOW, showWindow, false},
};

void onCommand(int id)
{
    for (const Command& command : commands) {
        if (command.id != id) continue;
        if (!command.changesTheDay || !appState.storedDay.unreadable) command.run();
        return;
    }
    if (isDoneBoxCommand(id)) applyDoneState();
}

// A command ends any run of typing, and what it changes on the page is one
// step of its own. The line editors' notifications are no commands: typing
// must not be cut into a step per keystroke. The day a command leaves, as the
// day it goes to, may have changed for the calendar file.
void runCommand(int id)
{
    bool fromLine = isDayLine(GetDlgItem(appState.mainWindow, id));
    if (!fromLine) takeUndoStep();
    watchCalendarDay(appState.dateShown);
    onCommand(id);
    watchCalendarDay(appState.dateShown);
    if (!fromLine) takeUndoStep();
}

// High contrast switched on or off, or other colours chosen: the controls are
// told, as common controls must be, and everything is drawn again in the new
// colours. The window chooses no colour of its own, so every colour follows.
void onColoursChanged(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void onDroppedFiles(HDROP drop)
{
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), UINT(path.size()));
        path.resize(path.size() - 1);
        receive(calendarPathData, fromWide(path));
    }
    DragFinish(drop);
}

// The left button brings the window; the right one opens the icon's menu.
void onTrayIcon(LPARAM event)
{
    if (event == WM_LBUTTONDOWN || event == NIN_BALLOONTIMEOUT || event == NIN_BALLOONUSERCLICK) showWindow();
    if (event != WM_RBUTTONUP) return;
    if (int chosen = trayMenuChoice()) runCommand(chosen);
}

// Start-up posts the notice before the dialog loop first shows the window,
// and the message belongs in front of it. A second notice, posted for another
// file, arrives while the first message is open: the first run tells of that
// file too, after its own, so the messages keep their order.
void tellUnreadableFiles(HWND window)
{
    static bool telling = false;
    if (telling) return;
    telling = true;
    if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOWNORMAL);
    tellUnreadableDay();
    tellUnreadableDirectories();
    telling = false;
}

void InitMainWindow()
{
    HWND window = appState.mainWindow;
    findLineControls();
    SetWindowTextA(window, appState.caption);
    setWindowIcons(window, windowDpi(window));
    subclassDayLines();
    rememberLayout(window);
    nameControls(window);
    addTrayIcon();
    startClock();
    appState.dateShown = localTime();
    readOptions();
    useQuickAddKey(appState.quickAddKey);  // another program holding it is told in Options
    showHourLabels();
    loadDayPage();
    findDayVersionsNow();
    loadDirectoryFiles();
    for (int kind = 0; kind < periodKindCount; ++kind)
        lstrcpynA(appState.periodNames[kind], periodNames[kind], sizeof appState.periodNames[kind]);
    markCurrentSlot();
    startCalendarFile();
    DragAcceptFiles(window, TRUE);
    openInbox();
    PostMessageA(window, WM_ARRIVED, 0, 0);  // the command line's file and lines, once the window is up
}

// At a log-off or shutdown (endingSession) nobody can answer a question, so a
// day that cannot be saved is kept as an other version beside its file.
void SaveAll(bool endingSession = false)
{
    removeTrayIcon();
    writeOptions();
    keepDirectories(endingSession ? KeepOccasion::logOff : KeepOccasion::leave);
    keepShownDay(endingSession ? KeepOccasion::logOff : KeepOccasion::leave);
    stopCalendarFile();
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A restarted taskbar has forgotten the icon.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == taskbarCreated && message != 0) {
        addTrayIcon();
        return 0;
    }
    switch (message) {
    case WM_INITDIALOG:
        appState.mainWindow = window;
        appState.computer = thisComputer();
        InitMainWindow();
        // The page is typed into at once; the header comes first only in the tab order.
        SetFocus(lineEditor(0));
        return 0;
    case WM_DESTROY:
        closeInbox();
        dropQuickAddKey();
        SaveAll();
        break;
    case WM_QUERYENDSESSION: SaveAll(true); break;
    case WM_ENDSESSION:
        // The query removed the icon; a log-off that was cancelled keeps the program running.
        if (!wParam) addTrayIcon();
        break;
    case WM_TIMECHANGE:
        markCurrentSlot();
        clockTick();
        keepShownDay(KeepOccasion::tick);
        keepDirectories(KeepOccasion::tick);
        break;
    case WM_TIMER:
        if (wParam == calendarReadTimer) {
            readCalendarDaysSlice();
            break;
        }
        watchCalendarDay(appState.dateShown);  // the day midnight may leave
        clockTick();
        keepShownDay(KeepOccasion::tick);
        keepDirectories(KeepOccasion::tick);
        watchOtherVersions();
        watchDirectoryCopies();
        keepCalendarInStep();
        handleArrivals();  // what came while a message or dialog was open
        readSubscriptionsWhenDue();
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC) readSubscriptionsNow();
        break;
    case WM_SUBSCRIPTION_READ: takeSubscriptionReadings(); break;
    case WM_TELL_UNREADABLE: tellUnreadableFiles(window); break;
    case WM_DPICHANGED: onDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); break;
    case WM_COMMAND: runCommand(LOWORD(wParam)); break;
    case WM_INITMENUPOPUP: updateUndoItems(HMENU(wParam)); break;
    case WM_TRAY_ICON: onTrayIcon(lParam); break;
    case WM_DROPFILES: onDroppedFiles(HDROP(wParam)); break;
    case WM_SYSCOLORCHANGE: onColoursChanged(window); break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) onColoursChanged(window);
        break;
    case WM_ARRIVED: handleArrivals(); break;
    case WM_HOTKEY: openQuickAddFromAnywhere(); break;
    }
    return 0;
}
