// The clock, the current-slot marks, the reminders and the notification-area icon.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "day/day_page.h"
#include "main_window_fixture.h"

namespace {

class Clock : public MainWindowTest {
protected:
    void tickAt(WORD hour, WORD minute, WORD second, UINT message = WM_TIMER)
    {
        testNow.wHour = hour;
        testNow.wMinute = minute;
        testNow.wSecond = second;
        SendMessageA(window, message, 1, 0);
    }

    // The texts of the balloons shown, each record checked to be a balloon of the window's icon.
    std::vector<std::string> balloons() const
    {
        std::vector<std::string> texts;
        for (const auto& [action, data] : iconCalls) {
            if (action != NIM_MODIFY) continue;
            EXPECT_TRUE(data.cbSize == NOTIFYICONDATAA_V3_SIZE && data.hWnd == window && data.uID == 1 &&
                        data.uFlags == NIF_INFO && data.dwInfoFlags == NIIF_INFO);
            EXPECT_STREQ(data.szInfoTitle, "Quillory");
            texts.push_back(data.szInfo);
        }
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
    tickAt(9, 30, 1);  // the boundary's own second was skipped
    EXPECT_EQ(balloons(), std::vector<std::string>{longText.substr(0, 255)});
    EXPECT_EQ(marks(), std::make_pair(9, 3));
    tickAt(9, 30, 2);

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

TEST_F(Clock, TimeChangesAndANewDayMarkTheCurrentSlotAndTheClockOffShowsTheYear)
{
    testNow = {2026, 12, 0, 6, 12, 59, 59, 0};
    openWindow();
    EXPECT_EQ(marks(), std::make_pair(12, 9));
    tickAt(10, 10, 0, WM_TIMECHANGE);  // set back: marked, though no boundary is reached
    EXPECT_EQ(marks(), std::make_pair(10, 4));
    appState.showTime = 0;
    appState.dateShown.wYear = 2031;
    showHourLabels();
    setText(1014, "Tea");
    tickAt(15, 0, 0);  // marks and reminders go on without the clock, and the year of the day shown stays
    EXPECT_EQ(text(IDC_CLOCK), "2031");
    EXPECT_EQ(marks(), std::make_pair(15, 14));
    EXPECT_EQ(balloons(), std::vector<std::string>{"Tea"});
    testNow.wDay = 7;
    tickAt(0, 0, 0);  // midnight clears the marks and leaves the page on its day
    EXPECT_EQ(marks(), std::make_pair(-1, -1));
    EXPECT_EQ(text(IDC_DAY_NUMBER), "6");
}

TEST_F(Clock, IconIsAddedAtStartRemovedAtSaveAndAddedAgainWhenLost)
{
    openWindow();
    const NOTIFYICONDATAA& added = iconCalls.at(0).second;
    EXPECT_EQ(added.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, UINT(WM_TRAY_ICON));
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_STREQ(added.szTip, "Quillory");
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);  // saves, and takes the icon away
    SendMessageA(window, WM_ENDSESSION, FALSE, 0);   // the log-off was cancelled
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);  // the taskbar restarted
    closeWindow();
    std::string actions;  // NIM_ADD is 0, NIM_DELETE 2
    for (const auto& call : iconCalls) actions += std::to_string(call.first);
    EXPECT_EQ(actions, "02002");
}

TEST_F(Clock, IconClicksAndBalloonEventsRestoreTheWindow)
{
    openWindow();
    const std::pair<LPARAM, bool> events[] = {{WM_LBUTTONDOWN, true},      {WM_RBUTTONDOWN, true},
                                              {NIN_BALLOONTIMEOUT, true},  {NIN_BALLOONUSERCLICK, true},
                                              {WM_MOUSEMOVE, false},       {WM_LBUTTONUP, false}};
    for (auto [event, restores] : events) {
        ShowWindow(window, SW_MINIMIZE);
        SendMessageA(window, WM_TRAY_ICON, 1, event);
        EXPECT_NE(IsIconic(window), restores) << event;
    }
}

}  // namespace
