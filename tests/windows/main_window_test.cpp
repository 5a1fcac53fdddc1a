// The main window: its layout, showing and gathering a day, stepping between days, and the shortcut filter.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "app/commands_win32.h"
#include "app/shortcuts_win32.h"
#include "day/day_file.h"
#include "dialog_script.h"
#include "main_window_fixture.h"

namespace {

using MainWindow = MainWindowTest;

const int lineRows[] = {47, 59, 74, 85, 100, 112, 126, 137, 152, 163, 178, 189, 204, 216, 231, 243, 258, 269, 285, 296, 311, 322};
const int scheduleBoxRows[] = {48, 60, 74, 86, 100, 112, 126, 139, 152, 165, 178, 190, 204, 217, 231, 244, 258, 271, 285, 298, 311, 324};
const int todoBoxRows[] = {48, 60, 74, 85, 100, 112, 126, 139, 152, 165, 178, 190, 204, 217, 231, 244, 258, 271, 285, 298};
const int minuteRows[] = {49, 61, 76, 87, 103, 114, 129, 140, 155, 166, 181, 192, 207, 218, 234, 245, 261, 272, 287, 298, 313, 324};
const int hourRows[] = {49, 76, 103, 129, 155, 181, 207, 234, 261, 287, 313};
const int topRow[] = {7};

// Each run of numbered controls: its class and its place in dialog units, row by row.
struct ControlRun {
    int firstId, count;
    const char* className;
    int x, width, height;
    const int* rows;  // one y per control, or one for all
};
const ControlRun layout[] = {
    {1000, 22, "Edit", 49, 198, 12, lineRows},          {1101, 22, "Edit", 321, 198, 12, lineRows},
    {1030, 22, "Button", 253, 10, 11, scheduleBoxRows}, {1151, 20, "Button", 525, 10, 11, todoBoxRows},
    {1060, 11, "Static", 7, 26, 20, hourRows},          {1229, 22, "Static", 34, 11, 8, minuteRows},
    {1090, 1, "Static", 7, 40, 31, topRow},             {1091, 1, "Static", 121, 142, 20, topRow},
    {1092, 1, "Static", 321, 142, 20, topRow},          {1093, 1, "Static", 467, 68, 20, topRow},
    {1200, 1, "Button", 49, 21, 20, topRow},            {1202, 1, "Button", 97, 21, 20, topRow},
};

TEST_F(MainWindow, BothTemplatesPlaceEveryControl)
{
    for (int templateId : {IDD_MAIN, IDD_MAIN_LARGE}) {
        openWindow(templateId);
        for (const ControlRun& run : layout)
            for (int i = 0; i < run.count; ++i) {
                HWND control = item(run.firstId + i);
                ASSERT_TRUE(control) << run.firstId + i;
                char className[16];
                GetClassNameA(control, className, sizeof className);
                EXPECT_STRCASEEQ(className, run.className);
                RECT place{run.x, run.rows[run.count > 1 ? i : 0], run.width, run.height};
                MapDialogRect(window, &place);  // position and size are converted apart
                RECT actual;
                GetWindowRect(control, &actual);
                MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
                EXPECT_TRUE(actual.left == place.left && actual.top == place.top &&
                            actual.right == place.left + place.right && actual.bottom == place.top + place.bottom)
                    << templateId << " control " << run.firstId + i;
                if (run.className[0] == 'E') EXPECT_EQ(SendMessageA(control, EM_GETLIMITTEXT, 0, 0), 259);
            }
        closeWindow();
    }
}

TEST_F(MainWindow, TodaysFileIsShownAndClosingWritesItBack)
{
    const std::string today = "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\nTEXT_3 = Dentist\r\nDONE_3 = 0\r\n"
                              "MARK_3 = 0\r\n\r\n[TODO]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\nMARK_0 = 2\r\n\r\n[NOTE]\r\n";
    writeBytes(dayFile("2026_12_06.ini"), today);
    openWindow();
    EXPECT_EQ(shown(1003), "Dentist 0");
    EXPECT_EQ(shown(1101), "Buy stamps x2");
    EXPECT_EQ(text(IDC_DAY_NUMBER) + text(IDC_MONTH_NAME) + text(IDC_WEEKDAY_NAME), "6DecemberSunday");
    closeWindow();
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")), today);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(MainWindow, GatheringTrimsBlanksAndCutsLongTextsButLeavesTheWindowAlone)
{
    openWindow();
    SendMessageA(item(1002), EM_LIMITTEXT, 1000, 0);
    setText(1000, "  padded\t  ");
    setText(1001, "    ");
    setText(1002, std::string(300, 'x'));
    DayPage page;
    gatherDayPage(page);
    EXPECT_STREQ(page.lines[0].text, "padded\t");
    EXPECT_STREQ(page.lines[1].text, "");
    EXPECT_EQ(std::string(page.lines[2].text), std::string(259, 'x'));
    EXPECT_EQ(text(1000), "  padded\t  ");
}

TEST_F(MainWindow, DoneBoxesAndMarksChangeOnlyTheirOwnLine)
{
    openWindow();
    setText(1000, "a");
    click(1030);
    setLine(1122, "note", IDM_MARK_SECONDARY);
    focus(1200);
    command(IDM_MARK_IMPORTANT);  // no line has the focus
    CheckDlgButton(window, 1170, BST_CHECKED);
    command(1151);  // any box's command refreshes every line
    EXPECT_EQ(shown(1000) + "|" + shown(1001) + "|" + shown(1120) + "|" + shown(1122), "a x1| 1| x1|note 2");
}

TEST_F(MainWindow, EnterMovesDownThePageAndWrapsAround)
{
    openWindow();
    click(1051);  // read-only lines are passed through too
    const int moves[][2] = {{1021, 1101}, {1000, 1001}, {1120, 1121}, {1122, 1000}};
    for (auto [from, to] : moves) {
        focus(from);
        SendMessageA(item(from), WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(item(from), WM_CHAR, '\r', 0);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), to) << from;
        EXPECT_EQ(text(from), "");
    }
}

TEST_F(MainWindow, SteppingSavesTheDayLeftAndShowsTheNext)
{
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_0=Monday\r\nMARK_0=0\r\n");
    openWindow();
    setText(1003, "  Dentist  ");
    click(1033);
    focus(1003);
    command(IDM_MARK_SECONDARY);
    command(IDC_NEXT_DAY);
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")), "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n"
                                                     "TEXT_3 = Dentist\r\nDONE_3 = 1\r\nMARK_3 = 2\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n");
    EXPECT_EQ(shown(1000) + "|" + shown(1003) + "|" + text(IDC_WEEKDAY_NAME), "Monday 0| 1|Monday");
    command(IDC_PREVIOUS_DAY);
    EXPECT_EQ(shown(1003), "Dentist x2");
    click(1033);
    setText(1003, "");
    command(IDC_PREVIOUS_DAY);  // a page that holds nothing has no file
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
    EXPECT_EQ(appState.dateShown.wDay, 5);
}

