// The editing commands on the window's lines, and undoing and redoing them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "app/commands_win32.h"
#include "day/day_file.h"
#include "edit/undo_history.h"
#include "main_window_fixture.h"

namespace {

class Editing : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
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

TEST_F(Editing, EachCommandChangesThePageAsOneStepThatUndoAndRedoTakeBackAndDoAgain)
{
    DayPage before;
    before.lines[0] = {"first", 1, markImportant};
    before.lines[21] = {"last", 0, markSecondary};
    before.lines[22] = {"beta"};
    before.lines[23] = {"", 0, markImportant};
    before.lines[24] = {"alpha", 0, markSecondary};
    before.lines[25] = {"gamma", 1, markImportant};
    before.lines[42] = {"a note"};
    const auto probes = [&] { return shown({1000, 1001, 1021, 1101, 1102, 1103, 1104, 1105, 1121, 1122}); };
    struct Case {
        int focused, command;
        const char* after;
        int focusAfter, focusAfterUndo;
    } cases[] = {
        // Moving wraps round the column, carrying the whole line and the focus.
        {1000, IDM_MOVE_UP, "last 2| 1|first x0|beta 1| 0|alpha 2|gamma x0| 1|a note 1| 1", 1021, 1000},
        {1121, IDM_MOVE_DOWN, "first x0| 1|last 2|beta 1| 0|alpha 2|gamma x0| 1| 1|a note 1", 1122, 1121},
        {1104, IDM_CLEAR, "first x0| 1|last 2|beta 1| 0|alpha 2| 1| 1|a note 1| 1", 1104, 1104},
        {1101, IDM_CLOSE_EMPTY_TASKS, "first x0| x1|last 2|beta 1| x0|alpha 2|gamma x0| x1|a note 1| 1", 1101, 1001},
        {1101, IDM_SORT_TASKS, "first x0| 1|last 2|gamma x0|beta 1|alpha 2| 0| 1|a note 1| 1", 1101, 1101},
        {1101, IDM_MARK_SECONDARY, "first x0| 1|last 2|beta 2| 0|alpha 2|gamma x0| 1|a note 1| 1", 1101, 1101},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        showDayPage(before);
        startUndoHistory();
        const std::string original = probes();
        focus(c.focused);
        command(c.command);
        EXPECT_EQ(probes(), c.after);
        EXPECT_EQ(GetFocus(), item(c.focusAfter));
        command(IDM_UNDO);
        EXPECT_EQ(probes(), original);
        EXPECT_EQ(GetFocus(), item(c.focusAfterUndo));
        command(IDM_REDO);
        EXPECT_EQ(probes(), c.after);
    }
}

TEST_F(Editing, BoxesAndMarksChangeOnlyTheirOwnLineAndWithoutALineTheCommandsOnlyAsk)
{
    setText(1000, "a");
    click(1030);
    setLine(1122, "note", IDM_MARK_SECONDARY);
    setText(1002, "   ");
    focus(1030);
    for (int commandId : {IDM_MARK_IMPORTANT, IDM_MOVE_UP, IDM_CLEAR}) command(commandId);
    CheckDlgButton(window, 1170, BST_CHECKED);
    command(1151);  // any box's command refreshes every line
    EXPECT_EQ(shown({1000, 1001, 1120, 1122}), "a x1| 1| x1|note 2");
    command(IDM_CLOSE_EMPTY_TASKS);
    EXPECT_EQ(shown({1001, 1002}), " x1|    1");  // blanks count as content
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[1].text, "Please click on an edit control for set input focus and try again.");
    EXPECT_EQ(shownMessages[1].type, UINT(MB_OK | MB_ICONINFORMATION));
}

TEST_F(Editing, EachRunOfTypingInALineIsAStepAndTheMenuGreysWhatCannotBeDone)
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

TEST_F(Editing, ClosingTheDayCarriesUnfinishedLinesAndDueTasksAsTheOneStepOfTheNextDay)
{
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_2=Monday 09:00\r\n");
    const char* tasks[][4] = {{"Gym", "Day or week", "-+-----", ""}, {"Rent", "Month", "", "7"},
                              {"Swim", "Day or week", "+------", ""}};
    for (int i = 0; i < 3; ++i) {
        PeriodicTask& task = appState.periodicTasks[i];
        std::strcpy(task.name, tasks[i][0]);
        std::strcpy(task.period, tasks[i][1]);
        std::strcpy(task.week, tasks[i][2]);
        std::strcpy(task.day, tasks[i][3]);
    }
    setLine(1002, "Meeting", IDM_MARK_IMPORTANT);
    setLine(1003, "Already done");
    click(1033);
    setLine(1101, "Call Bob", IDM_MARK_SECONDARY);
    setLine(1121, "a note");
    answers = {IDNO, IDYES};
    command(IDM_CLOSE_CURRENT_DAY);
    EXPECT_EQ(appState.dateShown.wDay, 6);  // No changes nothing
    command(IDM_CLOSE_CURRENT_DAY);
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[1].text, "Warning.\r\nAll uncompleted tasks will be moved to next day.\r\n"
                                     "Also all actual periodic tasks will be added.\r\nContinue?");
    EXPECT_EQ(shownMessages[1].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    ASSERT_EQ(text(IDC_DAY_NUMBER), "7");
    command(IDM_UNDO);  // the next day as it was loaded
    EXPECT_EQ(shown({1000, 1002, 1101}), " 1|Monday 09:00 1| 1");
    EXPECT_FALSE(enabled(IDM_UNDO));  // nothing of the day closed
    command(IDM_REDO);
    closeWindow();
    // Its own slot is taken, so the meeting goes to the earliest free one.
    EXPECT_EQ(readBytes(dayFile("2026_12_07.ini")),
              "; YEAR:2026; MONTH:12; DAY:7;\r\n\r\n[SCHEDULE]\r\nTEXT_0 = Meeting\r\nDONE_0 = 0\r\nMARK_0 = 0\r\n"
              "TEXT_2 = Monday 09:00\r\nDONE_2 = 0\r\nMARK_2 = 1\r\n\r\n[TODO]\r\nTEXT_0 = Gym\r\nDONE_0 = 0\r\n"
              "MARK_0 = 1\r\nTEXT_1 = Rent\r\nDONE_1 = 0\r\nMARK_1 = 1\r\nTEXT_2 = Call Bob\r\nDONE_2 = 0\r\n"
              "MARK_2 = 2\r\n\r\n[NOTE]\r\n");
}

TEST_F(Editing, CtrlZInAnotherDialogUndoesThereAndLeavesThePageAlone)
{
    type(1101, "keep");
    CtrlHeld ctrl;
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[] { press("Templates", IDC_ADD_ENTRY); },
                    [] {
                        SendDlgItemMessageA(dialogNamed("Add template"), IDC_ENTRY_NAME, WM_CHAR, 'n', 1);
                        pressKey("Add template", 'Z');
                    },
                    [] {
                        EXPECT_EQ(dialogText("Add template", IDC_ENTRY_NAME), "");
                        press("Add template", IDCANCEL);
                    },
                    [] { press("Templates", IDCANCEL); }});
    EXPECT_EQ(text(1101), "keep");
}

}  // namespace
