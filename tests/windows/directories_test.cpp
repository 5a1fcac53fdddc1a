// The directory lists and their add dialogs, and the Find dialog, driven from inside their modal loops.


#include "day/day_file.h"
#include "main_window_fixture.h"

namespace {

class Directories : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
    }
    static HWND rows(const char* caption) { return GetDlgItem(dialogNamed(caption), IDC_DIRECTORY_ROWS); }
};

TEST_F(Directories, AnAdditionIsSortedInAndSelectedADeletionAsksFirstAndCancelKeepsBoth)
{
    lstrcpyA(appState.contacts[0].name, "Bob");
    lstrcpyA(appState.contacts[1].name, "Ann");
    lstrcpyA(appState.contacts[1].phone, "555-0100");
    answers = {IDNO, IDYES};
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {[] { press("Contacts", IDC_ADD_ENTRY); },
                    [] {
                        SetDlgItemTextA(dialogNamed("Add contact"), IDC_ENTRY_NAME, "Bea");
                        press("Add contact", IDOK);
                    },
                    [&] {
                        EXPECT_EQ(listRows(rows("Contacts"), 1), (Names{"Ann", "Bea", "Bob"}));
                        EXPECT_EQ(SendMessageA(rows("Contacts"), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 1);
                        command(IDM_CONTACTS);  // a shortcut opens no second list: it would be left open
                        selectRow(rows("Contacts"), 0);
                        press("Contacts", IDC_DELETE_ENTRY);
                        press("Contacts", IDC_DELETE_ENTRY);
                        press("Contacts", IDCANCEL);
                    }});
    // Rebuilt in the order shown.
    const DirectoryEntry* kept = appState.contacts;
    EXPECT_EQ(std::string(kept[0].name) + "|" + kept[1].name + "|" + kept[2].name, "Bea|Bob|");
    EXPECT_STREQ(kept[1].phone, "");  // the whole entry went
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[0].text, "Delete the selected item. Are you sure?");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION));
}

// The name replaces the selection, with blanks, and the caret goes behind it, positions counted as the line
// counts its characters; a name with no room left in the line is not put in, and the user is told (the cut
// is a portable rule).
TEST_F(Directories, SelectPutsTheNameInPlaceOfTheSelectionWhereTheLineHasRoom)
{
    lstrcpyA(appState.templates[0].name, "Dentist");
    const struct { std::string line; DWORD from, to; std::string after; size_t told; } cases[] = {
        {"\xc5\x81\xc3\xb3" "d\xc5\xba  X  now", 5, 8, "\xc5\x81\xc3\xb3" "d\xc5\xba  Dentist  now", 0},  // Łódź
        {std::string(258, 'a'), 258, 258, std::string(258, 'a'), 1},
    };
    for (const auto& c : cases) {
        setText(1103, c.line);
        focus(1103);
        SendMessageA(item(1103), EM_SETSEL, c.from, c.to);
        runWithDialogs([&] { command(IDM_TEMPLATES); }, {[] {
                           selectRow(rows("Templates"), 0);
                           press("Templates", IDC_SELECT_ENTRY);
                       }});
        DWORD start = 0, end = 0;
        SendMessageA(item(1103), EM_GETSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(text(1103), c.after);
        EXPECT_TRUE(c.told || (start == 13 && end == 13)) << start << " " << end;
        EXPECT_EQ(shownMessages.size(), c.told);
    }
    EXPECT_EQ(shownMessages[0].text, "There is no room for the name in this line.");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_OK | MB_ICONINFORMATION));
}

// Find over two saved days and the unsaved text of the day shown.
class Find : public Directories {
protected:
    void SetUp() override
    {
        Directories::SetUp();
        DayPage march, november;
        march.lines[1] = {"Dentist at 8:30"};
        march.lines[firstTodoLine + 2] = {"call the DENTIST", 1};
        saveDayPage(march, {2026, 3, 0, 14});
        november.lines[firstNoteLine] = {"dentist bill paid"};
        saveDayPage(november, {2025, 11, 0, 2});
        setText(1005, "  unsaved dentist");
    }

    static void type(const char* text) { SetDlgItemTextA(dialogNamed("Find"), IDC_FIND_TEXT, text); }
    // Types into Find, picks a row and goes to it.
    void goTo(const char* typed, int row)
    {
        runWithDialogs([&] { command(IDM_FIND); }, {[=] {
                           type(typed);
                           selectRow(GetDlgItem(dialogNamed("Find"), IDC_FIND_ROWS), row);
                           pressKey("Find", VK_RETURN);
                       }});
    }
    // The text selected in the line, which must have the focus.
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
          "11/2/2025 Note 1 dentist bill paid", "4 matches"}},
        {"  bill ", {"11/2/2025 Note 1 dentist bill paid", "1 match"}},
        {"x", {"No match"}},
        {"", {""}}};
    std::vector<DialogStep> steps;
    for (const auto& typed : typing)
        steps.push_back([&] {
            type(typed.first);
            Names shown = listRows(GetDlgItem(dialogNamed("Find"), IDC_FIND_ROWS), 3);
            shown.push_back(controlText(dialogNamed("Find"), IDC_FIND_COUNT));
            EXPECT_EQ(shown, typed.second) << typed.first;
        });
    steps.push_back([] { pressKey("Find", VK_ESCAPE); });
    runWithDialogs([&] { command(IDM_FIND); }, steps);
    EXPECT_EQ(text(1005), "  unsaved dentist");
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
}

TEST_F(Find, GoToOnTheDayShownOnlyMovesTheFocusAndToAnotherDaySavesTheDayLeft)
{
    focus(1000);
    goTo(" unsaved ", 0);
    EXPECT_EQ(selection(1005), "unsaved");
    EXPECT_EQ(text(1005), "  unsaved dentist");
    EXPECT_FALSE(std::filesystem::exists(dayFile("2026_12_06.ini")));
    goTo("dentist", 2);
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")),
              "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n"
              "TEXT_5 = unsaved dentist\r\nDONE_5 = 0\r\nMARK_5 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n");
    EXPECT_EQ(text(IDC_DAY_NUMBER) + text(1001), "14Dentist at 8:30");
    EXPECT_EQ(selection(1103), "DENTIST");
}

// Ctrl+F as a dialog loop receives it, in the main window and in other dialogs; a second one
// in Find opens no other Find.
TEST_F(Find, CtrlFOpensOneFindFromTheWindowAndFromOtherDialogs)
{
    holdCtrl(true);
    auto ctrlF = [](const char* caption) { return [=] { pressKey(caption, 'F'); }; };
    auto closeFind = [] { press("Find", IDCANCEL); };
    focus(1000);
    runWithDialogs([&] {
        PostMessageA(item(1000), WM_KEYDOWN, 'F', 1);
        pumpMessages(window);
    }, {closeFind});
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {ctrlF("Contacts"), ctrlF("Find"), closeFind, [] { EXPECT_FALSE(dialogNamed("Find")); },
                    [] { press("Contacts", IDCANCEL); }});
}

}  // namespace
