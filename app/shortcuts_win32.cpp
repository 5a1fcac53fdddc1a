// The thread message filter that turns shortcut keystrokes into main-window commands.
#include "app/shortcuts_win32.h"

#include "app/app_state_win32.h"
#include "resources/resource.h"

namespace {

HACCEL shortcuts;
HHOOK filterHook;

}  // namespace

bool installShortcutFilter(HINSTANCE instance)
{
    shortcuts = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_SHORTCUTS));
    filterHook = SetWindowsHookExA(WH_MSGFILTER, AcceleratorFilter, nullptr, GetCurrentThreadId());
    return filterHook != nullptr;
}

void removeShortcutFilter()
{
    UnhookWindowsHookEx(filterHook);
    filterHook = nullptr;
}

LRESULT CALLBACK AcceleratorFilter(int code, WPARAM wParam, LPARAM message)
{
    if (code != MSGF_DIALOGBOX) return 0;
    MSG* msg = reinterpret_cast<MSG*>(message);
    if (msg->message >= WM_KEYDOWN && msg->message <= WM_UNICHAR &&
        TranslateAcceleratorA(appState.mainWindow, shortcuts, msg))
        return 1;
    return CallNextHookEx(filterHook, 0, wParam, message);
}
