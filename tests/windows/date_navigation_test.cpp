// Stepping between days and picking a date: what is saved, when, and what is shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>

#include "app/commands_win32.h"
#include "day/day_file.h"
#include "dialog_script.h"
#include "main_window_fixture.h"

namespace {

using DateNavigation = MainWindowTest;

bool isDate(const SYSTEMTIME& date, int year, int month, int day)
{
    return date.wYear == year && date.wMonth == month && date.wDay == day;
}

TEST_F(DateNavigation, StepsSaveTheDayLeftBeforeShowingTheNext)
{
    DayPage monday;
    setLineText(monday.lines[0], "Monday's first slot");
    monday.lines[0].mark = markImportant;
    saveDayPage(monday, {2026, 12, 0, 7});
    openWindow();
    setText(1003, "  Dentist  ");
    click(1033);
    focus(1003);
    command(IDM_MARK_SECONDARY);

    command(IDC_NEXT_DAY);
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")),
              "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n"
              "TEXT_3 = Dentist\r\nDONE_3 = 1\r\nMARK_3 = 2\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n");
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 7));
    EXPECT_EQ(appState.dateShown.wHour, 9);  // only the day moves
    EXPECT_EQ(text(IDC_DAY_NUMBER), "7");
    EXPECT_EQ(text(IDC_WEEKDAY_NAME), "Monday");
    EXPECT_EQ(text(1000), "Monday's first slot");
    EXPECT_EQ(font(1000), appState.markFonts[markImportant]);
    EXPECT_EQ(text(1003), "");
    EXPECT_FALSE(checked(1033));
    EXPECT_FALSE(readOnly(1003));

    // Back again: the day comes back as it was saved, trimmed.
    command(IDC_PREVIOUS_DAY);
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 6));
    EXPECT_EQ(text(1003), "Dentist");
    EXPECT_TRUE(readOnly(1003));
    EXPECT_EQ(font(1003), appState.markFonts[markSecondary]);
    EXPECT_EQ(text(1000), "");

    // Leaving a page that holds nothing removes its file.
    click(1033);
    setText(1003, "   ");
    command(IDC_PREVIOUS_DAY);
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 5));
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(DateNavigation, StepsCrossMonthAndYearEndsAndIgnoreOtherSteps)
{
    testNow = {2026, 12, 4, 31, 9, 15, 0, 0};
    openWindow();
    setText(1121, "note");
    stepDay(2);
    stepDay(0);
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 31));
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_31.ini")));

    command(IDC_NEXT_DAY);
    EXPECT_TRUE(isDate(appState.dateShown, 2027, 1, 1));
    EXPECT_EQ(text(IDC_MONTH_NAME), "January");
    command(IDC_PREVIOUS_DAY);
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 31));
    EXPECT_EQ(text(1121), "note");
}

TEST_F(DateNavigation, TheCalendarsLastDayHasNoNextDay)
{
    testNow = {9999, 12, 5, 31, 9, 15, 0, 0};
    openWindow();
    setText(1000, " stays ");
    command(IDC_NEXT_DAY);
    EXPECT_TRUE(isDate(appState.dateShown, 9999, 12, 31));
    EXPECT_EQ(text(1000), " stays ");
    EXPECT_FALSE(std::filesystem::exists(dayFile("9999_12_31.ini")));
}

class DatePicker : public MainWindowTest {
protected:
    // Opens the picker as its button does and plays the step inside it.
    void runPicker(const DialogStep& inside)
    {
        runWithDialogs([&] { command(IDC_PICK_DATE); }, {inside});
        EXPECT_EQ(dialogNamed("Date picker"), nullptr);
    }

    static HWND calendar() { return GetDlgItem(dialogNamed("Date picker"), IDC_DATE_CALENDAR); }

    void pickDay(int day)
    {
        runPicker([day] { EXPECT_TRUE(clickDay(calendar(), {2026, 12, 0, WORD(day), 0, 0, 0, 0})); });
    }
};

TEST_F(DatePicker, OpensOnTheDateShownAtTheWindowsClientCorner)
{
    openWindow();
    runPicker([this] {
        HWND picker = dialogNamed("Date picker");
        HWND calendar = GetDlgItem(picker, IDC_DATE_CALENDAR);
        SYSTEMTIME selected{};
        SendMessageA(calendar, MCM_GETCURSEL, 0, LPARAM(&selected));
        EXPECT_TRUE(isDate(selected, 2026, 12, 6));
        char className[32] = "";
        GetClassNameA(calendar, className, sizeof className);
        EXPECT_STREQ(className, "SysMonthCal32");
        LONG style = GetWindowLongA(calendar, GWL_STYLE);
        EXPECT_EQ(style & (MCS_NOTODAY | MCS_NOTODAYCIRCLE), MCS_NOTODAY | MCS_NOTODAYCIRCLE);
        EXPECT_TRUE(GetWindowLongA(picker, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        // The template's position places the picker's own client area.
        POINT corner{0, 0};
        ClientToScreen(window, &corner);
        POINT pickerCorner{0, 0};
        ClientToScreen(picker, &pickerCorner);
        EXPECT_EQ(pickerCorner.x, corner.x);
        EXPECT_EQ(pickerCorner.y, corner.y);
        press("Date picker", IDCANCEL);
    });
}

TEST_F(DatePicker, PickingTheDateShownChangesNothing)
{
    openWindow();
    setText(1000, "  kept as typed  ");
    pickDay(6);
    EXPECT_EQ(text(1000), "  kept as typed  ");
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 6));
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
}

TEST_F(DatePicker, PickingAnotherDateSavesAndLoads)
{
    DayPage later;
    setLineText(later.lines[firstNoteLine], "later note");
    saveDayPage(later, {2026, 12, 0, 20});
    openWindow();
    setText(1101, " Buy stamps ");
    pickDay(20);
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")),
              "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n\r\n[TODO]\r\n"
              "TEXT_0 = Buy stamps\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n\r\n[NOTE]\r\n");
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 20));
    EXPECT_EQ(text(IDC_DAY_NUMBER), "20");
    EXPECT_EQ(text(1121), "later note");
    EXPECT_EQ(text(1101), "");
}

TEST_F(DatePicker, OkAndCancelTakeNothing)
{
    openWindow();
    setText(1000, " typed ");
    for (int button : {IDOK, IDCANCEL})
        runPicker([button] {
            SYSTEMTIME other{2027, 3, 0, 1, 0, 0, 0, 0};
            SendMessageA(calendar(), MCM_SETCURSEL, 0, LPARAM(&other));
            press("Date picker", button);
        });
    EXPECT_TRUE(isDate(appState.dateShown, 2026, 12, 6));
    EXPECT_EQ(text(1000), " typed ");
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
}

}  // namespace
