// The editing commands on the window's lines: move, clear, close empty tasks, sort and close the day.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "day/day_file.h"
#include "main_window_fixture.h"

namespace {

using Editing = MainWindowTest;

TEST_F(Editing, MovingWrapsRoundTheColumnCarryingTheWholeLineAndTheFocus)
{
    openWindow();
    setLine(1000, "first", IDM_MARK_IMPORTANT);
    click(1030);
    setLine(1021, "last", IDM_MARK_SECONDARY);
    focus(1000);
    command(IDM_MOVE_UP);
    command(IDM_MOVE_UP);  // the focus followed the line
    EXPECT_EQ(shown(1000) + "|" + shown(1020) + "|" + shown(1021), "last 2|first x0| 1");
    setLine(1121, "upper");
    command(IDM_MOVE_DOWN);
    EXPECT_EQ(text(1121) + "|" + text(1122) + "|" + std::to_string(GetDlgCtrlID(GetFocus())), "|upper|1122");
}

TEST_F(Editing, ClearEmptiesTheLineAndWithoutAFocusedLineCommandsOnlyAsk)
{
    openWindow();
    setLine(1105, "done and important", IDM_MARK_IMPORTANT);
    click(1155);
    focus(1105);
    command(IDM_CLEAR);
    EXPECT_EQ(shown(1105), " 1");
    setText(1000, "stays");
    focus(1030);
    for (int commandId : {IDM_MOVE_UP, IDM_CLEAR}) command(commandId);
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[1].text, "Please click on an edit control for set input focus and try again.");
    EXPECT_EQ(shownMessages[1].type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(text(1000), "stays");
}

TEST_F(Editing, CloseEmptyTasksTicksOnlyEmptyTaskLines)
{
    openWindow();
    setText(1002, "   ");  // blanks count as content
    command(IDM_CLOSE_EMPTY_TASKS);
    EXPECT_FALSE(checked(1032));
    EXPECT_EQ(shown(1001) + "|" + shown(1120) + "|" + shown(1121), " x1| x1| 1");
}

TEST_F(Editing, SortOrdersTheToDoListAndKeepsDoneLinesReadOnlyInTheirNewPlaces)
{
    openWindow();
    setLine(1101, "beta");
    setLine(1102, "   ", IDM_MARK_IMPORTANT);
    setLine(1103, "alpha", IDM_MARK_SECONDARY);
    setLine(1104, "gamma", IDM_MARK_IMPORTANT);
    click(1154);
    command(IDM_SORT_TASKS);
    EXPECT_EQ(shown(1101) + "|" + shown(1102) + "|" + shown(1103) + "|" + shown(1104),
              "gamma x0|beta 1|alpha 2| 0");
}

TEST_F(Editing, ClosingTheDayCarriesUnfinishedLinesAndAddsDuePeriodicTasks)
{
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_2=Monday 09:00\r\n");
    openWindow();
    auto addTask = [](int at, const char* name, const char* period, const char* week, const char* day) {
        PeriodicTask& task = appState.periodicTasks[at];
        std::strcpy(task.name, name);
        std::strcpy(task.period, period);
        std::strcpy(task.week, week);
        std::strcpy(task.day, day);
    };
    addTask(0, "Gym", "Day or week", "-+-----", "");
    addTask(1, "Rent", "Month", "", "7");
    addTask(2, "Swim", "Day or week", "+------", "");
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
    closeWindow();
    // Its own slot is taken, so the meeting goes to the earliest free one.
    EXPECT_EQ(readBytes(dayFile("2026_12_07.ini")),
              "; YEAR:2026; MONTH:12; DAY:7;\r\n\r\n[SCHEDULE]\r\nTEXT_0 = Meeting\r\nDONE_0 = 0\r\nMARK_0 = 0\r\n"
              "TEXT_2 = Monday 09:00\r\nDONE_2 = 0\r\nMARK_2 = 1\r\n\r\n[TODO]\r\nTEXT_0 = Gym\r\nDONE_0 = 0\r\n"
              "MARK_0 = 1\r\nTEXT_1 = Rent\r\nDONE_1 = 0\r\nMARK_1 = 1\r\nTEXT_2 = Call Bob\r\nDONE_2 = 0\r\n"
              "MARK_2 = 2\r\n\r\n[NOTE]\r\n");
}

}  // namespace
