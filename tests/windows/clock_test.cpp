// The clock, the current-slot marks, the reminders and the notification-area icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/clock_win32.h"
#include "day/day_page.h"
#include "day/day_view_win32.h"
#include "main_window_fixture.h"

namespace {

std::vector<std::pair<DWORD, NOTIFYICONDATAA>> iconCalls;

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

    void tickAt(WORD hour, WORD minute, WORD second, UINT message = WM_TIMER)
    {
        testNow.wHour = hour;
        testNow.wMinute = minute;
        testNow.wSecond = second;
        SendMessageA(window, message, 1, 0);
    }

    std::vector<std::string> balloons() const
    {
        std::vector<std::string> texts;
        for (const auto& [action, data] : iconCalls)
            if (action == NIM_MODIFY) texts.push_back(data.szInfo);
        return texts;
    }

    // The hour (8..18) whose label is sunken and the slot whose minute label is bold; -1 for none, -2 for several.
    std::pair<int, int> marks() const
    {
        std::pair<int, int> found{-1, -1};
        for (int i = 0; i < 11; ++i)
            if (GetWindowLongA(item(IDC_FIRST_HOUR_LABEL + i), GWL_EXSTYLE) & WS_EX_STATICEDGE)
                found.first = found.first == -1 ? i + 8 : -2;
        for (int slot = 0; slot < scheduleLineCount; ++slot)
            if (font(IDC_FIRST_MINUTE_LABEL + slot) == appState.markFonts[markImportant])
                found.second = found.second == -1 ? slot : -2;
        return found;
    }
};

TEST_F(Clock, LateTickAndTickAfterSleepRemindOnceAndMoveTheMarks)
{
    openWindow();
    std::string longText = "Call the plumber " + std::string(242, 'x');  // 259 characters
    setText(1003, longText);
    tickAt(9, 29, 59);
    iconCalls.clear();
    tickAt(9, 30, 1);  // the boundary's own second was skipped
    ASSERT_EQ(iconCalls.size(), 1u);
    const NOTIFYICONDATAA& balloon = iconCalls[0].second;
    EXPECT_EQ(iconCalls[0].first, DWORD(NIM_MODIFY));
    EXPECT_EQ(balloon.cbSize, DWORD(NOTIFYICONDATAA_V3_SIZE));
    EXPECT_EQ(balloon.hWnd, window);
    EXPECT_EQ(balloon.uID, 1u);
    EXPECT_EQ(balloon.uFlags, UINT(NIF_INFO));
    EXPECT_EQ(balloon.dwInfoFlags, DWORD(NIIF_INFO));
    EXPECT_STREQ(balloon.szInfoTitle, "Quillory");
    EXPECT_EQ(std::string(balloon.szInfo), longText.substr(0, 255));
    EXPECT_EQ(marks(), std::make_pair(9, 3));
    tickAt(9, 30, 2);
    EXPECT_EQ(iconCalls.size(), 1u);

    // Asleep from 09:30 to 11:05: one balloon for every slot begun meanwhile that has a reminder.
    setText(1004, "Dentist");
    setText(1005, "Review");
    setText(1006, "Lunch");
    click(1036);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    tickAt(11, 5, 0);
    EXPECT_EQ(balloons(), (std::vector<std::string>{longText.substr(0, 255), "10:00 Dentist\n10:30 Review"}));
    EXPECT_EQ(marks(), std::make_pair(11, 6));
    EXPECT_NE(text(IDC_CLOCK).find("11:05"), std::string::npos) << text(IDC_CLOCK);
}

TEST_F(Clock, TimeChangesAndANewDayMarkTheCurrentSlot)
{
    testNow = {2026, 12, 0, 6, 12, 59, 59, 0};
    openWindow();
    EXPECT_EQ(marks(), std::make_pair(12, 9));
    tickAt(10, 10, 0, WM_TIMECHANGE);  // set back: marked, though no boundary is reached
    EXPECT_EQ(marks(), std::make_pair(10, 4));
    testNow.wDay = 7;
    tickAt(0, 0, 0);  // midnight clears the marks and leaves the page on its day
    EXPECT_EQ(marks(), std::make_pair(-1, -1));
    EXPECT_EQ(text(IDC_DAY_NUMBER), "6");
}

TEST_F(Clock, WithTheClockOffTheYearStaysAndRemindersGoOn)
{
    openWindow();
    appState.showTime = 0;
    appState.dateShown = {2031, 3, 0, 2, 0, 0, 0, 0};
    showHourLabels();
    EXPECT_EQ(text(IDC_CLOCK), "2031");
    setText(1014, "Tea");
    tickAt(15, 0, 0);  // marks and reminders go on without the clock
    EXPECT_EQ(text(IDC_CLOCK), "2031");
    EXPECT_EQ(marks(), std::make_pair(15, 14));
    EXPECT_EQ(balloons(), std::vector<std::string>{"Tea"});
}

TEST_F(Clock, IconIsAddedAtStartRemovedAtSaveAndAddedAgainWhenLost)
{
    openWindow();
    ASSERT_EQ(iconCalls.size(), 1u);
    const NOTIFYICONDATAA& added = iconCalls[0].second;
    EXPECT_EQ(iconCalls[0].first, DWORD(NIM_ADD));
    EXPECT_EQ(added.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, UINT(WM_TRAY_ICON));
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_STREQ(added.szTip, "Quillory");

    // A log-off that is cancelled: the query saved and removed the icon, so it comes back.
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(iconCalls.back().first, DWORD(NIM_DELETE));
    SendMessageA(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(iconCalls.back().first, DWORD(NIM_ADD));
    size_t calls = iconCalls.size();
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(iconCalls.size(), calls);
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);  // the taskbar restarted
    ASSERT_EQ(iconCalls.size(), calls + 1);
    EXPECT_EQ(iconCalls.back().first, DWORD(NIM_ADD));

    closeWindow();
    EXPECT_EQ(iconCalls.back().first, DWORD(NIM_DELETE));
    EXPECT_EQ(iconCalls.back().second.uID, 1u);
}

TEST_F(Clock, IconClicksAndBalloonEventsRestoreTheWindow)
{
    openWindow();
    for (LPARAM event : {LPARAM(WM_LBUTTONDOWN), LPARAM(WM_RBUTTONDOWN), LPARAM(NIN_BALLOONTIMEOUT),
                         LPARAM(NIN_BALLOONUSERCLICK)}) {
        ShowWindow(window, SW_MINIMIZE);
        SendMessageA(window, WM_TRAY_ICON, 1, event);
        EXPECT_FALSE(IsIconic(window)) << event;
    }
    ShowWindow(window, SW_MINIMIZE);
    SendMessageA(window, WM_TRAY_ICON, 1, WM_MOUSEMOVE);
    SendMessageA(window, WM_TRAY_ICON, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsIconic(window));
}

}  // namespace
