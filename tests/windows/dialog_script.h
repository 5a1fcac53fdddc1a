// Drives modal dialogs from inside their own message loops: one step per timer tick.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

using DialogStep = std::function<void()>;

struct DialogScript {
    std::vector<DialogStep> steps;
    size_t next = 0;
    int idleTicks = 0;
};

inline DialogScript* runningScript = nullptr;

struct DialogSearch {
    const char* caption;  // null: the topmost enabled dialog
    HWND found;
};

inline BOOL CALLBACK matchDialog(HWND window, LPARAM search)
{
    auto& wanted = *reinterpret_cast<DialogSearch*>(search);
    char className[16] = "", title[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(className, "#32770") != 0) return TRUE;
    // The main window is disabled while a modal dialog is open over it.
    if (wanted.caption == nullptr) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) wanted.found = window;
        return TRUE;
    }
    if (lstrcmpA(title, wanted.caption) != 0) return TRUE;
    wanted.found = window;
    return FALSE;
}

// This thread's dialog with the given caption, or null. Only this thread's
// dialogs count: another test program may have one of the same caption open.
inline HWND dialogNamed(const char* caption)
{
    DialogSearch search{caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchDialog, LPARAM(&search));
    return search.found;
}

// A step that opens a nested dialog returns only when it closes; the steps
// behind it run meanwhile, from the nested dialog's loop.
inline void CALLBACK runNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScript& script = *runningScript;
    if (script.next < script.steps.size()) {
        script.idleTicks = 0;
        DialogStep step = script.steps[script.next++];
        step();
        return;
    }
    // A dialog the steps left open would block the test for good.
    if (++script.idleTicks < 100) return;
    if (HWND top = dialogNamed(nullptr)) {
        ADD_FAILURE() << "a dialog was left open";
        EndDialog(top, 0);
    }
}

// Runs the action (which opens a modal dialog) with the steps played inside it.
inline void runWithDialogs(const DialogStep& action, std::vector<DialogStep> steps)
{
    DialogScript script{std::move(steps)};
    DialogScript* outer = runningScript;
    runningScript = &script;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, runNextStep);
    action();
    KillTimer(nullptr, timer);
    runningScript = outer;
    EXPECT_EQ(script.next, script.steps.size()) << "steps left when the dialogs closed";
}

// The command a button sends, whether or not the button could be clicked.
inline void press(const char* caption, int id)
{
    HWND dialog = dialogNamed(caption);
    ASSERT_TRUE(dialog) << caption;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

// A click on a button as the mouse gives it: a check box also changes its state.
inline void clickButton(const char* caption, int id)
{
    HWND dialog = dialogNamed(caption);
    ASSERT_TRUE(dialog) << caption;
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// A key as the dialog's loop receives it from the keyboard.
inline void pressKey(const char* caption, WPARAM key)
{
    HWND dialog = dialogNamed(caption);
    ASSERT_TRUE(dialog) << caption;
    HWND target = GetFocus();
    if (target == nullptr || GetAncestor(target, GA_ROOT) != dialog) target = dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

inline std::string dialogText(HWND dialog, int id)
{
    char text[300] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

inline bool boxTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
