// Drives a modal dialog from inside its own loop: a timer finds it by caption and acts on it.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

inline HWND findOwnDialog(const char* caption);

namespace modal_dialog_detail {

inline std::function<void(HWND)> pendingAction;
inline const char* pendingCaption = nullptr;
inline UINT_PTR pendingTimer = 0;
inline int attempts = 0;

struct DialogSearch {
    const char* caption;
    HWND found;
};

inline BOOL CALLBACK matchDialog(HWND window, LPARAM search)
{
    auto& wanted = *reinterpret_cast<DialogSearch*>(search);
    char className[16] = "", title[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(className, "#32770") != 0 || lstrcmpA(title, wanted.caption) != 0 || !IsWindowVisible(window))
        return TRUE;
    wanted.found = window;
    return FALSE;
}

inline void CALLBACK lookForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = findOwnDialog(pendingCaption);
    bool found = dialog != nullptr;
    if (!found && ++attempts < 200) return;
    KillTimer(nullptr, pendingTimer);
    pendingTimer = 0;
    auto action = std::move(pendingAction);
    pendingAction = nullptr;
    if (found) action(dialog);
}

}  // namespace modal_dialog_detail

// A visible dialog of this thread with the given title, or null. Only this thread's
// dialogs count: another test program may have one of the same title open.
inline HWND findOwnDialog(const char* caption)
{
    modal_dialog_detail::DialogSearch search{caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), modal_dialog_detail::matchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Queues an action for the dialog titled `caption` that the next call will open.
// If it never appears, the action is dropped and the test's own checks fail.
inline void whenDialogOpens(const char* caption, std::function<void(HWND)> action)
{
    using namespace modal_dialog_detail;
    pendingCaption = caption;
    pendingAction = std::move(action);
    attempts = 0;
    pendingTimer = SetTimer(nullptr, 0, 10, lookForDialog);
}

// A key as the dialog's loop receives it from the keyboard.
inline void pressKey(HWND dialog, WPARAM key)
{
    HWND target = GetFocus();
    if (target == nullptr || GetAncestor(target, GA_ROOT) != dialog) target = dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}
