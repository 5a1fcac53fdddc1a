// Undo and Redo in the real main window: which changes are steps, what comes back, and where the focus goes.
#include <gtest/gtest.h>

#include "app/commands_win32.h"
#include "app/shortcuts_win32.h"
#include "day/day_file.h"
#include "day/day_view_win32.h"
#include "dialog_script.h"
#include "main_window_fixture.h"
#include "tests/common/dates.h"

namespace {

class Undo : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
    }
    // The page as gathered, against the one expected: -1 when they are the same.
    int differs(const DayPage& expected) const
    {
        DayPage shown;
        gatherDayPage(shown);
        return firstChangedLine(shown, expected);
    }
    void type(int id, const char* keys)
    {
        focus(id);
        for (const char* key = keys; *key; ++key) SendMessageA(item(id), WM_CHAR, *key, 1);
    }
    bool enabled(int command)
    {
        HMENU edit = GetSubMenu(GetMenu(window), 0);
        SendMessageA(window, WM_INITMENUPOPUP, WPARAM(edit), 0);
        return !(GetMenuState(edit, command, MF_BYCOMMAND) & MF_GRAYED);
    }
};

TEST_F(Undo, EachCommandIsOneStepUndone)
{
    DayPage before;
    before.lines[0] = {"slot"};
    before.lines[22] = {"beta"};
    before.lines[23] = {"alpha", 1, markImportant};
    struct Case {
        int focused, command, focusAfterUndo;
    } cases[] = {{1102, IDM_CLEAR, 1102}, {1101, IDM_SORT_TASKS, 1101}, {1000, IDM_MOVE_UP, 1000},
                 {1101, IDM_MARK_SECONDARY, 1101}, {1101, IDM_CLOSE_EMPTY_TASKS, 1001}};
    for (const Case& c : cases) {
        showDayPage(before);
        startUndoHistory();
        focus(c.focused);
        command(c.command);
        ASSERT_NE(differs(before), -1) << c.command;
        command(IDM_UNDO);
        EXPECT_EQ(differs(before), -1) << c.command;
        EXPECT_EQ(GetFocus(), item(c.focusAfterUndo)) << c.command;
        EXPECT_TRUE(readOnly(1102)) << c.command;
    }
}

TEST_F(Undo, EachRunOfTypingInALineIsAStep)
{
    EXPECT_FALSE(enabled(IDM_UNDO) || enabled(IDM_REDO));
    type(1101, "ab");
    EXPECT_TRUE(enabled(IDM_UNDO));
    type(1102, "cd");
    type(1103, "ef");
    command(IDM_CLEAR);  // ends the run before it changes the line itself
    for (const char* expected : {"ab|cd|ef", "ab|cd|", "ab||"}) {
        command(IDM_UNDO);
        EXPECT_EQ(text(1101) + "|" + text(1102) + "|" + text(1103), expected);
    }
    EXPECT_EQ(GetFocus(), item(1102));
    EXPECT_TRUE(enabled(IDM_REDO));
    type(1101, "x");  // a new step: what was undone cannot come back
    EXPECT_FALSE(enabled(IDM_REDO));
}

TEST_F(Undo, ClosingTheDayIsTheOneStepOfTheNextDay)
{
    DayPage planned;
    planned.lines[22] = {"planned"};
    saveDayPage(planned, date(2026, 12, 7));
    setText(1000, "carry me");
    messageAnswer = IDYES;
    command(IDM_CLOSE_CURRENT_DAY);
    ASSERT_EQ(text(IDC_DAY_NUMBER) + text(1000), "7carry me");
    command(IDM_UNDO);
    EXPECT_EQ(differs(planned), -1);
    EXPECT_FALSE(enabled(IDM_UNDO));  // nothing of the day closed
    command(IDM_REDO);
    EXPECT_EQ(text(1000) + "|" + text(1101), "carry me|planned");
}

TEST_F(Undo, CtrlZInAnotherDialogStaysThere)
{
    type(1101, "keep");
    installShortcutFilter(appState.instance);
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        SendDlgItemMessageA(dialogNamed("Add template"), IDC_ENTRY_NAME, WM_CHAR, 'n', 1);
                        pressKey("Add template", 'Z');
                    },
                    [&] {
                        EXPECT_EQ(dialogText(dialogNamed("Add template"), IDC_ENTRY_NAME), "");
                        press("Add template", IDCANCEL);
                    },
                    [&] { press("Templates", IDCANCEL); }});
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    removeShortcutFilter();
    EXPECT_EQ(text(1101), "keep");
}

}  // namespace
