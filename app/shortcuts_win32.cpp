// The thread message filter that turns shortcut keystrokes into main-window commands.
#include "app/shortcuts_win32.h"

#include "app/app_state_win32.h"
#include "resources/resource.h"

namespace {

HACCEL shortcuts;
HHOOK filterHook;

// While another of the program's dialogs is open the main window is disabled,
// and the platform delivers no shortcut to a disabled window. Find is meant to
// work from there too, so the keys of its entries are matched here.
ACCEL overDialogs[4];
int overDialogCount;

void keepShortcutsForOverDialogs()
{
    ACCEL all[32];
    int count = CopyAcceleratorTableA(shortcuts, all, 32);
    overDialogCount = 0;
    for (int i = 0; i < count && overDialogCount < 4; ++i)
        if (all[i].cmd == IDM_FIND && (all[i].fVirt & FVIRTKEY)) overDialogs[overDialogCount++] = all[i];
}

bool runOverDialog(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    BYTE held = (GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) | (GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                (GetKeyState(VK_MENU) < 0 ? FALT : 0);
    for (int i = 0; i < overDialogCount; ++i)
        if (overDialogs[i].key == msg.wParam && (overDialogs[i].fVirt & (FCONTROL | FSHIFT | FALT)) == held) {
            SendMessageA(appState.mainWindow, WM_COMMAND, MAKEWPARAM(overDialogs[i].cmd, 1), 0);
            return true;
        }
    return false;
}

}  // namespace

bool installShortcutFilter(HINSTANCE instance)
{
    shortcuts = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_SHORTCUTS));
    keepShortcutsForOverDialogs();
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
        ((appState.mainWindow && !IsWindowEnabled(appState.mainWindow) && runOverDialog(*msg)) ||
         TranslateAcceleratorA(appState.mainWindow, shortcuts, msg)))
        return 1;
    return CallNextHookEx(filterHook, 0, wParam, message);
}
