// Undo and Redo in the real main window: which changes are steps, what comes back, and where the focus goes.
#include <gtest/gtest.h>

#include <windows.h>

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
    DayPage page() const
    {
        DayPage shown;
        gatherDayPage(shown);
        return shown;
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

TEST_F(Undo, EachCommandIsOneStepUndoneAndRedone)
{
    DayPage before;
    setLineText(before.lines[0], "slot");
    setLineText(before.lines[22], "beta");
    setLineText(before.lines[23], "alpha");
    before.lines[23].done = 1;
    before.lines[23].mark = markImportant;
    struct Case {
        int focused, command, focusAfterUndo;
    } cases[] = {
        {1102, IDM_CLEAR, 1102},          {1101, IDM_SORT_TASKS, 1101},
        {1000, IDM_MOVE_UP, 1000},        {1101, IDM_MARK_SECONDARY, 1101},
        {1101, IDM_CLOSE_EMPTY_TASKS, 1001},
    };
    for (const Case& c : cases) {
        showDayPage(before);
        startUndoHistory();
        focus(c.focused);
        command(c.command);
        DayPage after = page();
        ASSERT_NE(firstChangedLine(before, after), -1) << c.command;
        command(IDM_UNDO);
        EXPECT_EQ(firstChangedLine(page(), before), -1) << c.command;
        EXPECT_EQ(GetFocus(), item(c.focusAfterUndo)) << c.command;
        EXPECT_TRUE(readOnly(1102)) << c.command;
        command(IDM_REDO);
        EXPECT_EQ(firstChangedLine(page(), after), -1) << c.command;
    }
}

TEST_F(Undo, EachRunOfTypingInALineIsAStep)
{
    EXPECT_FALSE(enabled(IDM_UNDO));
    EXPECT_FALSE(enabled(IDM_REDO));
    type(1101, "ab");
    EXPECT_TRUE(enabled(IDM_UNDO));
    type(1102, "cd");
    command(IDM_UNDO);
    EXPECT_EQ(text(1102), "");
    EXPECT_EQ(text(1101), "ab");
    EXPECT_EQ(GetFocus(), item(1102));
    EXPECT_TRUE(enabled(IDM_REDO));
    command(IDM_UNDO);
    EXPECT_EQ(text(1101), "");
    EXPECT_FALSE(enabled(IDM_UNDO));
    command(IDM_REDO);
    EXPECT_EQ(text(1101), "ab");
    type(1101, "x");  // a new step drops the typing of 1102 that could be redone
    EXPECT_FALSE(enabled(IDM_REDO));
    command(IDM_REDO);
    EXPECT_EQ(text(1102), "");
    type(1103, "ef");  // a command ends the run before it changes the line itself
    command(IDM_CLEAR);
    command(IDM_UNDO);
    EXPECT_EQ(text(1103), "ef");
}

TEST_F(Undo, ClosingTheDayIsTheOneStepOfTheNextDay)
{
    DayPage planned;
    setLineText(planned.lines[22], "planned");
    saveDayPage(planned, date(2026, 12, 7));
    setText(1000, "carry me");
    messageAnswer = IDYES;
    command(IDM_CLOSE_CURRENT_DAY);
    ASSERT_EQ(text(IDC_DAY_NUMBER), "7");
    ASSERT_EQ(text(1000), "carry me");
    command(IDM_UNDO);
    EXPECT_EQ(text(1000), "");
    EXPECT_EQ(text(1101), "planned");
    EXPECT_FALSE(enabled(IDM_UNDO));
    command(IDM_REDO);
    EXPECT_EQ(text(1000), "carry me");
    EXPECT_EQ(text(1101), "planned");
    EXPECT_EQ(text(IDC_DAY_NUMBER), "7");
}

TEST_F(Undo, CtrlZInAnotherDialogStaysThere)
{
    setText(1101, "keep");
    focus(1101);
    command(IDM_CLEAR);
    installShortcutFilter(appState.instance);
    BYTE keys[256];
    auto setControl = [&](bool down) {
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        SendDlgItemMessageA(dialogNamed("Add template"), IDC_ENTRY_NAME, WM_CHAR, 'n', 1);
                        setControl(true);
                        pressKey("Add template", 'Z');
                    },
                    [&] {
                        setControl(false);
                        EXPECT_EQ(dialogText(dialogNamed("Add template"), IDC_ENTRY_NAME), "");
                        press("Add template", IDCANCEL);
                    },
                    [&] { press("Templates", IDCANCEL); }});
    removeShortcutFilter();
    EXPECT_EQ(text(1101), "");
    EXPECT_TRUE(enabled(IDM_UNDO));
}

}  // namespace
