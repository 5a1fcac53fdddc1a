// The clock, the current-slot marks, the reminders and the notification-area icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/clock_win32.h"
#include "app/commands_win32.h"
#include "day/day_page.h"
#include "day/day_view_win32.h"
#include "main_window_fixture.h"

namespace {

struct IconCall {
    DWORD action;
    NOTIFYICONDATAA data;
};

std::vector<IconCall> iconCalls;

BOOL WINAPI recordIconCall(DWORD action, NOTIFYICONDATAA* data)
{
    iconCalls.push_back({action, *data});
    return TRUE;
}

class Clock : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        iconCalls.clear();
        shellNotifyIconFunction = recordIconCall;
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        shellNotifyIconFunction = Shell_NotifyIconA;
    }

    void tickAt(WORD hour, WORD minute, WORD second)
    {
        testNow.wHour = hour;
        testNow.wMinute = minute;
        testNow.wSecond = second;
        SendMessageA(window, WM_TIMER, 1, 0);
    }

    std::vector<IconCall> balloons() const
    {
        std::vector<IconCall> found;
        for (const IconCall& call : iconCalls)
            if (call.action == NIM_MODIFY) found.push_back(call);
        return found;
    }

    bool sunken(int hourLabel) const { return (GetWindowLongA(item(hourLabel), GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0; }
    bool bold(int minuteLabel) const { return font(minuteLabel) == appState.markFonts[markImportant]; }

    // The hour (8..18) whose label is sunken and the slot whose minute label is bold, or -1.
    std::pair<int, int> marks() const
    {
        std::pair<int, int> found{-1, -1};
        for (int i = 0; i < 11; ++i)
            if (sunken(IDC_FIRST_HOUR_LABEL + i)) found.first = found.first == -1 ? i + 8 : -2;
        for (int slot = 0; slot < scheduleLineCount; ++slot)
            if (bold(IDC_FIRST_MINUTE_LABEL + slot)) found.second = found.second == -1 ? slot : -2;
        return found;
    }
};

TEST_F(Clock, HalfHourTickShowsTheSlotsTextAsABalloon)
{
    openWindow();
    std::string longText = "Call the plumber " + std::string(242, 'x');  // 259 characters
    setText(1003, longText);
    tickAt(9, 30, 0);
    std::vector<IconCall> shown = balloons();
    ASSERT_EQ(shown.size(), 1u);
    const NOTIFYICONDATAA& balloon = shown[0].data;
    EXPECT_EQ(balloon.hWnd, window);
    EXPECT_EQ(balloon.uID, 1u);
    EXPECT_EQ(balloon.uFlags, UINT(NIF_INFO));
    EXPECT_EQ(balloon.dwInfoFlags, DWORD(NIIF_INFO));
    EXPECT_STREQ(balloon.szInfoTitle, "Quillory");
    EXPECT_EQ(std::string(balloon.szInfo), longText.substr(0, 255));
    EXPECT_EQ(balloon.cbSize, DWORD(NOTIFYICONDATAA_V3_SIZE));

    setText(1003, "Short");
    tickAt(9, 30, 1);  // not the boundary itself
    tickAt(9, 31, 0);
    EXPECT_EQ(balloons().size(), 1u);
}

TEST_F(Clock, DoneOrEmptySlotsAndHoursOutsideTheDayShowNoBalloon)
{
    openWindow();
    setText(1003, "Dentist");
    click(1033);
    tickAt(9, 30, 0);
    setText(1004, "");
    tickAt(10, 0, 0);
    setText(1000, "Too early");
    tickAt(7, 30, 0);
    EXPECT_EQ(marks(), std::make_pair(-1, -1));
    tickAt(19, 0, 0);
    EXPECT_EQ(marks(), std::make_pair(-1, -1));
    EXPECT_TRUE(balloons().empty());

    setText(1021, "Last slot");
    tickAt(18, 30, 0);
    ASSERT_EQ(balloons().size(), 1u);
    EXPECT_STREQ(balloons()[0].data.szInfo, "Last slot");
}

TEST_F(Clock, MarksFollowTheSlotOnlyAtBoundariesAndTimeChanges)
{
    testNow = {2026, 12, 0, 6, 12, 59, 59, 0};
    openWindow();
    EXPECT_EQ(marks(), std::make_pair(12, 9));
    EXPECT_EQ(text(IDC_FIRST_MINUTE_LABEL + 9), "30");

    tickAt(13, 0, 1);  // the boundary's own tick was missed
    EXPECT_EQ(marks(), std::make_pair(12, 9));
    tickAt(13, 0, 0);
    EXPECT_EQ(marks(), std::make_pair(13, 10));

    testNow.wHour = 16;
    testNow.wMinute = 45;
    testNow.wSecond = 12;
    SendMessageA(window, WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(marks(), std::make_pair(16, 17));
    tickAt(0, 0, 0);  // midnight clears the marks and nothing else
    EXPECT_EQ(marks(), std::make_pair(-1, -1));
    EXPECT_EQ(text(IDC_DAY_NUMBER), "6");
}

TEST_F(Clock, ClockShowsTheTimeOrTheYearOfTheShownDay)
{
    openWindow();
    std::string before = text(IDC_CLOCK);
    EXPECT_NE(before.find("9"), std::string::npos) << before;
    tickAt(14, 47, 3);
    EXPECT_NE(text(IDC_CLOCK), before);
    EXPECT_NE(text(IDC_CLOCK).find("47"), std::string::npos);

    appState.showTime = 0;
    appState.dateShown = {2031, 3, 0, 2, 0, 0, 0, 0};
    showHourLabels();
    EXPECT_EQ(text(IDC_CLOCK), "2031");
    setText(1009, "Lunch");
    tickAt(12, 30, 0);
    tickAt(12, 30, 1);
    EXPECT_EQ(text(IDC_CLOCK), "2031");
    EXPECT_EQ(marks(), std::make_pair(12, 9));  // marks and reminders go on without the clock
    EXPECT_EQ(balloons().size(), 1u);
}

TEST_F(Clock, IconIsAddedAtStartRemovedAtSaveAndAddedAgainWhenLost)
{
    openWindow();
    ASSERT_EQ(iconCalls.size(), 1u);
    const NOTIFYICONDATAA& added = iconCalls[0].data;
    EXPECT_EQ(iconCalls[0].action, DWORD(NIM_ADD));
    EXPECT_EQ(added.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, UINT(WM_TRAY_ICON));
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_STREQ(added.szTip, "Quillory");
    EXPECT_EQ(added.hWnd, window);
    EXPECT_EQ(added.uID, 1u);

    // A log-off that is cancelled: the query saved and removed the icon, so it comes back.
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(iconCalls.back().action, DWORD(NIM_DELETE));
    SendMessageA(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(iconCalls.back().action, DWORD(NIM_ADD));
    size_t calls = iconCalls.size();
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);  // the session really ends
    EXPECT_EQ(iconCalls.size(), calls);

    // A restarted taskbar has lost every icon.
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(iconCalls.size(), calls + 1);
    EXPECT_EQ(iconCalls.back().action, DWORD(NIM_ADD));
    EXPECT_STREQ(iconCalls.back().data.szTip, "Quillory");

    closeWindow();
    EXPECT_EQ(iconCalls.back().action, DWORD(NIM_DELETE));
    EXPECT_EQ(iconCalls.back().data.uID, 1u);
}

TEST_F(Clock, IconClicksAndBalloonEventsRestoreTheWindow)
{
    openWindow();
    for (LPARAM event : {LPARAM(WM_LBUTTONDOWN), LPARAM(WM_RBUTTONDOWN), LPARAM(NIN_BALLOONTIMEOUT),
                         LPARAM(NIN_BALLOONUSERCLICK)}) {
        ShowWindow(window, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(window));
        SendMessageA(window, WM_TRAY_ICON, 1, event);
        EXPECT_FALSE(IsIconic(window)) << event;
        EXPECT_TRUE(IsWindowVisible(window)) << event;
    }
    ShowWindow(window, SW_MINIMIZE);
    SendMessageA(window, WM_TRAY_ICON, 1, WM_MOUSEMOVE);
    SendMessageA(window, WM_TRAY_ICON, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsIconic(window));
}

}  // namespace
