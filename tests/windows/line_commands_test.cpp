// Moving, clearing and closing lines on the window's controls, and sorting the to-do list.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "day/day_view_win32.h"
#include "main_window_fixture.h"

namespace {

using LineCommands = MainWindowTest;

constexpr const char* focusMessage = "Please click on an edit control for set input focus and try again.";

TEST_F(LineCommands, MovingWrapsRoundEachColumnCarryingTheWholeLine)
{
    openWindow();
    setText(1000, "first slot");
    click(1030);
    focus(1000);
    command(IDM_MARK_IMPORTANT);
    setLine(1021, "last slot", IDM_MARK_SECONDARY);

    focus(1000);
    command(IDM_MOVE_UP);
    EXPECT_EQ(text(1021), "first slot");
    EXPECT_TRUE(checked(1051));
    EXPECT_TRUE(readOnly(1021));
    EXPECT_EQ(font(1021), appState.markFonts[markImportant]);
    EXPECT_EQ(text(1000), "last slot");
    EXPECT_FALSE(checked(1030));
    EXPECT_FALSE(readOnly(1000));
    EXPECT_EQ(font(1000), appState.markFonts[markSecondary]);
    EXPECT_EQ(GetFocus(), item(1021));

    // The focus follows, so a second command moves the same line on.
    command(IDM_MOVE_UP);
    EXPECT_EQ(text(1020), "first slot");
    EXPECT_TRUE(readOnly(1020));
    EXPECT_EQ(text(1021), "");
    EXPECT_FALSE(readOnly(1021));

    setText(1120, "last task");
    click(1170);
    setText(1101, "first task");
    focus(1120);
    command(IDM_MOVE_DOWN);
    EXPECT_EQ(text(1101), "last task");
    EXPECT_TRUE(checked(1151));
    EXPECT_TRUE(readOnly(1101));
    EXPECT_EQ(text(1120), "first task");
    EXPECT_FALSE(checked(1170));
    EXPECT_EQ(GetFocus(), item(1101));
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(LineCommands, NoteLinesExchangeBothWays)
{
    openWindow();
    setText(1121, "upper");
    setText(1122, "lower");
    focus(1121);
    command(IDM_MOVE_UP);
    EXPECT_EQ(text(1121), "lower");
    EXPECT_EQ(text(1122), "upper");
    EXPECT_EQ(GetFocus(), item(1122));
    command(IDM_MOVE_DOWN);
    EXPECT_EQ(text(1121), "upper");
    EXPECT_EQ(text(1122), "lower");
    EXPECT_FALSE(readOnly(1121));
    EXPECT_FALSE(readOnly(1122));
}

TEST_F(LineCommands, AMovedLineKeepsAtMost259Characters)
{
    openWindow();
    SendMessageA(item(1105), EM_LIMITTEXT, 1000, 0);
    setText(1105, std::string(300, 'x'));
    focus(1105);
    command(IDM_MOVE_DOWN);
    EXPECT_EQ(text(1106), std::string(259, 'x'));
}

TEST_F(LineCommands, ClearLeavesAnEmptyEditablePrimaryLine)
{
    openWindow();
    setText(1105, "done and important");
    click(1155);
    focus(1105);
    command(IDM_MARK_IMPORTANT);
    command(IDM_CLEAR);
    EXPECT_EQ(text(1105), "");
    EXPECT_FALSE(checked(1155));
    EXPECT_FALSE(readOnly(1105));
    EXPECT_EQ(font(1105), appState.markFonts[markPrimary]);

    setLine(1122, "note", IDM_MARK_SECONDARY);
    command(IDM_CLEAR);
    EXPECT_EQ(text(1122), "");
    EXPECT_EQ(font(1122), appState.markFonts[markPrimary]);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(LineCommands, WithoutAFocusedLineTheyOnlyAskForOne)
{
    openWindow();
    setText(1000, "stays");
    setText(1021, "stays too");
    for (int id : {1030, 1200, 0}) {
        focus(id);
        for (int commandId : {IDM_MOVE_UP, IDM_MOVE_DOWN, IDM_CLEAR}) command(commandId);
    }
    ASSERT_EQ(shownMessages.size(), 9u);
    for (const ShownMessage& shown : shownMessages) {
        EXPECT_EQ(shown.text, focusMessage);
        EXPECT_EQ(shown.title, "Quillory");
        EXPECT_EQ(shown.type, UINT(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_EQ(text(1000), "stays");
    EXPECT_EQ(text(1021), "stays too");
    for (int line = 0; line < firstNoteLine; ++line) EXPECT_FALSE(checked(doneBoxId(line))) << line;
}

TEST_F(LineCommands, CloseEmptyTasksTicksOnlyTrulyEmptyTaskLines)
{
    openWindow();
    command(IDM_CLOSE_EMPTY_TASKS);
    for (int line = 0; line < firstNoteLine; ++line) {
        EXPECT_TRUE(checked(doneBoxId(line))) << line;
        EXPECT_TRUE(readOnly(lineEditorId(line))) << line;
    }
    EXPECT_FALSE(readOnly(1121));
    EXPECT_FALSE(readOnly(1122));

    // Blanks count as content, and a ticked box is never unticked.
    click(1032);
    setText(1002, "   ");
    click(1151);
    setText(1101, "ticked task");
    click(1151);
    click(1152);
    command(IDM_CLOSE_EMPTY_TASKS);
    EXPECT_FALSE(checked(1032));
    EXPECT_FALSE(readOnly(1002));
    EXPECT_TRUE(checked(1151));
    EXPECT_TRUE(checked(1152));
}

TEST_F(LineCommands, SortOrdersToDoLinesAndShowsDoneLinesReadOnlyInTheirNewPlaces)
{
    openWindow();
    setLine(1101, "beta", IDM_MARK_PRIMARY);
    setLine(1102, "   ", IDM_MARK_IMPORTANT);
    setLine(1103, "alpha", IDM_MARK_SECONDARY);
    setLine(1104, "gamma", IDM_MARK_IMPORTANT);
    click(1154);
    setText(1000, "  schedule stays  ");
    command(IDM_SORT_TASKS);

    EXPECT_EQ(text(1101), "gamma");
    EXPECT_TRUE(checked(1151));
    EXPECT_TRUE(readOnly(1101));
    EXPECT_EQ(font(1101), appState.markFonts[markImportant]);
    EXPECT_EQ(text(1102), "beta");
    EXPECT_FALSE(readOnly(1102));
    EXPECT_EQ(text(1103), "alpha");
    EXPECT_EQ(font(1103), appState.markFonts[markSecondary]);
    for (int id = 1104; id <= 1120; ++id) {
        EXPECT_EQ(text(id), "") << id;
        EXPECT_FALSE(readOnly(id)) << id;
    }
    EXPECT_EQ(text(1000), "schedule stays");
}

}  // namespace
