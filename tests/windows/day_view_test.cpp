// Showing a day in the window and gathering it back; done boxes, marks and Enter.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "day/day_file.h"
#include "day/day_view_win32.h"
#include "edit/marks_win32.h"
#include "main_window_fixture.h"

namespace {

using DayView = MainWindowTest;

DayPage samplePage()
{
    DayPage page;
    for (int i = 0; i < dayLineCount; ++i) {
        std::string text = "line " + std::to_string(i);
        setLineText(page.lines[i], text.c_str());
        page.lines[i].done = i % 2;
        page.lines[i].mark = i % 3;
    }
    setLineText(page.lines[5], "  padded\t  ");
    return page;
}

TEST_F(DayView, ShowThenGatherGivesThePageBack)
{
    openWindow();
    DayPage shown = samplePage();
    showDayPage(shown);
    DayPage back;
    gatherDayPage(back);
    for (int i = 0; i < dayLineCount; ++i) {
        EXPECT_EQ(back.lines[i].mark, shown.lines[i].mark) << i;
        EXPECT_EQ(back.lines[i].done, i < firstNoteLine ? shown.lines[i].done : 0) << i;
        if (i != 5) {
            EXPECT_STREQ(back.lines[i].text, shown.lines[i].text) << i;
        }
    }
    EXPECT_STREQ(back.lines[5].text, "padded\t");  // spaces go, tabs stay
    EXPECT_EQ(text(1005), "  padded\t  ");       // the window keeps what it shows
}

TEST_F(DayView, GatheringTrimsSpacesAndCutsLongTexts)
{
    openWindow();
    DayLine line;
    setText(1000, "   a b  ");
    gatherDayLine(1000, 1030, line);
    EXPECT_STREQ(line.text, "a b");
    setText(1001, "    ");
    gatherDayLine(1001, 1031, line);
    EXPECT_STREQ(line.text, "");
    SendMessageA(item(1002), EM_LIMITTEXT, 1000, 0);
    setText(1002, std::string(300, 'x'));
    gatherDayLine(1002, 1032, line);
    EXPECT_EQ(std::string(line.text), std::string(259, 'x'));
}

TEST_F(DayView, StartUpShowsTodaysFileAndClosingSavesIt)
{
    DayPage page;
    setLineText(page.lines[3], "Dentist");
    page.lines[3].mark = markImportant;
    setLineText(page.lines[firstTodoLine], "Buy stamps");
    page.lines[firstTodoLine].done = 1;
    SystemTime today{2026, 12, 0, 6, 0, 0, 0, 0};
    saveDayPage(page, today);
    std::string before = readBytes(dayFile("2026_12_06.ini"));

    openWindow();
    EXPECT_EQ(text(1003), "Dentist");
    EXPECT_EQ(font(1003), appState.markFonts[markImportant]);
    EXPECT_TRUE(checked(1151));
    EXPECT_TRUE(readOnly(1101));
    EXPECT_EQ(text(IDC_DAY_NUMBER), "6");
    EXPECT_EQ(text(IDC_MONTH_NAME), "December");
    EXPECT_EQ(text(IDC_WEEKDAY_NAME), "Sunday");
    closeWindow();
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")), before);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(DayView, FailedSaveTellsTheUserAndKeepsTheOldFile)
{
    openWindow();
    setText(1000, "will not fit");
    std::filesystem::create_directories(dayFile("2026_12_06.ini.tmp") / "x");
    closeWindow();
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "Error operation of save!");
    EXPECT_EQ(shownMessages[0].title, "Quillory");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_OK | MB_ICONERROR));
}

TEST_F(DayView, HourLabelsInBothForms)
{
    openWindow();
    const char* hours24[] = {"08", "09", "10", "11", "12", "13", "14", "15", "16", "17", "18"};
    const char* hours12[] = {"08", "09", "10", "11", "12", "01", "02", "03", "04", "05", "06"};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(text(1060 + i), hours24[i]);
    appState.am_pm = 1;
    showHourLabels();
    for (int i = 0; i < 11; ++i) EXPECT_EQ(text(1060 + i), hours12[i]);
}

TEST_F(DayView, DateHeaderUsesTheLocaleNamesWithACapitalWeekday)
{
    openWindow();
    appState.showTime = 0;
    appState.dateShown = {2027, 1, 3 /* wrong on purpose */, 9, 0, 0, 0, 0};
    showDateHeader();
    EXPECT_EQ(text(IDC_DAY_NUMBER), "9");
    EXPECT_EQ(text(IDC_MONTH_NAME), "January");
    EXPECT_EQ(text(IDC_WEEKDAY_NAME), "Saturday");
    EXPECT_EQ(text(IDC_CLOCK), "2027");

}

TEST_F(DayView, DoneBoxesMakeTaskLinesReadOnly)
{
    openWindow();
    click(1030);
    EXPECT_TRUE(readOnly(1000));
    click(1030);
    EXPECT_FALSE(readOnly(1000));

    // Any box's command recomputes all 42 lines from their boxes.
    CheckDlgButton(window, 1051, BST_CHECKED);
    CheckDlgButton(window, 1170, BST_CHECKED);
    command(1151);
    EXPECT_TRUE(readOnly(1021));
    EXPECT_TRUE(readOnly(1120));
    EXPECT_FALSE(readOnly(1101));
    for (int note : {1121, 1122}) EXPECT_FALSE(readOnly(note));
}

