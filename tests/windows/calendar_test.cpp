// The calendar file as the window keeps it: the menu item, the option, and the file following the days.

#include "main_window_fixture.h"

#include "app/calendar_file_win32.h"

namespace {

using CalendarFile = MainWindowTest;

DWORD calendarOption()
{
    DWORD value = 2, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Brenhollow\\Quillory", "calendarFile", RRF_RT_REG_DWORD, nullptr,
                 &value, &size);
    return value;
}

bool menuChecked(HWND window)
{
    return GetMenuState(GetMenu(window), IDM_CALENDAR_FILE, MF_BYCOMMAND) & MF_CHECKED;
}

const std::filesystem::path calendar = "Quillory.ics";

// The file is written by a thread of its own: waited for, ticking, up to 20 s.
bool calendarHolds(HWND window, const std::string& text)
{
    for (int wait = 0; wait < 2000; ++wait) {
        if (readBytes(calendar).find(text) != std::string::npos) return true;
        Sleep(10);
        SendMessageA(window, WM_TIMER, 1, 0);
        pumpMessages();
    }
    return false;
}

TEST_F(CalendarFile, FollowsTheDaysAndIsWrittenOnlyWhenItChanges)
{
    calendarZoneRules = [](int) {
        ZoneRules rules;
        rules.bias = -60;
        return rules;
    };
    writeBytes(dayFile("2026_12_06.ini"), "[SCHEDULE]\nTEXT_2 = Standup\n");
    writeBytes(dayFile("2026_12_07.ini"), "[TODO]\nTEXT_0 = Pay rent\n");
    openWindow();
    EXPECT_FALSE(menuChecked(window));
    command(IDM_CALENDAR_FILE);
    EXPECT_TRUE(menuChecked(window));
    EXPECT_EQ(calendarOption(), 1u);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "Quillory.ics is kept beside the Data folder. A calendar that subscribes to "
                                     "this file shows your schedule.");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_OK | MB_ICONINFORMATION));
    std::string bytes = readBytes(calendar);
    EXPECT_NE(bytes.find("DTSTART:20261206T080000Z\r\nDTEND:20261206T083000Z\r\nSUMMARY:Standup\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("SUMMARY:Pay rent"), std::string::npos);

    // A line typed is in the file once the tick that saves the day has run.
    setText(lineEditorId(4), "Lunch with Ana");
    EXPECT_TRUE(calendarHolds(window, "DTSTART:20261206T090000Z\r\nDTEND:20261206T093000Z\r\nSUMMARY:Lunch with Ana"));

    // Days stepped through and back, unchanged, leave the file's bytes and time alone.
    bytes = readBytes(calendar);
    auto written = std::filesystem::last_write_time(calendar);
    command(IDC_NEXT_DAY);
    tick(2);
    command(IDC_PREVIOUS_DAY);
    tick(2);
    EXPECT_EQ(std::filesystem::last_write_time(calendar), written);

    // A restart reads the days after the window is up and writes the same bytes.
    closeWindow();
    std::filesystem::remove(calendar);
    openWindow();
    EXPECT_TRUE(menuChecked(window));
    for (int wait = 0; wait < 2000 && !std::filesystem::exists(calendar); ++wait) {
        Sleep(10);
        pumpMessages();
    }
    EXPECT_EQ(readBytes(calendar), bytes) << "not written again within 20 s of the start";

    // Off: the file stays as it is.
    command(IDM_CALENDAR_FILE);
    EXPECT_FALSE(menuChecked(window));
    EXPECT_EQ(calendarOption(), 0u);
    setText(lineEditorId(5), "Not in the calendar");
    tick(2);
    EXPECT_EQ(readBytes(calendar), bytes);
}

TEST_F(CalendarFile, AFileThatCannotBeWrittenIsToldOnceAndTriedAgain)
{
    calendarZoneRules = [](int) { return ZoneRules(); };
    std::filesystem::create_directory(calendar);  // in the way of the file
    openWindow();
    command(IDM_CALENDAR_FILE);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text.rfind("Quillory.ics could not be written. ", 0), 0u) << shownMessages[0].text;
    EXPECT_GT(shownMessages[0].text.size(), std::string("Quillory.ics could not be written. ").size());
    setText(lineEditorId(0), "First");
    tick(3);
    Sleep(500);  // what would come of the failed write has had its time
    tick();
    EXPECT_EQ(shownMessages.size(), 1u);
    std::filesystem::remove(calendar);
    setText(lineEditorId(1), "Second");
    EXPECT_TRUE(calendarHolds(window, "SUMMARY:Second"));
    EXPECT_EQ(shownMessages.size(), 1u);
}

}  // namespace
