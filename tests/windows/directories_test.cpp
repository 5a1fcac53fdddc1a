// The directory lists and their add and edit dialogs, driven from inside their modal loops.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "directory_fixture.h"

namespace {

using Directories = DirectoryListTest;

TEST_F(Directories, AnAdditionIsSortedInAndSelectedAndCancelKeepsIt)
{
    fill(appState.templates, {"Shopping", "Call the bank"});
    std::vector<DialogStep> steps = addSteps("Templates", "Add template", "Dentist");
    steps.push_back([&] {
        EXPECT_EQ(shownNames(rows("Templates")), (Names{"Call the bank", "Dentist", "Shopping"}));
        EXPECT_EQ(selection(rows("Templates")), 1);
        press("Templates", IDCANCEL);
    });
    runWithDialogs([&] { command(IDM_TEMPLATES); }, steps);
    EXPECT_EQ(namesOf(appState.templates), (Names{"Call the bank", "Shopping", "Dentist"}));
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(Directories, DeletingAsksFirstAndTakesTheWholeEntry)
{
    fill(appState.contacts, {"Bob", "Ann"});
    lstrcpyA(appState.contacts[1].phone, "555-0100");
    answers = {IDNO, IDYES};
    runWithDialogs([&] { command(IDM_CONTACTS); }, {[&] {
                       selectRow(rows("Contacts"), 0);  // Ann, sorted first
                       press("Contacts", IDC_DELETE_ENTRY);
                       press("Contacts", IDC_DELETE_ENTRY);
                       press("Contacts", IDCANCEL);
                   }});
    EXPECT_EQ(namesOf(appState.contacts), (Names{"Bob"}));
    EXPECT_STREQ(appState.contacts[1].phone, "");
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages[0].text, "Delete the selected item. Are you sure?");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION));
}

TEST_F(Directories, SelectPutsTheNameInPlaceOfTheSelectionWithBlanksAndTheCaretBehind)
{
    fill(appState.templates, {"Dentist"});
    struct Case { const char* before; int start, end; const char* after; DWORD caret; };
    const Case cases[] = {{"Call", 4, 4, "Call Dentist", 12}, {"Ring  X  now", 5, 8, "Ring  Dentist  now", 13}};
    for (const Case& c : cases) {
        setText(1103, c.before);
        focus(1103);
        SendMessageA(item(1103), EM_SETSEL, c.start, c.end);
        runWithDialogs([&] { command(IDM_TEMPLATES); }, {[&] {
                           selectRow(rows("Templates"), 0);
                           press("Templates", IDC_SELECT_ENTRY);
                       }});
        DWORD start = 0, end = 0;
        SendMessageA(item(1103), EM_GETSEL, WPARAM(&start), LPARAM(&end));
        EXPECT_EQ(text(1103), c.after);
        EXPECT_EQ(start, c.caret);
        EXPECT_EQ(end, c.caret);
    }
}

TEST_F(Directories, BlankNamesAreRefusedInEveryDialog)
{
    struct Case { int command; const char* list; const char* dialog; };
    for (Case c : {Case{IDM_CONTACTS, "Contacts", "Add contact"}, Case{IDM_TEMPLATES, "Templates", "Add template"},
                   Case{IDM_PERIODIC_TASKS, "Periodic tasks", "Add periodic task"}}) {
        std::vector<DialogStep> steps = addSteps(c.list, c.dialog, "  \t ");
        steps.push_back([&] {
            EXPECT_TRUE(dialogNamed(c.dialog)) << "stays open";
            press(c.dialog, IDCANCEL);
        });
        steps.push_back([&] { press(c.list, IDCANCEL); });
        runWithDialogs([&] { command(c.command); }, steps);
    }
    ASSERT_EQ(shownMessages.size(), 3u);
    for (const ShownMessage& message : shownMessages) EXPECT_EQ(message.text, "Enter a name.");
    EXPECT_TRUE(namesOf(appState.contacts).empty() && namesOf(appState.periodicTasks).empty());
}

TEST_F(Directories, AFullDirectoryOpensNoAddDialog)
{
    Names full;
    for (int i = 0; i < directoryCapacity; ++i) full.push_back("Task " + std::to_string(1000 + i));
    fill(appState.templates, full);
    runWithDialogs([&] { command(IDM_TEMPLATES); }, {[&] {
                       press("Templates", IDC_ADD_ENTRY);
                       EXPECT_EQ(dialogNamed("Add template"), nullptr);
                       press("Templates", IDCANCEL);
                   }});
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "The directory is full: it holds 200 entries. Delete one to add another.");
}

TEST_F(Directories, AShortcutDoesNotOpenASecondList)
{
    fill(appState.templates, {"Dentist"});
    runWithDialogs([&] { command(IDM_TEMPLATES); }, {[&] {
                       command(IDM_TEMPLATES);  // a second list would be left open and fail the script
                       press("Templates", IDCANCEL);
                   }});
    EXPECT_EQ(namesOf(appState.templates), (Names{"Dentist"}));
}

}  // namespace
