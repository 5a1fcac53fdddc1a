// The thread message filter that turns shortcut keystrokes into main-window commands.
#include "app/shortcuts_win32.h"

#include "app/app_state_win32.h"
#include "resources/resource.h"

namespace {

HACCEL shortcuts;
HACCEL dialogShortcuts;  // without Undo and Redo
HHOOK filterHook;

// Undo and Redo act on the page's history. Typed in another of the program's
// dialogs they belong to its edit control, which undoes its own typing.
HACCEL withoutUndo(HACCEL table)
{
    ACCEL entries[64];
    int count = CopyAcceleratorTableA(table, entries, 64);
    int kept = 0;
    for (int i = 0; i < count; ++i)
        if (entries[i].cmd != IDM_UNDO && entries[i].cmd != IDM_REDO) entries[kept++] = entries[i];
    return CreateAcceleratorTableA(entries, kept);
}

}  // namespace

bool installShortcutFilter(HINSTANCE instance)
{
    shortcuts = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_SHORTCUTS));
    dialogShortcuts = withoutUndo(shortcuts);
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

LRESULT CALLBACK AcceleratorFilter(int code, WPARAM wParam, LPARAM message)
{
    if (code != MSGF_DIALOGBOX) return 0;
    MSG* msg = reinterpret_cast<MSG*>(message);
    HACCEL table = GetAncestor(msg->hwnd, GA_ROOT) == appState.mainWindow ? shortcuts : dialogShortcuts;
    if (msg->message >= WM_KEYDOWN && msg->message <= WM_UNICHAR &&
        TranslateAcceleratorA(appState.mainWindow, table, msg))
        return 1;
    return CallNextHookEx(filterHook, 0, wParam, message);
}
