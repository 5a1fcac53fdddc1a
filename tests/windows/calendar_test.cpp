// The calendar file as the window keeps it: the menu item, the option, and the file following the days. What the
// file holds is the core's.

#include "main_window_fixture.h"

#include "app/calendar_file_win32.h"

namespace {

const std::filesystem::path calendar = "Quillory.ics";

// The file is written by a thread of its own: waited for up to 20 s.
std::function<bool()> calendarHolds(const std::string& text)
{
    return [=] { return readBytes(calendar).find(text) != std::string::npos; };
}

// The menu item's check and the option stored (2: none).
std::string option(HWND window)
{
    DWORD value = 2, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\Brenhollow\\Quillory", "calendarFile", RRF_RT_REG_DWORD, nullptr,
                 &value, &size);
    bool checked = GetMenuState(GetMenu(window), IDM_CALENDAR_FILE, MF_BYCOMMAND) & MF_CHECKED;
    return (checked ? "checked " : "") + std::to_string(value);
}

// A line typed is in the file once the tick that saves it has run; days stepped through unchanged leave the file
// alone; a restart writes the same bytes once the window is up; turned off, the file stays as it is.
TEST_F(MainWindowTest, TheCalendarFileFollowsTheDaysAndIsWrittenOnlyWhenItChanges)
{
    calendarZoneRules = [](int) { ZoneRules rules; rules.bias = -60; return rules; };
    writeBytes(dayFile("2026_12_06.ini"), "[SCHEDULE]\nTEXT_2 = Standup\n");
    openWindow();
    EXPECT_EQ(option(window), "2");
    command(IDM_CALENDAR_FILE);
    EXPECT_EQ(option(window), "checked 1");
    EXPECT_EQ(shownMessages.size(), 1u);  // where the file is kept, and what it is for
    EXPECT_TRUE(fileHolds(calendar, "DTSTART:20261206T080000Z\r\nDTEND:20261206T083000Z\r\nSUMMARY:Standup\r\n"));
    setText(lineEditorId(4), "Lunch with Ana");
    EXPECT_TRUE(tickUntil(calendarHolds("DTSTART:20261206T090000Z\r\nDTEND:20261206T093000Z\r\nSUMMARY:Lunch with Ana"), 20000));

    const std::string bytes = readBytes(calendar);
    const auto written = std::filesystem::last_write_time(calendar);
    command(IDC_NEXT_DAY);
    tick(2);
    command(IDC_PREVIOUS_DAY);
    tick(2);
    EXPECT_EQ(std::filesystem::last_write_time(calendar), written);

    closeWindow();
    std::filesystem::remove(calendar);
    openWindow();
    EXPECT_EQ(option(window), "checked 1");
    for (int wait = 0; wait < 2000 && !std::filesystem::exists(calendar); ++wait, Sleep(10)) pumpMessages();
    EXPECT_EQ(readBytes(calendar), bytes) << "not written again within 20 s of the start";

    command(IDM_CALENDAR_FILE);
    EXPECT_EQ(option(window), "0");
    setText(lineEditorId(5), "Not in the calendar");
    tick(2);
    EXPECT_EQ(readBytes(calendar), bytes);
}

TEST_F(MainWindowTest, ACalendarFileThatCannotBeWrittenIsToldOnceAndTriedAgain)
{
    calendarZoneRules = [](int) { return ZoneRules(); };
    std::filesystem::create_directory(calendar);  // in the way of the file
    openWindow();
    command(IDM_CALENDAR_FILE);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text.rfind("Quillory.ics could not be written. ", 0), 0u) << shownMessages[0].text;
    setText(lineEditorId(0), "First");
    tick(3);
    Sleep(500);  // what would come of the failed write has had its time
    tick();
    EXPECT_EQ(shownMessages.size(), 1u);
    std::filesystem::remove(calendar);
    setText(lineEditorId(1), "Second");
    EXPECT_TRUE(tickUntil(calendarHolds("SUMMARY:Second"), 20000));
    EXPECT_EQ(shownMessages.size(), 1u);
}

}  // namespace