TEST_F(MainWindow, PickingADateSavesTheDayLeftAndLoadsThePickedOne)
{
    writeBytes(dayFile("2026_12_20.ini"), "[NOTE]\r\nTEXT_0=later note\r\n");
    openWindow();
    setText(1101, " Buy stamps ");
    for (WORD day : {6, 20})  // the date shown is no change at all
        runWithDialogs([&] { command(IDC_PICK_DATE); }, {[day] {
                           HWND picker = dialogNamed("Date picker");
                           NMSELCHANGE pick{{GetDlgItem(picker, IDC_DATE_CALENDAR), IDC_DATE_CALENDAR, MCN_SELECT}};
                           pick.stSelStart = {2026, 12, 0, day};
                           SendMessageA(picker, WM_NOTIFY, IDC_DATE_CALENDAR, LPARAM(&pick));
                       }});
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")), "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n\r\n[TODO]\r\n"
                                                     "TEXT_0 = Buy stamps\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n\r\n[NOTE]\r\n");
    EXPECT_EQ(text(IDC_DAY_NUMBER) + text(1121) + text(1101), "20later note");
}

TEST_F(MainWindow, ShortcutsTypedInALineBecomeCommandsAndNeverReachIt)
{
    openWindow();
    installShortcutFilter(appState.instance);
    setText(1005, "keep me");
    focus(1005);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    for (WPARAM key : {'L', '2'}) {
        PostMessageA(item(1005), WM_KEYDOWN, key, 1);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(window, &msg)) DispatchMessageA(&msg);
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    removeShortcutFilter();
    EXPECT_EQ(shown(1005), " 2");  // cleared, then Secondary
}

}  // namespace
