// Importing a calendar file, as the window does it: the open-file dialog, a dropped file, a path from another copy.

#include "main_window_fixture.h"

#include <dlgs.h>
#include <shlobj.h>

#include <cstring>

#include "app/calendar_file_win32.h"
#include "app/import_calendar_win32.h"
#include "app/locale_text_win32.h"

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

    SendMessageA(window, WM_DROPFILES, WPARAM(dropOf(wholePath("invite.ics"))), 0);
    EXPECT_EQ(summary(), "Imported 0 events on 0 days.\n2 events were already on their days.");
    // An update moves its line on the day shown, as one step of Undo.
    std::string moved = invitation;
    moved.replace(moved.find("DTSTART:20261206T10"), 48, "SEQUENCE:1\r\nDTSTART:20261206T110000Z\r\nDTEND:20261206T113000Z");
    writeBytes("moved.ics", moved);
    SendMessageA(window, WM_DROPFILES, WPARAM(dropOf(wholePath("moved.ics"))), 0);
    EXPECT_EQ(summary(), "Imported 0 events on 0 days.\n1 event moved.\n1 event was already on its day.");
    EXPECT_EQ(text(lineEditorId(4)) + "|" + text(lineEditorId(6)), "|Project review (Room 4)");
    command(IDM_UNDO);
    EXPECT_EQ(text(lineEditorId(4)) + "|" + text(lineEditorId(6)), "Project review (Room 4)|");
    std::string path = wholePath("notes.ics");
    COPYDATASTRUCT data{calendarPathData, DWORD(path.size() + 1), path.data()};
    EXPECT_TRUE(SendMessageA(window, WM_COPYDATA, 0, LPARAM(&data)));
    EXPECT_EQ(summary(), "notes.ics is not a calendar file Quillory can read.");
}

}  // namespace
