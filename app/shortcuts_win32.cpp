// The thread message filter that turns shortcut keystrokes into main-window commands.
#include "app/shortcuts_win32.h"

#include "app/app_state_win32.h"
#include "resources/resource.h"

namespace {

HACCEL shortcuts;
HACCEL dialogShortcuts;  // without Undo and Redo
HHOOK filterHook;

// While another of the program's dialogs is open the main window is disabled,
// and the platform delivers no shortcut to a disabled window. Find is meant to
// work from there too, so its key is matched by hand.
ACCEL findShortcut;

// Undo and Redo act on the page's history. Typed in another of the program's
// dialogs they belong to its edit control, which undoes its own typing.
HACCEL dialogTable(HACCEL table)
{
    ACCEL entries[64];
    int count = CopyAcceleratorTableA(table, entries, 64);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[i].cmd == IDM_FIND) findShortcut = entries[i];
        if (entries[i].cmd != IDM_UNDO && entries[i].cmd != IDM_REDO) entries[kept++] = entries[i];
    }
    return CreateAcceleratorTableA(entries, kept);
}

bool runFindOverDialog(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != findShortcut.key) return false;
    BYTE held = (GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) | (GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) |
                (GetKeyState(VK_MENU) < 0 ? FALT : 0);
    if ((findShortcut.fVirt & (FCONTROL | FSHIFT | FALT)) != held) return false;
    SendMessageA(appState.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_FIND, 1), 0);
    return true;
}

LRESULT CALLBACK AcceleratorFilter(int code, WPARAM wParam, LPARAM message)
{
    if (code != MSGF_DIALOGBOX) return 0;
    // Keys typed at a message box are its own, to answer it.
    if (messageBoxOpen()) return CallNextHookEx(filterHook, 0, wParam, message);
    MSG* msg = reinterpret_cast<MSG*>(message);
    HACCEL table = GetAncestor(msg->hwnd, GA_ROOT) == appState.mainWindow ? shortcuts : dialogShortcuts;
    if (msg->message >= WM_KEYDOWN && msg->message <= WM_UNICHAR &&
        ((appState.mainWindow && !IsWindowEnabled(appState.mainWindow) && runFindOverDialog(*msg)) ||
         TranslateAcceleratorA(appState.mainWindow, table, msg)))
        return 1;
    return CallNextHookEx(filterHook, 0, wParam, message);
}

}  // namespace

bool installShortcutFilter(HINSTANCE instance)
{
    shortcuts = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_SHORTCUTS));
    dialogShortcuts = dialogTable(shortcuts);
    filterHook = SetWindowsHookExA(WH_MSGFILTER, AcceleratorFilter, nullptr, GetCurrentThreadId());
    return filterHook != nullptr;
}

void removeShortcutFilter()
{
    UnhookWindowsHookEx(filterHook);
    filterHook = nullptr;
    DestroyAcceleratorTable(dialogShortcuts);
    dialogShortcuts = nullptr;
}
