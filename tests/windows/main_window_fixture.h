// Creates the real main window in process, from its template, with the time and message boxes under the test's control.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_state_win32.h"
#include "app/clock_win32.h"
#include "app/main_window_win32.h"
#include "day/day_view_win32.h"
#include "resources/resource.h"
#include "tests/common/scratch_folder.h"

struct ShownMessage {
    std::string text;
    std::string title;
    UINT type;
};

// What the message boxes showed, and the answers the next ones give in turn
// (messageAnswer once they are used up).
inline std::vector<ShownMessage> shownMessages;
inline std::vector<int> answers;
inline int messageAnswer = IDOK;
inline SYSTEMTIME testNow{2026, 12, 0, 6, 9, 15, 0, 0};

inline int recordMessage(HWND, const char* text, const char* title, UINT type)
{
    shownMessages.push_back({text, title, type});
    if (answers.empty()) return messageAnswer;
    int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

inline void testLocalTime(SYSTEMTIME* now) { *now = testNow; }

// Wine takes seconds to take an icon off a notification area that no
// desktop shows; the window tests leave the shell out.
inline BOOL WINAPI ignoreIcon(DWORD, NOTIFYICONDATAA*) { return TRUE; }

// A day file in the test's working folder.
inline std::filesystem::path dayFile(const char* name) { return std::filesystem::current_path() / "Data" / name; }

inline void pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Forgets the options and the logon-start entry of earlier tests.
inline void clearRegistry()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brenhollow\\Quillory");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Quillory");
}

// Sets up the program's state as its entry point does, before the window exists.
inline void startProgramState()
{
    static AppState fresh;
    appState = fresh;
    appState.instance = GetModuleHandleA(nullptr);
    LoadStringA(appState.instance, IDS_CAPTION, appState.caption, 100);
    appState.autorun = 1;
    appState.showTime = 1;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shownMessages.clear();
        answers.clear();
        messageAnswer = IDOK;
        testNow = {2026, 12, 0, 6, 9, 15, 0, 0};
        messageBoxFunction = recordMessage;
        localTimeFunction = testLocalTime;
        shellNotifyIconFunction = ignoreIcon;
        clearRegistry();
        startProgramState();
    }

    void TearDown() override
    {
        closeWindow();
        messageBoxFunction = MessageBoxA;
        localTimeFunction = GetLocalTime;
        shellNotifyIconFunction = Shell_NotifyIconA;
    }

    // The window as the entry point creates it, but modeless so the test keeps control.
    HWND openWindow(int templateId = IDD_MAIN)
    {
        window = CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(templateId), nullptr, MainDialogProc, 0);
        pumpMessages();
        return window;
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
    void focus(int id) { SetFocus(id ? item(id) : nullptr); }
    std::string text(int id) const
    {
        char buffer[1024] = "";
        GetWindowTextA(item(id), buffer, sizeof buffer);
        return buffer;
    }
    void setText(int id, const std::string& value) { SetWindowTextA(item(id), value.c_str()); }
    // Types a line and gives it a mark, as the user does from the menu.
    void setLine(int id, const std::string& value, int markCommand = IDM_MARK_PRIMARY)
    {
        setText(id, value);
        focus(id);
        command(markCommand);
    }
    bool checked(int id) const { return IsDlgButtonChecked(window, id) == BST_CHECKED; }
    void click(int box)
    {
        SendMessageA(item(box), BM_CLICK, 0, 0);
        pumpMessages();
    }
    bool readOnly(int id) const { return (GetWindowLongA(item(id), GWL_STYLE) & ES_READONLY) != 0; }
    HFONT font(int id) const { return HFONT(SendMessageA(item(id), WM_GETFONT, 0, 0)); }
    // A line as the window shows it: text, then "x" when done, then the mark's font as 0, 1 or 2.
    std::string shown(int id) const
    {
        int mark = 0;
        while (mark < 3 && font(id) != appState.markFonts[mark]) ++mark;
        return text(id) + (readOnly(id) ? " x" : " ") + std::to_string(mark);
    }

    ScratchFolder folder;
    HWND window = nullptr;
};
