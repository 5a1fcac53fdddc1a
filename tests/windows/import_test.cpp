// Importing a calendar file, as the window does it: the open-file dialog, a dropped file, a path from another copy.

#include "main_window_fixture.h"

#include <dlgs.h>
#include <shlobj.h>

#include <cstring>

#include "app/calendar_file_win32.h"
#include "app/import_calendar_win32.h"
#include "app/inbox_win32.h"
#include "app/locale_text_win32.h"
#include "app/subscriptions_win32.h"

namespace {

const char invitation[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\nDTSTART:20261206T100000Z\r\n"
    "DTEND:20261206T103000Z\r\nSUMMARY:Project review\r\nLOCATION:Room 4\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:b\r\nDTSTART:20261207T091000Z\r\nDTEND:20261207T104000Z\r\nSUMMARY:Budget\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";

std::string wholePath(const char* name) { return (std::filesystem::current_path() / name).string(); }

// What the shell hands a window a file is dropped on.
HDROP dropOf(const std::string& path)
{
    std::wstring wide = toWide(path);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (wide.size() + 2) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, wide.c_str(), wide.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return HDROP(memory);
}

// The summary the import ends with, once the queued file has been taken.
std::string summary()
{
    for (int wait = 0; wait < 500 && shownMessages.empty(); ++wait, Sleep(10)) pumpMessages();
    std::string text = shownMessages.empty() ? "(no message)" : shownMessages.back().text;
    shownMessages.clear();
    return text;
}

// The placing is the core's. From the menu the file goes onto the day shown as one undo step, onto another day's
// file, and into the calendar file; dropped, or passed on by another copy, it is taken the same way, and an update
// moves its line.
TEST_F(MainWindowTest, ImportFromTheMenuADropOrAnotherCopy)
{
    calendarZoneRules = [](int) { return ZoneRules(); };
    writeBytes("invite.ics", invitation);
    writeBytes("notes.ics", "Dentist at nine\r\n");
    writeBytes(dayFile("2026_12_07.ini"), "[TODO]\r\nTEXT_0 = Pay rent\r\n");
    // Another test program may be running: this one's copy goes by a caption of its own.
    wsprintfA(appState.caption, "Quillory %lu", GetCurrentProcessId());
    openWindow();
    command(IDM_CALENDAR_FILE);
    shownMessages.clear();
    runWithDialogs([&] { command(IDM_IMPORT_CALENDAR); }, {[&] {
                       ASSERT_TRUE(dialogNamed("Import calendar file")) << "no open-file dialog";
                       SetDlgItemTextA(dialogNamed("Import calendar file"), cmb13, wholePath("invite.ics").c_str());
                       press("Import calendar file", IDOK);
                   }});
    EXPECT_EQ(summary(), "Imported 2 events on 2 days.");
    EXPECT_EQ(text(lineEditorId(4)), "Project review (Room 4)");
    std::string other = readBytes(dayFile("2026_12_07.ini"));
    EXPECT_TRUE(other.find("TEXT_0 = Pay rent") != std::string::npos &&
                other.find("TEXT_2 = 09:10-10:40 Budget") != std::string::npos) << other;
    EXPECT_TRUE(tickUntil([] { return readBytes("Quillory.ics").find("SUMMARY:09:10-10:40 Budget") != std::string::npos; }))
        << "the other day's lines are not in Quillory.ics within 5 s";
    command(IDM_UNDO);
    EXPECT_EQ(text(lineEditorId(4)), "");
    command(IDM_REDO);
    EXPECT_EQ(text(lineEditorId(4)), "Project review (Room 4)");

    // Another copy passes a file and a line on while the summary is open, a dialog of the same caption over it:
    // they reach the window, not the message, and are taken in turn once it is closed.
    size_t shownWhileOpen = 0;
    whileAsking = [&] {
        HWND box = CreateWindowExA(0, "#32770", appState.caption, WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
        EXPECT_TRUE(passToRunningCopy(runningCopy(), calendarPathData, wholePath("notes.ics")));
        EXPECT_TRUE(passToRunningCopy(runningCopy(), quickAddData, "Call Anna"));
        pumpMessages();  // as the message's own loop does
        shownWhileOpen = shownMessages.size();
        DestroyWindow(box);
    };
    shownMessages.clear();
    SendMessageA(window, WM_DROPFILES, WPARAM(dropOf(wholePath("invite.ics"))), 0);
    for (int wait = 0; wait < 500 && shownMessages.size() < 2; ++wait, Sleep(10)) pumpMessages();
    EXPECT_EQ(shownWhileOpen, 1u);
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[0].text, "Imported 0 events on 0 days.\n2 events were already on their days.");
    EXPECT_EQ(shownMessages[1].text, "notes.ics is not a calendar file Quillory can read.");
    EXPECT_EQ(text(IDC_FIRST_TODO_LINE), "Call Anna");
    // An update moves its line on the day shown, as one step of Undo.
    std::string moved = invitation;
    moved.replace(moved.find("DTSTART:20261206T10"), 48, "SEQUENCE:1\r\nDTSTART:20261206T110000Z\r\nDTEND:20261206T113000Z");
    writeBytes("moved.ics", moved);
    shownMessages.clear();
    SendMessageA(window, WM_DROPFILES, WPARAM(dropOf(wholePath("moved.ics"))), 0);
    EXPECT_EQ(summary(), "Imported 0 events on 0 days.\n1 event moved.\n1 event was already on its day.");
    EXPECT_EQ(text(lineEditorId(4)) + "|" + text(lineEditorId(6)), "|Project review (Room 4)");
    command(IDM_UNDO);
    EXPECT_EQ(text(lineEditorId(4)) + "|" + text(lineEditorId(6)), "Project review (Room 4)|");
}

// A calendar subscribed to from a file in a synced folder: added in the dialog and read at once, on the worker; its
// events on their days, the day shown's as one undo step. The file gone, the failure is told once however often it is
// read, the page stays, and the dialog shows why. Back unchanged on a new day, it reaches one day further.
TEST_F(MainWindowTest, ASubscriptionReadAtOnceAndAFailureToldOnce)
{
    calendarZoneRules = [](int) { return ZoneRules(); };
    std::string subscribed = invitation;
    subscribed.insert(subscribed.find("END:VCALENDAR"), "BEGIN:VEVENT\r\nUID:c\r\nDTSTART:20251207T120000Z\r\n"
                                                         "DURATION:PT30M\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Anniversary\r\nEND:VEVENT\r\n");
    writeBytes("invite.ics", subscribed);
    openWindow();
    runWithDialogs([&] { command(IDM_SUBSCRIPTIONS); },
                   {[&] { press("Subscriptions", IDC_ADD_SUBSCRIPTION); },
                    [&] {
                        SetDlgItemTextA(dialogNamed("Add subscription"), IDC_SUBSCRIPTION_NAME, "Team");
                        SetDlgItemTextA(dialogNamed("Add subscription"), IDC_SUBSCRIPTION_ADDRESS, wholePath("invite.ics").c_str());
                        press("Add subscription", IDOK);
                    },
                    [&] { press("Subscriptions", IDCANCEL); }});
    EXPECT_TRUE(tickUntil([&] { return text(lineEditorId(4)) == "Project review (Room 4)"; })) << "not placed within 5 s";
    EXPECT_TRUE(readBytes(dayFile("2026_12_07.ini")).find("TEXT_2 = 09:10-10:40 Budget") != std::string::npos);
    command(IDM_UNDO);
    EXPECT_EQ(text(lineEditorId(4)), "");
    command(IDM_REDO);
    std::filesystem::remove("invite.ics");
    for (int reading = 0; reading < 4; ++reading)  // each starts once the one before it has ended
        ASSERT_TRUE(tickUntil([] { return readSubscriptionsNow(); })) << "a reading took over 5 s";
    pumpMessages();
    tick();
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "The calendar Team could not be read: the file is missing. Its events stay as they were.");
    EXPECT_EQ(text(lineEditorId(4)), "Project review (Room 4)");
    runWithDialogs([&] { command(IDM_SUBSCRIPTIONS); }, {[&] {
                       Names rows = listRows(GetDlgItem(dialogNamed("Subscriptions"), IDC_SUBSCRIPTION_LIST), 4);
                       EXPECT_TRUE(rows.size() == 1 && rows[0].ends_with(" the file is missing")) << rows.at(0);
                       press("Subscriptions", IDCANCEL);
                   }});
    // The same calendar again on a new day: the day that came into reach a year ahead gets its occurrence.
    writeBytes("invite.ics", subscribed);
    EXPECT_FALSE(std::filesystem::exists(dayFile("2027_12_07.ini")));
    testNow.wDay = 7;
    ASSERT_TRUE(tickUntil([] { return readSubscriptionsNow(); })) << "a reading took over 5 s";
    EXPECT_TRUE(tickUntil([] { return fileHolds(dayFile("2027_12_07.ini"), "TEXT_8 = Anniversary"); }))
        << "not placed within 5 s";
}

}  // namespace
