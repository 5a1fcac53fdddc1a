// Drives modal dialogs from inside their own message loops: one step per timer tick.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

using DialogStep = std::function<void()>;

struct DialogScript {
    std::vector<DialogStep> steps;
    size_t next = 0;
    int idleTicks = 0;
};

inline DialogScript* runningScript = nullptr;

inline BOOL CALLBACK findTopDialog(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    // The main window is disabled while a modal dialog is open over it.
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window))
        *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
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
    HWND top = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findTopDialog, LPARAM(&top));
    if (top) {
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

inline HWND dialogNamed(const char* caption)
{
    return FindWindowA("#32770", caption);
}

inline void press(const char* caption, int id)
{
    HWND dialog = dialogNamed(caption);
    ASSERT_TRUE(dialog) << caption;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}
