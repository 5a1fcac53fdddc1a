// The program's entry point: one running copy, the large-font choice, the shortcuts, the main window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "app/app_state_win32.h"
#include "app/import_calendar_win32.h"
#include "app/main_window_win32.h"
#include "app/options_win32.h"
#include "app/quick_add_win32.h"
#include "app/screen_scale_win32.h"
#include "app/shortcuts_win32.h"
#include "resources/resource.h"

namespace {

// Only the program's own main window counts as a running copy: a dialog
// titled with the caption. A folder window that happens to share the name
// must not keep the program from starting.
HWND runningCopy()
{
    return FindWindowA("#32770", appState.caption);
}

// Two copies started at the same moment meet at the mutex; the later one
// waits briefly for the other's window to bring it forward.
bool anotherCopyRuns(HANDLE& mutex)
{
    std::string name = std::string("Local\\") + appState.caption + ".SingleInstance";
    mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    bool another = GetLastError() == ERROR_ALREADY_EXISTS;
    HWND running = runningCopy();
    for (int wait = 0; another && running == nullptr && wait < 50; ++wait) {
        Sleep(100);
        running = runningCopy();
    }
    if (running) SetForegroundWindow(running);
    return another || running != nullptr;
}

// The running copy imports the file the user opened with this one, or adds its /add lines.
void passToRunningCopy(ULONG_PTR kind, const std::string& text)
{
    HWND running = runningCopy();
    if (text.empty() || running == nullptr) return;
    COPYDATASTRUCT data{kind, DWORD(text.size() + 1), const_cast<char*>(text.c_str())};
    DWORD_PTR ignored;
    SendMessageTimeoutA(running, WM_COPYDATA, 0, LPARAM(&data), SMTO_ABORTIFHUNG, 5000, &ignored);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    appState.instance = instance;
    LoadStringA(instance, IDS_CAPTION, appState.caption, 100);

    HANDLE mutex = nullptr;
    std::string calendarFile = calendarFileArgument();
    std::vector<std::string> quickLines = quickAddArguments();
    if (anotherCopyRuns(mutex)) {
        passToRunningCopy(calendarPathData, calendarFile);
        for (const std::string& line : quickLines) passToRunningCopy(quickAddData, line);
        return 0;
    }
    if (!calendarFile.empty()) queueCalendarImport(calendarFile);
    for (const std::string& line : quickLines) queueQuickAdd(line);

    // The annotations that name controls for screen readers, and the file dialogs, are COM's.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);

    appState.autorun = 1;
    appState.showTime = 1;
    appState.am_pm = 0;
    appState.largeFont = 0;
    appState.calendarFile = 0;
    readLargeFontOption();

    installShortcutFilter(instance);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(mainWindowTemplate()), nullptr,
                    MainDialogProc, 0);
    removeShortcutFilter();
    if (mutex) CloseHandle(mutex);
    return 0;
}
