// The program's entry point: one running copy, the large-font choice, the shortcuts, the main window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "app/app_state_win32.h"
#include "app/import_calendar_win32.h"
#include "app/inbox_win32.h"
#include "app/main_window_win32.h"
#include "app/options_win32.h"
#include "app/quick_add_win32.h"
#include "app/screen_scale_win32.h"
#include "app/shortcuts_win32.h"
#include "app/working_folder_win32.h"
#include "resources/resource.h"

namespace {

// Two copies started at the same moment meet at the mutex; the later one
// waits for the other's window to take what it was given. A copy still closing
// holds the mutex with no window: once it has ended, this copy runs instead,
// so a file opened just then is not lost.
bool anotherCopyRuns(HANDLE& mutex, HWND& running)
{
    std::string name = std::string("Local\\") + appState.caption + ".SingleInstance";
    for (int wait = 0; wait < 100; ++wait, Sleep(100)) {
        mutex = CreateMutexA(nullptr, FALSE, name.c_str());
        bool another = GetLastError() == ERROR_ALREADY_EXISTS;
        running = runningCopy();
        if (running != nullptr || !another) return running != nullptr;
        CloseHandle(mutex);
        mutex = nullptr;
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    appState.instance = instance;
    LoadStringA(instance, IDS_CAPTION, appState.caption, 100);

    HANDLE mutex = nullptr;
    std::string calendarFile = calendarFileArgument();
    std::vector<std::string> quickLines = quickAddArguments();
    HWND running = nullptr;
    if (anotherCopyRuns(mutex, running)) {
        if (running == nullptr) return 0;
        if (!calendarFile.empty()) passToRunningCopy(running, calendarPathData, calendarFile);
        for (const std::string& line : quickLines) passToRunningCopy(running, quickAddData, line);
        // Lines added from a script or launcher leave the window where it is.
        if (quickLines.empty()) bringRunningCopyForward(running);
        return 0;
    }
    useWorkingFolder();
    if (!calendarFile.empty()) receive(calendarPathData, calendarFile);
    for (const std::string& line : quickLines) receive(quickAddData, line);

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
