// The real main window in process, from its template, with the time, the message boxes and the icon
// under the test's control; modal dialogs over it are driven from inside their own loops.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state_win32.h"
#include "app/tray_icon_win32.h"
#include "app/main_window_win32.h"
#include "app/shortcuts_win32.h"
#include "app/day_lines_win32.h"
#include "app/line_controls_win32.h"
#include "resources/resource.h"
#include "tests/common/scratch_folder.h"

using Names = std::vector<std::string>;
using DialogStep = std::function<void()>;

struct ShownMessage { std::string text; UINT type; };

// What the message boxes showed, and the answers the next ones give in turn (OK once they are used up).
inline std::vector<ShownMessage> shownMessages;
inline std::function<void()> whileAsking;  // run once, while the next message box is open
inline std::vector<int> answers;
// What went to the notification area. The shell itself is left out: Wine takes
// seconds to take an icon off a notification area that no desktop shows.
inline std::vector<std::pair<DWORD, NOTIFYICONDATAW>> iconCalls;
inline SYSTEMTIME testNow;

// A day file in the test's working folder.
inline std::filesystem::path dayFile(const char* name) { return std::filesystem::current_path() / "Data" / name; }

// Handles the waiting messages; given a dialog, as its loop does, shortcut keys included.
inline void pumpMessages(HWND dialog = nullptr)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!dialog || !IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

// Ctrl held down, with the shortcut filter in place as the entry point installs it; or both let go.
inline void holdCtrl(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
    if (down) installShortcutFilter(appState.instance);
    else removeShortcutFilter();
}

struct DialogScript { std::vector<DialogStep> steps; size_t next = 0; int idleTicks = 0; };

inline DialogScript* runningScript = nullptr;

// This thread's dialog with the given caption, or with none the topmost enabled one. Only this
// thread's dialogs count: another test program may have one of the same caption open.
inline HWND dialogNamed(const char* caption)
{
    std::pair<const char*, HWND> search{caption, nullptr};
    auto match = [](HWND window, LPARAM data) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<std::pair<const char*, HWND>*>(data);
        char className[16] = "", title[64] = "";
        GetClassNameA(window, className, sizeof className);
        GetWindowTextA(window, title, sizeof title);
        // The main window is disabled while a modal dialog is open over it.
        bool wantedOne = wanted ? lstrcmpA(title, wanted) == 0 : IsWindowVisible(window) && IsWindowEnabled(window);
        if (lstrcmpA(className, "#32770") == 0 && wantedOne) found = window;
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), match, LPARAM(&search));
    return search.second;
}

