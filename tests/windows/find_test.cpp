// The Find dialog over the real main window: the list as the user types, going to a line, and Ctrl+F.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/shortcuts_win32.h"
#include "day/day_file.h"
#include "directory_fixture.h"

namespace {

class Find : public DirectoryListTest {
protected:
    void SetUp() override
    {
        DirectoryListTest::SetUp();
        DayPage march;
        setLineText(march.lines[1], "Dentist at 8:30");
        setLineText(march.lines[firstTodoLine + 2], "call the DENTIST");
        march.lines[firstTodoLine + 2].done = 1;
        saveDayPage(march, {2026, 3, 0, 14});
        DayPage november;
        setLineText(november.lines[firstNoteLine], "dentist bill paid");
        saveDayPage(november, {2025, 11, 0, 2});
        setText(1005, "  unsaved dentist");
    }

    static HWND findDialog() { return dialogNamed("Find"); }
    static void type(const char* text) { SetDlgItemTextA(findDialog(), IDC_FIND_TEXT, text); }
    static Names shownRows()
    {
        HWND list = GetDlgItem(findDialog(), IDC_FIND_ROWS);
        Names rows;
        for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row)
            rows.push_back(cell(list, row, 0) + " " + cell(list, row, 1) + " " + cell(list, row, 2));
        return rows;
    }
    // Types into Find, picks a row and goes to it.
    void goTo(const char* typed, int row)
    {
        runWithDialogs([&] { command(IDM_FIND); }, {[=] {
                           type(typed);
                           selectRow(GetDlgItem(findDialog(), IDC_FIND_ROWS), row);
                           pressKey("Find", VK_RETURN);
                       }});
    }
    std::string selection(int id)
    {
        EXPECT_EQ(GetFocus(), item(id));
        DWORD start = 0, end = 0;
        SendMessageA(item(id), EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return text(id).substr(start, end - start);
    }
};

TEST_F(Find, TheListFollowsTheTextAsItIsTyped)
{
    const std::vector<std::pair<const char*, Names>> typing = {
        {"DENTIST",
         {"12/6/2026 10:30 unsaved dentist", "3/14/2026 08:30 Dentist at 8:30", "3/14/2026 To do 3 call the DENTIST",
          "11/2/2025 Note 1 dentist bill paid"}},
        {"  bill ", {"11/2/2025 Note 1 dentist bill paid"}},
        {"x", {}},
        {"", {}}};
    const char* counts[] = {"4 matches", "1 match", "No match", ""};
    std::vector<DialogStep> steps;
    for (size_t i = 0; i < typing.size(); ++i)
        steps.push_back([&, i] {
            type(typing[i].first);
            EXPECT_EQ(shownRows(), typing[i].second) << typing[i].first;
            EXPECT_EQ(dialogText(findDialog(), IDC_FIND_COUNT), counts[i]);
        });
    steps.push_back([] { pressKey("Find", VK_ESCAPE); });
    runWithDialogs([&] { command(IDM_FIND); }, steps);
    EXPECT_EQ(text(1005), "  unsaved dentist");
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
}

TEST_F(Find, GoToAnotherDaySavesTheDayLeftAndSelectsTheText)
{
    goTo("dentist", 2);
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")),
              "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n"
              "TEXT_5 = unsaved dentist\r\nDONE_5 = 0\r\nMARK_5 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n");
    EXPECT_EQ(text(IDC_DAY_NUMBER), "14");
    EXPECT_EQ(selection(1103), "DENTIST");
    EXPECT_EQ(text(1001), "Dentist at 8:30");
}

TEST_F(Find, GoToOnTheDayShownOnlyMovesTheFocus)
{
    focus(1000);
    goTo(" unsaved ", 0);
    EXPECT_EQ(selection(1005), "unsaved");
    EXPECT_EQ(text(1005), "  unsaved dentist");
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
}

// Ctrl+F as a dialog loop receives it, in the main window and in other dialogs; a second one
// in Find opens no other Find.
TEST_F(Find, CtrlFOpensOneFindFromTheWindowAndFromOtherDialogs)
{
    installShortcutFilter(appState.instance);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    auto ctrlF = [](const char* caption) { return [=] { pressKey(caption, 'F'); }; };
    auto closeFind = [] {
        ASSERT_TRUE(findDialog());
        pressKey("Find", VK_ESCAPE);
    };
    focus(1000);
    PostMessageA(item(1000), WM_KEYDOWN, 'F', 1);
    runWithDialogs(
        [&] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                if (!IsDialogMessageA(window, &msg)) DispatchMessageA(&msg);
        },
        {closeFind});
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {ctrlF("Contacts"), ctrlF("Find"), closeFind, [] { EXPECT_FALSE(findDialog()); },
                    [] { press("Contacts", IDCANCEL); }});
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    removeShortcutFilter();
}

}  // namespace
