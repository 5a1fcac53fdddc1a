// Other versions of the day shown and of the directory files: the button, the dialog, and copies merged.

#include "main_window_fixture.h"

namespace {

const char today[] = "2026_12_06.ini";
const char page[] = "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n"
                    "TEXT_1 = Standup\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n";
// Differs from the page in its schedule lines 1 and 3 and its first note.
const char version[] = "[SCHEDULE]\r\nTEXT_1 = Standup call\r\nTEXT_3 = Dentist\r\nDONE_3 = 1\r\nMARK_3 = 0\r\n"
                       "[NOTE]\r\nTEXT_0 = Umbrella\r\n";
const char syncthingCopy[] = "2026_12_06.sync-conflict-20261206-093005-ABC1234.ini";
const char ownCopy[] = "2026_12_06.conflict-DESK-20261206-101500.ini";

std::filesystem::path asideFile(const char* name) { return std::filesystem::current_path() / "Data" / "Other versions" / name; }

class OtherVersions : public MainWindowTest {
protected:
    bool offered()
    {
        bool shown = GetWindowLongA(item(IDC_OTHER_VERSION), GWL_STYLE) & WS_VISIBLE;
        bool enabled = !(GetMenuState(GetMenu(window), IDM_OTHER_VERSIONS, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(shown, enabled) << "the button and the menu item disagree";
        return shown;
    }
    static HWND dialog() { return dialogNamed("Other versions"); }
    static HWND rows() { return GetDlgItem(dialog(), IDC_VERSION_LINES); }
    // The rows of the dialog, a checked one marked with "x".
    static Names checkedRows()
    {
        Names shown = listRows(rows(), 3);
        for (size_t row = 0; row < shown.size(); ++row)
            if (ListView_GetCheckState(rows(), row)) shown[row] += " x";
        return shown;
    }
};

// Shown for a day with a version, at once when the day is shown and within seconds when a version
// appears; hidden for another day. A version that holds the page as it is stays where it is, unoffered,
// until the page differs from it.
TEST_F(OtherVersions, TheButtonAndMenuItemShowWhetherTheDayHasVersions)
{
    const char sameAsPage[] = "[SCHEDULE]\r\nTEXT_4 = \" Gym \"\r\nMARK_4 = 7\r\n";
    writeBytes(dayFile(today), page);
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_4 = Gym\r\n");
    writeBytes(dayFile("2026_12_07-LAPTOP.ini"), sameAsPage);
    openWindow();
    EXPECT_FALSE(offered());
    writeBytes(dayFile(syncthingCopy), version);
    EXPECT_TRUE(tickUntil([&] { return offered(); })) << "not shown within 5 seconds";
    command(IDC_NEXT_DAY);
    EXPECT_FALSE(offered()) << "a version that looks the same as the page";
    EXPECT_EQ(readBytes(dayFile("2026_12_07-LAPTOP.ini")), sameAsPage) << "moved without the user";
    setText(1004, "Gym at six");
    EXPECT_TRUE(tickUntil([&] { return offered(); })) << "the page differs, but the version was not offered";
    writeBytes(dayFile("2026_12_07-LAPTOP.ini"), "[SCHEDULE]\r\nTEXT_4 = Gym at six\r\n");  // brought again
    EXPECT_TRUE(tickUntil([&] { return !offered(); })) << "the version changed to the page's lines, but was not read again";
    command(IDC_PREVIOUS_DAY);
    EXPECT_TRUE(offered());
}

// The rows differ in text, done box or mark; those whose page line is empty start checked. Two lines taken are
// one step, saved at once even straight after another version's, and the version moves aside; Undo takes both back.
TEST_F(OtherVersions, TakeTwoCheckedLinesThenUndoThem)
{
    writeBytes(dayFile(today), page);
    writeBytes(dayFile(syncthingCopy), version);
    writeBytes(dayFile(ownCopy), "[TODO]\r\nTEXT_0 = Call Ann\r\n");  // the newer, offered first
    openWindow();
    runWithDialogs([&] { command(IDC_OTHER_VERSION); },
                   {[] { press("Other versions", IDOK); },
                    [&] {
                        EXPECT_EQ(controlText(dialog(), IDC_VERSION_CHOICE), "From ABC1234, 6 December 2026 9:30 AM");
                        EXPECT_EQ(checkedRows(), (Names{"08:30 Standup Standup call", "09:30  Dentist (done) x",
                                                        "To do 1 Call Ann ", "Note 1  Umbrella x"}));
                        ListView_SetCheckState(rows(), 0, TRUE);
                        ListView_SetCheckState(rows(), 3, FALSE);
                        press("Other versions", IDOK);
                    }});
    EXPECT_EQ(shown({1001, 1003, 1101, 1121}), "Standup call 1|Dentist x0|Call Ann 1| 1");
    EXPECT_TRUE(fileHolds(dayFile(today), "TEXT_1 = Standup call\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n"
                                          "TEXT_3 = Dentist\r\nDONE_3 = 1\r\nMARK_3 = 0\r\n"));
    EXPECT_TRUE(fileHolds(dayFile(today), "[TODO]\r\nTEXT_0 = Call Ann\r\n"));
    EXPECT_EQ(readBytes(asideFile(syncthingCopy)), version);
    EXPECT_FALSE(std::filesystem::exists(dayFile(syncthingCopy)));
    EXPECT_FALSE(offered());
    command(IDM_UNDO);
    EXPECT_EQ(shown({1001, 1003, 1101, 1121}), "Standup 1| 1|Call Ann 1| 1");
}

// Close changes nothing; the newest version comes first, and Keep this page moves it aside and shows the next. A
// version another program holds is listed as such, and is neither taken nor kept. The page is never touched.
TEST_F(OtherVersions, CloseThenKeepThisPageUpToAVersionThatCannotBeRead)
{
    writeBytes(dayFile(today), page);
    writeBytes(dayFile(syncthingCopy), version);
    writeBytes(dayFile(ownCopy), version);
    HANDLE held = CreateFileW(dayFile(syncthingCopy).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    openWindow();
    runWithDialogs([&] { command(IDM_OTHER_VERSIONS); }, {[] { pressKey("Other versions", VK_ESCAPE); }});
    EXPECT_TRUE(std::filesystem::exists(dayFile(ownCopy)));
    runWithDialogs([&] { command(IDM_OTHER_VERSIONS); },
                   {[] {
                        EXPECT_EQ(controlText(dialog(), IDC_VERSION_CHOICE), "From this computer, 6 December 2026 10:15 AM");
                        press("Other versions", IDC_KEEP_PAGE);
                    },
                    [] {
                        EXPECT_EQ(controlText(dialog(), IDC_VERSION_CHOICE),
                                  "From ABC1234, 6 December 2026 9:30 AM, could not be read");
                        EXPECT_EQ(SendDlgItemMessageA(dialog(), IDC_VERSION_CHOICE, CB_GETCOUNT, 0, 0), 1);
                        EXPECT_EQ(listRows(rows(), 3), Names{});
                        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog(), IDOK)));
                        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog(), IDC_KEEP_PAGE)));
                        press("Other versions", IDOK);
                        press("Other versions", IDC_KEEP_PAGE);
                        press("Other versions", IDCANCEL);
                    }});
    CloseHandle(held);
    EXPECT_EQ(readBytes(asideFile(ownCopy)), version);
    EXPECT_EQ(readBytes(dayFile(syncthingCopy)), version);
    EXPECT_EQ(readBytes(dayFile(today)), page);
}