// A step that opens a nested dialog returns only when it closes; the steps
// behind it run meanwhile, from the nested dialog's loop.
inline void CALLBACK runNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScript& script = *runningScript;
    if (script.next < script.steps.size()) {
        script.idleTicks = 0;
        script.steps[script.next++]();
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

// A key as the dialog's loop receives it from the keyboard: at its control that has the focus.
inline void pressKey(const char* caption, WPARAM key)
{
    HWND dialog = dialogNamed(caption);
    ASSERT_TRUE(dialog) << caption;
    HWND target = GetAncestor(GetFocus(), GA_ROOT) == dialog ? GetFocus() : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

// Keys as the keyboard delivers them: one character message per UTF-16 unit, left for the loop that runs.
inline void postKeys(HWND control, const std::wstring& keys)
{
    for (wchar_t unit : keys) PostMessageW(control, WM_CHAR, unit, 1);
}

// The label just before the control: what a screen reader finds under Wine, where the accessibility calls answer
// nothing.
inline std::string nameOf(HWND control)
{
    char text[64] = "";
    GetWindowTextA(GetWindow(control, GW_HWNDPREV), text, sizeof text);
    return text;
}

inline std::string controlText(HWND dialog, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Each row of a list view, its first columns joined by blanks.
inline Names listRows(HWND list, int columns)
{
    Names rows(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (size_t row = 0; row < rows.size(); ++row)
        for (int column = 0; column < columns; ++column) {
            char text[300] = "";
            ListView_GetItemText(list, row, column, text, sizeof text);
            if (column) rows[row] += ' ';
            rows[row] += text;
        }
    return rows;
}

inline void selectRow(HWND list, int row)
{
    LVITEMA item{};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, LPARAM(&item));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shownMessages.clear();
        answers.clear();
        iconCalls.clear();
        testNow = {2026, 12, 0, 6, 9, 15, 0, 0};
        messageBoxFunction = [](HWND, const char* text, const char*, UINT type) {
            shownMessages.push_back({text, type});
            if (whileAsking) std::exchange(whileAsking, nullptr)();
            int answer = answers.empty() ? IDOK : answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return answer;
        };
        localTimeFunction = [](SYSTEMTIME* now) { *now = testNow; };
        computerNameFunction = [] { return std::string("DESK"); };
        shellNotifyIconFunction = [](DWORD action, NOTIFYICONDATAW* data) -> BOOL {
            iconCalls.push_back({action, *data});
            return TRUE;
        };
        // Forget the options and the logon-start entry of earlier tests.
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenhollow\\Quillory");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Quillory");
        // The program's state as its entry point sets it up, before the window exists.
        static AppState fresh;
        appState = fresh;
        appState.instance = GetModuleHandleA(nullptr);
        LoadStringA(appState.instance, IDS_CAPTION, appState.caption, 100);
        appState.autorun = 1;
        appState.showTime = 1;
    }

    void TearDown() override
    {
        holdCtrl(false);
        closeWindow();
    }

    // The window as the entry point creates it, but modeless so the test keeps control.
    void openWindow(int templateId = IDD_MAIN)
    {
        window = CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(templateId), nullptr, MainDialogProc, 0);
        pumpMessages();
    }

    // Destroying the window saves everything, as closing it does.
    void closeWindow()
    {
        if (window) DestroyWindow(window);
        window = nullptr;
        pumpMessages();
    }

    HWND item(int id) const { return GetDlgItem(window, id); }
    void command(int id) { SendMessageA(window, WM_COMMAND, id, 0); }
    void focus(int id) { SetFocus(item(id)); }
    std::string text(int id) const { return controlText(window, id); }
    void setText(int id, const std::string& value) { SetWindowTextA(item(id), value.c_str()); }
    // Typed into a line, the keys handled by a loop as the dialog's own (which is a Unicode one).
    void type(int id, const std::wstring& keys)
    {
        focus(id);
        postKeys(item(id), keys);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // The one-second timer's ticks, at once. A file another program changed is taken once it stayed put for one.
    void tick(int count = 1) { for (int i = 0; i < count; ++i) SendMessageA(window, WM_TIMER, 1, 0); }
    // Ticks until what is waited for has come, at most for the time given; whether it came.
    bool tickUntil(const std::function<bool()>& come, DWORD milliseconds = 5000)
    {
        for (DWORD start = GetTickCount(); !come(); Sleep(10), tick(), pumpMessages())
            if (GetTickCount() - start > milliseconds) return false;
        return true;
    }
    bool readOnly(int id) const { return (GetWindowLongA(item(id), GWL_STYLE) & ES_READONLY) != 0; }
    HFONT font(int id) const { return HFONT(SendMessageA(item(id), WM_GETFONT, 0, 0)); }
    // Lines as the window shows them, joined by "|": each its text, then "x" when done, then the
    // mark's font as 0, 1 or 2.
    std::string shown(std::initializer_list<int> ids) const
    {
        std::string lines;
        for (int id : ids) {
            int mark = 0;
            while (mark < 3 && font(id) != appState.markFonts[mark]) ++mark;
            if (!lines.empty()) lines += '|';
            lines += text(id) + (readOnly(id) ? " x" : " ") + std::to_string(mark);
        }
        return lines;
    }

    ScratchFolder folder;
    HWND window = nullptr;
};