TEST_F(DayView, MarkFontsDeriveFromTheTemplateFont)
{
    openWindow();
    HFONT base = HFONT(SendMessageA(item(1000), WM_GETFONT, 0, 0));
    EXPECT_EQ(appState.markFonts[markPrimary], base);
    LOGFONTA plain, bold, italic;
    GetObjectA(base, sizeof plain, &plain);
    GetObjectA(appState.markFonts[markImportant], sizeof bold, &bold);
    GetObjectA(appState.markFonts[markSecondary], sizeof italic, &italic);
    EXPECT_EQ(bold.lfWeight, 1000);
    EXPECT_TRUE(italic.lfItalic);
    for (const LOGFONTA* derived : {&bold, &italic}) {
        EXPECT_EQ(derived->lfHeight, plain.lfHeight);
        EXPECT_EQ(derived->lfCharSet, plain.lfCharSet);
        EXPECT_EQ(derived->lfQuality, plain.lfQuality);
        EXPECT_STREQ(derived->lfFaceName, plain.lfFaceName);
    }
    EXPECT_EQ(bold.lfItalic, plain.lfItalic);
    EXPECT_EQ(italic.lfWeight, plain.lfWeight);
    EXPECT_EQ(font(IDC_SCHEDULE_HEADING), appState.markFonts[markImportant]);
    EXPECT_EQ(font(IDC_TODO_HEADING), appState.markFonts[markImportant]);

    // At 96 dots per inch the hour and day fonts have exactly their fixed heights.
    LOGFONTA hour, day;
    GetObjectA(font(IDC_FIRST_HOUR_LABEL), sizeof hour, &hour);
    GetObjectA(font(IDC_DAY_NUMBER), sizeof day, &day);
    EXPECT_EQ(hour.lfHeight, 25);
    EXPECT_EQ(day.lfHeight, 40);
    for (int id : {IDC_MONTH_NAME, IDC_WEEKDAY_NAME, IDC_CLOCK}) EXPECT_EQ(font(id), font(IDC_FIRST_HOUR_LABEL));
}

TEST_F(DayView, MarkCommandsChangeOnlyTheFocusedDayLine)
{
    openWindow();
    DayLine line;
    focus(1005);
    command(IDM_MARK_IMPORTANT);
    command(IDM_MARK_PRIMARY);
    gatherDayLine(1005, 1035, line);
    EXPECT_EQ(line.mark, markPrimary);
    EXPECT_EQ(font(1005), appState.markFonts[markPrimary]);

    focus(1122);
    command(IDM_MARK_SECONDARY);
    EXPECT_EQ(font(1122), appState.markFonts[markSecondary]);
    click(1031);
    focus(1001);
    command(IDM_MARK_IMPORTANT);  // a done line can be marked too
    EXPECT_EQ(font(1001), appState.markFonts[markImportant]);

    for (int id : {1030, 1200, 0}) {
        focus(id);
        command(IDM_MARK_SECONDARY);
    }
    for (int i = 0; i < dayLineCount; ++i) {
        int id = lineEditorId(i);
        HFONT expected = id == 1122 ? appState.markFonts[markSecondary]
                         : id == 1001 ? appState.markFonts[markImportant]
                                      : appState.markFonts[markPrimary];
        EXPECT_EQ(font(id), expected) << id;
    }
}

TEST_F(DayView, MarkOutsideTheThreeLeavesTheFont)
{
    openWindow();
    focus(1010);
    command(IDM_MARK_SECONDARY);
    DayPage page;
    setLineText(page.lines[10], "odd mark");
    page.lines[10].mark = 5;
    showDayPage(page);
    EXPECT_EQ(font(1010), appState.markFonts[markSecondary]);
    DayPage back;
    gatherDayPage(back);
    EXPECT_EQ(back.lines[10].mark, markSecondary);
}

TEST_F(DayView, EnterMovesDownThePageAndWrapsAround)
{
    openWindow();
    setText(1021, "unchanged");
    click(1051);  // read-only lines are passed through too
    auto enterIn = [&](int id) {
        focus(id);
        SendMessageA(item(id), WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(item(id), WM_CHAR, '\r', 0);
        return GetDlgCtrlID(GetFocus());
    };
    EXPECT_EQ(enterIn(1021), 1101);
    EXPECT_EQ(enterIn(1000), 1001);
    EXPECT_EQ(enterIn(1120), 1121);
    EXPECT_EQ(enterIn(1122), 1000);
    EXPECT_EQ(text(1021), "unchanged");
    EXPECT_EQ(text(1122), "");
}

TEST(TrimBlanks, RemovesOnlyOuterBlanks)
{
    wchar_t text[] = L"  \"C:\\Quillory\\quillory.exe\" \t ";
    TrimBlanks(text);
    EXPECT_STREQ(text, L"\"C:\\Quillory\\quillory.exe\" \t");
    wchar_t blanks[] = L"   ";
    TrimBlanks(blanks);
    EXPECT_STREQ(blanks, L"");
}

}  // namespace