std::string templates(int first, int count)
{
    std::string file;
    for (int i = 0; i < count; ++i)
        file += "\r\n[ITEM_" + std::to_string(i) + "]\r\nname = T" + std::to_string(first + i) + "\r\n";
    return file;
}

// Copies of the directory files: their missing entries added once the user says Yes, the copy moved aside; one
// that adds nothing moves silently; one that would pass 200 entries adds what fits and stays; No leaves both
// files, and the question comes again at the next start.
TEST_F(OtherVersions, DirectoryCopiesAreMergedAfterAsking)
{
    const std::string contact =
        "\r\n[ITEM_0]\r\nbirthday = \r\ndescription = \r\nemail = \r\nname = Ann\r\nphone = \r\n";
    const char periodicCopy[] = "directory_periodic.sync-conflict-20261206-093005-ABC1234.ini";
    writeBytes("directory_contact.ini", contact);
    writeBytes("directory_contact (Bob's conflicted copy 2026-12-06).ini",
               "[ITEM_0]\r\nname = Cem\r\n[ITEM_1]\r\nname = Ann\r\n[ITEM_2]\r\nname = Dee\r\n");
    writeBytes("directory_template.ini", templates(0, 199));
    writeBytes("directory_template-LAPTOP.ini", templates(198, 4));
    writeBytes("directory_periodic.ini", "");
    writeBytes(periodicCopy, "[ITEM_0]\r\nname = Gym\r\n");
    writeBytes("directory_periodic-LAPTOP.ini", "");
    answers = {IDYES, IDYES, IDNO};
    openWindow();
    tickUntil([] { return shownMessages.size() >= 4; });  // a copy is read once it stayed put from one look to the next
    ASSERT_EQ(shownMessages.size(), 4u);
    EXPECT_EQ(shownMessages[0].text, "Another copy of the contacts file was found (directory_contact (Bob's conflicted "
                                     "copy 2026-12-06).ini). It holds 2 entries that your contacts do not. Add them?");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(shownMessages[1].text, "Another copy of the templates file was found (directory_template-LAPTOP.ini). "
                                     "It holds 3 entries that your templates do not. Add them?");
    EXPECT_EQ(shownMessages[2].text, "Another copy of the periodic tasks file was found (" + std::string(periodicCopy) +
                                         "). It holds 1 entry that your periodic tasks do not. Add them?");
    EXPECT_EQ(shownMessages[3].text,
              "Another copy of the templates file holds more entries than fit; it was left in place.");
    EXPECT_TRUE(fileHolds("directory_contact.ini", "name = Cem\r\nphone = \r\n\r\n[ITEM_2]\r\nbirthday = \r\n"
                                                   "description = \r\nemail = \r\nname = Dee\r\nphone = \r\n"));
    EXPECT_TRUE(std::filesystem::exists("Other versions/directory_contact (Bob's conflicted copy 2026-12-06).ini"));
    EXPECT_EQ(readBytes("directory_template.ini"), templates(0, 200));
    EXPECT_EQ(readBytes("directory_template-LAPTOP.ini"), templates(198, 4));
    EXPECT_EQ(readBytes("directory_periodic.ini"), "");
    EXPECT_TRUE(std::filesystem::exists(periodicCopy));
    EXPECT_TRUE(std::filesystem::exists("Other versions/directory_periodic-LAPTOP.ini"));
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2500; Sleep(100)) tick();
    EXPECT_EQ(shownMessages.size(), 4u) << "asked or told again within the run";
    const std::string periodicQuestion = shownMessages[2].text;
    closeWindow();
    shownMessages.clear();
    openWindow();
    tickUntil([] { return shownMessages.size() >= 2; });
    ASSERT_EQ(shownMessages.size(), 2u);  // the templates' copy, still in place, is told of again
    EXPECT_EQ(shownMessages[0].text, periodicQuestion);
}

}  // namespace
