// The directory lists and their add dialogs, and shortcuts in dialogs, driven from inside their modal loops.

#include "main_window_fixture.h"

namespace {

HWND rows(const char* caption) { return GetDlgItem(dialogNamed(caption), IDC_DIRECTORY_ROWS); }

// An addition, its keys in any script (an emoji's two units included), is sorted in as the locale orders names,
// selected and saved as typed; an edit without a name is told and stays open, then goes over its own row; a
// deletion asks first; Cancel keeps them all. A shortcut opens no second list.
TEST_F(MainWindowTest, DirectoryListsAddSortedAndDeleteAfterAsking)
{
    openWindow();
    lstrcpyA(appState.contacts[0].name, "\xc3\x89mile");
    lstrcpyA(appState.contacts[1].name, "Adam");
    lstrcpyA(appState.contacts[1].phone, "555-0100");
    answers = {IDOK, IDNO, IDYES};
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {[] { press("Contacts", IDC_ADD_ENTRY); },
                    [] {
                        HWND dialog = dialogNamed("Add contact");  // its own loop takes the keys
                        postKeys(GetDlgItem(dialog, IDC_ENTRY_NAME), L"\u00c1bel \u0141ukasiewicz");
                        postKeys(GetDlgItem(dialog, IDC_ENTRY_DESCRIPTION), L"\u65e5\u672c \U0001F600");
                    },
                    [] { press("Add contact", IDOK); },
                    [&] {
                        EXPECT_EQ(listRows(rows("Contacts"), 1),
                                  (Names{"\xc3\x81" "bel \xc5\x81ukasiewicz", "Adam", "\xc3\x89mile"}));
                        EXPECT_EQ(SendMessageA(rows("Contacts"), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED), 0);
                        selectRow(rows("Contacts"), 2);
                        press("Contacts", IDC_EDIT_ENTRY);
                    },
                    [] {
                        SetDlgItemTextA(dialogNamed("Edit contact"), IDC_ENTRY_NAME, " ");
                        press("Edit contact", IDOK);
                        SetDlgItemTextA(dialogNamed("Edit contact"), IDC_ENTRY_NAME, "\xc3\x89mile");
                        SetDlgItemTextA(dialogNamed("Edit contact"), IDC_ENTRY_PHONE, "555-0199");
                        press("Edit contact", IDOK);
                    },
                    [&] {
                        command(IDM_CONTACTS);
                        selectRow(rows("Contacts"), 1);
                        press("Contacts", IDC_DELETE_ENTRY);
                        press("Contacts", IDC_DELETE_ENTRY);
                        press("Contacts", IDCANCEL);
                    }});
    Directory saved;
    loadDirectory(contactsFile, saved);
    EXPECT_EQ(std::string(saved[0].name) + "|" + saved[0].description + "|" + saved[1].name + "|" + saved[1].phone +
                  "|" + saved[2].name,
              "\xc3\x81" "bel \xc5\x81ukasiewicz|\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80|\xc3\x89mile|555-0199|");
    ASSERT_EQ(shownMessages.size(), 3u);
    EXPECT_EQ(shownMessages[0].text, "Enter a name.");
    EXPECT_EQ(shownMessages[1].type, UINT(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION));
}

// The caret goes behind the name, counted in the line's own characters; a name with no room is not put in.
TEST_F(MainWindowTest, SelectPutsTheNameInPlaceOfTheSelectionWhereTheLineHasRoom)
{
    openWindow();
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
}

// Shortcut keys as a dialog's loop receives them: Ctrl+F opens Find from the window and from another dialog, but
// no second Find from Find; Ctrl+Z in another dialog undoes there and leaves the page alone.
TEST_F(MainWindowTest, ShortcutsInTheWindowAndInOtherDialogs)
{
    openWindow();
    type(1101, L"keep");
    holdCtrl(true);
    auto ctrlF = [](const char* caption) { return [=] { pressKey(caption, 'F'); }; };
    auto closeFind = [] { press("Find", IDCANCEL); };
    runWithDialogs([&] {
        PostMessageA(item(1101), WM_KEYDOWN, 'F', 1);
        pumpMessages(window);
    }, {closeFind});
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {ctrlF("Contacts"), ctrlF("Find"), closeFind, [] { EXPECT_FALSE(dialogNamed("Find")); },
                    [] { press("Contacts", IDC_ADD_ENTRY); },
                    [] {
                        SendDlgItemMessageA(dialogNamed("Add contact"), IDC_ENTRY_NAME, WM_CHAR, 'n', 1);
                        pressKey("Add contact", 'Z');
                    },
                    [] {
                        EXPECT_EQ(controlText(dialogNamed("Add contact"), IDC_ENTRY_NAME), "");
                        press("Add contact", IDCANCEL);
                    },
                    [] { press("Contacts", IDCANCEL); }});
    EXPECT_EQ(text(1101), "keep");
}

}  // namespace
