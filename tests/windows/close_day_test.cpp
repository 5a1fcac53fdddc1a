// Closing the day shown: the two questions, the carry-over into the next day, and what is written.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "day/day_file.h"
#include "day/day_view_win32.h"
#include "main_window_fixture.h"

namespace {

constexpr const char* startQuestion =
    "Warning.\r\nAll uncompleted tasks will be moved to next day.\r\n"
    "Also all actual periodic tasks will be added.\r\nContinue?";
constexpr const char* noRoomQuestion = "Warning. There is no room for move all tasks. Continue?";
constexpr UINT questionType = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

// The answers the questions get, in turn.
std::vector<int> answers;

int answerInTurn(HWND, const char* text, const char* title, UINT type)
{
    shownMessages.push_back({text, title, type});
    int answer = answers.empty() ? IDNO : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return answer;
}

void addPeriodicTask(int at, const char* name, const char* period, const char* week, const char* day,
                     const char* month)
{
    PeriodicTask& task = appState.periodicTasks[at];
    std::strcpy(task.name, name);
    std::strcpy(task.period, period);
    std::strcpy(task.week, week);
    std::strcpy(task.day, day);
    std::strcpy(task.month, month);
}

class CloseDay : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        answers.clear();
        messageBoxFunction = answerInTurn;
    }

    // Sunday 6 December 2026, closed into Monday the 7th.
    void openSunday()
    {
        DayPage monday;
        setLineText(monday.lines[2], "Monday 09:00");
        saveDayPage(monday, {2026, 12, 0, 7});
        openWindow();  // loads the directories, so the tasks come after
        addPeriodicTask(0, "Gym", "Day or week", "-+-----", "", "");
        addPeriodicTask(1, "Rent", "Month", "", "7", "");
        addPeriodicTask(2, "Taxes", "Year", "", "7", "3");
        addPeriodicTask(3, "Swim", "Day or week", "+------", "", "");
        setLine(1002, "Meeting", IDM_MARK_IMPORTANT);
        setLine(1003, "Already done");
        click(1033);
        setLine(1101, "Call Bob", IDM_MARK_SECONDARY);
        setLine(1102, "Finished");
        click(1152);
        setLine(1121, "a note");
    }

    // A Sunday with two lines to carry into a Monday whose to-do list is full:
    // its tasks are numbered from `first` on, `step` apart.
    void openSundayBeforeAFullMonday(int first, int step)
    {
        DayPage monday;
        for (int i = 0; i < todoLineCount; ++i)
            setLineText(monday.lines[firstTodoLine + i], ("task " + std::to_string(first + step * i)).c_str());
        saveDayPage(monday, {2026, 12, 0, 7});
        openWindow();
        setLine(1005, "Meeting");
        setLine(1101, "Carry me");
    }
};

TEST_F(CloseDay, YesCarriesUnfinishedTasksAndAddsDuePeriodicOnes)
{
    openSunday();
    answers = {IDYES};
    command(IDM_CLOSE_CURRENT_DAY);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, startQuestion);
    EXPECT_EQ(shownMessages[0].title, "Quillory");
    EXPECT_EQ(shownMessages[0].type, questionType);

    EXPECT_EQ(appState.dateShown.wDay, 7);
    EXPECT_EQ(text(1000), "Meeting");  // its own slot is taken, so the earliest free one
    EXPECT_EQ(font(1000), appState.markFonts[markImportant]);
    EXPECT_FALSE(checked(1030));
    EXPECT_EQ(text(1002), "Monday 09:00");
    EXPECT_EQ(text(1003), "");
    EXPECT_EQ(text(1101), "Gym");
    EXPECT_EQ(text(1102), "Rent");
    EXPECT_EQ(text(1103), "Call Bob");
    EXPECT_EQ(font(1103), appState.markFonts[markSecondary]);
    EXPECT_EQ(text(1104), "");
    EXPECT_EQ(text(1121), "");

    // Sunday's file holds the day as it stood; Monday's is written on leaving it.
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")),
              "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n"
              "TEXT_2 = Meeting\r\nDONE_2 = 0\r\nMARK_2 = 0\r\n"
              "TEXT_3 = Already done\r\nDONE_3 = 1\r\nMARK_3 = 1\r\n\r\n[TODO]\r\n"
              "TEXT_0 = Call Bob\r\nDONE_0 = 0\r\nMARK_0 = 2\r\n"
              "TEXT_1 = Finished\r\nDONE_1 = 1\r\nMARK_1 = 1\r\n\r\n[NOTE]\r\n"
              "TEXT_0 = a note\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n");
    closeWindow();
    EXPECT_EQ(readBytes(dayFile("2026_12_07.ini")),
              "; YEAR:2026; MONTH:12; DAY:7;\r\n\r\n[SCHEDULE]\r\n"
              "TEXT_0 = Meeting\r\nDONE_0 = 0\r\nMARK_0 = 0\r\n"
              "TEXT_2 = Monday 09:00\r\nDONE_2 = 0\r\nMARK_2 = 1\r\n\r\n[TODO]\r\n"
              "TEXT_0 = Gym\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n"
              "TEXT_1 = Rent\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n"
              "TEXT_2 = Call Bob\r\nDONE_2 = 0\r\nMARK_2 = 2\r\n\r\n[NOTE]\r\n");
}

TEST_F(CloseDay, NoAtTheStartChangesNothing)
{
    openSunday();
    setText(1004, "  untrimmed  ");
    answers = {IDNO};
    command(IDM_CLOSE_CURRENT_DAY);
    EXPECT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(appState.dateShown.wDay, 6);
    EXPECT_EQ(text(1004), "  untrimmed  ");
    EXPECT_EQ(text(1002), "Meeting");
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
}

TEST_F(CloseDay, NoAtTheNoRoomQuestionLeavesTheNextDayAsLoaded)
{
    openSundayBeforeAFullMonday(todoLineCount, -1);
    answers = {IDYES, IDNO};
    command(IDM_CLOSE_CURRENT_DAY);
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[1].text, noRoomQuestion);
    EXPECT_EQ(shownMessages[1].type, questionType);
    EXPECT_EQ(appState.dateShown.wDay, 7);
    EXPECT_EQ(text(1005), "");  // what did fit is dropped too
    EXPECT_EQ(text(1101), "task 20");
    EXPECT_EQ(text(1120), "task 1");
}

TEST_F(CloseDay, YesAtTheNoRoomQuestionKeepsWhatFitted)
{
    openSundayBeforeAFullMonday(10, 1);
    answers = {IDYES, IDYES};
    command(IDM_CLOSE_CURRENT_DAY);
    EXPECT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(text(1005), "Meeting");
    EXPECT_EQ(text(1101), "task 10");
}

TEST_F(CloseDay, OnTheCalendarsLastDayNothingIsCarried)
{
    testNow = {9999, 12, 5, 31, 9, 15, 0, 0};
    openWindow();
    setLine(1005, "Meeting");
    answers = {IDYES, IDYES};
    command(IDM_CLOSE_CURRENT_DAY);
    EXPECT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(appState.dateShown.wDay, 31);
    EXPECT_EQ(text(1005), "Meeting");
    EXPECT_EQ(text(1000), "");
}

}  // namespace
