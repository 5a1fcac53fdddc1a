// The directory list dialog: columns, order, adding, deleting, selecting, and the full directory.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "day/day_view_win32.h"
#include "directory_fixture.h"

namespace {

TEST_F(DirectoryListTest, EachListHasItsCaptionColumnsAndRowLayout)
{
    lstrcpyA(appState.contacts[0].name, "Bob");
    lstrcpyA(appState.contacts[0].phone, "555-0100");
    lstrcpyA(appState.contacts[0].email, "bob@example.org");
    lstrcpyA(appState.contacts[0].birthday, "02.29.2000");
    lstrcpyA(appState.contacts[0].description, "neighbour");
    fill(appState.templates, {"Dentist"});
    PeriodicTask& gym = appState.periodicTasks[0];
    lstrcpyA(gym.name, "Gym");
    lstrcpyA(gym.period, "Day or week");
    lstrcpyA(gym.week, "-+--+--");

    struct Case {
        int command;
        const char* caption;
        std::vector<std::string> columns;
        std::vector<std::string> firstRow;
    };
    std::vector<Case> cases = {
        {IDM_CONTACTS, "Contacts", {"Name 200", "Phone 100", "E-mail 100", "Birthday 100", "Description 200"},
         {"Bob", "555-0100", "bob@example.org", "02.29.2000", "neighbour"}},
        {IDM_TEMPLATES, "Templates", {"Name 200"}, {"Dentist"}},
        {IDM_PERIODIC_TASKS, "Periodic tasks", {"Name 200", "Period 200", "Week 50", "Day 50", "Month 50"},
         {"Gym", "Day or week", "-+--+--", "", ""}},
    };
    for (const Case& c : cases) {
        runWithDialogs([&] { command(c.command); },
                       {[&] {
                            HWND list = rows(c.caption);
                            ASSERT_TRUE(list) << c.caption;
                            EXPECT_EQ(columnTitles(list), c.columns);
                            for (size_t column = 0; column < c.firstRow.size(); ++column)
                                EXPECT_EQ(cell(list, 0, int(column)), c.firstRow[column]) << c.caption;
                            EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x421);
                            LONG style = GetWindowLongA(list, GWL_STYLE);
                            EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
                            EXPECT_TRUE(style & LVS_SINGLESEL);
                            EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
                            EXPECT_TRUE(style & LVS_NOSORTHEADER);
                        },
                        [&] { press(c.caption, IDCANCEL); }});
    }
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(DirectoryListTest, RowsFollowTheLocaleCollationAndTheArrayKeepsItsOrder)
{
    fill(appState.templates, {"Bob", "alice", "Carol"});
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { EXPECT_EQ(shownNames(rows("Templates")), (Names{"alice", "Bob", "Carol"})); },
                    [&] { press("Templates", IDCANCEL); }});
    // Only a change rebuilds the array from the rows.
    EXPECT_EQ(namesOf(appState.templates), (Names{"Bob", "alice", "Carol"}));
}

TEST_F(DirectoryListTest, AnAddedEntryIsSortedInSelectedAndVisible)
{
    Names many;
    for (int i = 0; i < 40; ++i) many.push_back("Errand " + std::to_string(10 + i));
    many.push_back("Call the bank");
    many.push_back("Shopping");
    fill(appState.templates, many);
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        HWND add = dialogNamed("Add template");
                        ASSERT_TRUE(add);
                        SetDlgItemTextA(add, IDC_ENTRY_NAME, "Dentist");
                        press("Add template", IDOK);
                    },
                    [&] {
                        HWND list = rows("Templates");
                        EXPECT_EQ(dialogNamed("Add template"), nullptr);
                        Names shown = shownNames(list);
                        ASSERT_EQ(shown.size(), 43u);
                        EXPECT_EQ(shown[0], "Call the bank");
                        EXPECT_EQ(shown[1], "Dentist");
                        EXPECT_EQ(shown[2], "Errand 10");
                        EXPECT_EQ(shown[42], "Shopping");
                        EXPECT_EQ(selection(list), 1);
                        EXPECT_TRUE(rowFullyVisible(list, 1));
                    },
                    [&] { press("Templates", IDCANCEL); }});
    // Rebuilt before the rows were sorted: the new entry stays last in the array until the next change.
    Names stored = namesOf(appState.templates);
    ASSERT_EQ(stored.size(), 43u);
    EXPECT_EQ(stored[42], "Dentist");
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(DirectoryListTest, EditingShowsTheRowAndCancelKeepsTheChanges)
{
    fill(appState.templates, {"Shopping", "Call the bank"});
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { selectRow(rows("Templates"), 1); },
                    [&] { press("Templates", IDC_EDIT_ENTRY); },
                    [&] {
                        EXPECT_EQ(dialogText(dialogNamed("Edit template"), IDC_ENTRY_NAME), "Shopping");
                        SetDlgItemTextA(dialogNamed("Edit template"), IDC_ENTRY_NAME, "Buy stamps");
                        press("Edit template", IDOK);
                    },
                    [&] {
                        HWND list = rows("Templates");
                        EXPECT_EQ(shownNames(list), (Names{"Buy stamps", "Call the bank"}));
                        EXPECT_EQ(selection(list), 0);
                    },
                    [&] { press("Templates", IDCANCEL); }});
    EXPECT_EQ(namesOf(appState.templates), (Names{"Call the bank", "Buy stamps"}));
}

TEST_F(DirectoryListTest, DeletingAsksFirstAndNoChangesNothing)
{
    fill(appState.templates, {"Bob", "alice", "Carol"});
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] {
                        selectRow(rows("Templates"), 1);
                        messageAnswer = IDNO;
                        press("Templates", IDC_DELETE_ENTRY);
                        EXPECT_EQ(shownNames(rows("Templates")), (Names{"alice", "Bob", "Carol"}));
                        EXPECT_EQ(namesOf(appState.templates), (Names{"Bob", "alice", "Carol"}));
                        messageAnswer = IDYES;
                        press("Templates", IDC_DELETE_ENTRY);
                        EXPECT_EQ(shownNames(rows("Templates")), (Names{"alice", "Carol"}));
                    },
                    [&] { press("Templates", IDCANCEL); }});
    EXPECT_EQ(namesOf(appState.templates), (Names{"alice", "Carol"}));
    ASSERT_EQ(shownMessages.size(), 2u);
    for (const ShownMessage& question : shownMessages) {
        EXPECT_EQ(question.text, "Delete the selected item. Are you sure?");
        EXPECT_EQ(question.title, "Quillory");
        EXPECT_EQ(question.type, UINT(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION));
    }
}

TEST_F(DirectoryListTest, DeletingTheLastRowEmptiesTheArray)
{
    fill(appState.contacts, {"Bob"});
    lstrcpyA(appState.contacts[0].phone, "555-0100");  // the whole entry goes, not just its name
    messageAnswer = IDYES;
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {[&] {
                        selectRow(rows("Contacts"), 0);
                        press("Contacts", IDC_DELETE_ENTRY);
                    },
                    [&] { press("Contacts", IDCANCEL); }});
    static const Directory zero{};
    EXPECT_EQ(std::memcmp(appState.contacts, zero, sizeof zero), 0);
}

TEST_F(DirectoryListTest, CommandsNeedARowAndASelection)
{
    const int commands[] = {IDC_EDIT_ENTRY, IDC_DELETE_ENTRY, IDC_SELECT_ENTRY};
    runWithDialogs([&] { command(IDM_PERIODIC_TASKS); },
                   {[&] {
                        for (int id : commands) press("Periodic tasks", id);
                    },
                    [&] { press("Periodic tasks", IDCANCEL); }});
    fill(appState.periodicTasks, {"Gym", "Water the plants"});
    runWithDialogs([&] { command(IDM_PERIODIC_TASKS); },
                   {[&] {
                        deselectAll(rows("Periodic tasks"));
                        for (int id : commands) press("Periodic tasks", id);
                    },
                    [&] {
                        // A double click beneath the rows reaches no row.
                        HWND list = rows("Periodic tasks");
                        RECT client;
                        GetClientRect(list, &client);
                        LPARAM point = MAKELPARAM(client.right / 2, client.bottom - 5);
                        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
                        SendMessageA(list, WM_LBUTTONUP, 0, point);
                    },
                    [&] { press("Periodic tasks", IDCANCEL); }});
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{
                                  "There is no item in listview!", "There is no item in listview!",
                                  "There is no item in listview!", "Please select a line!",
                                  "Please select a line!", "Please select a line!", "Please select a line!"}));
    for (const ShownMessage& message : shownMessages) {
        EXPECT_EQ(message.title, "Quillory");
        EXPECT_EQ(message.type, UINT(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_EQ(namesOf(appState.periodicTasks), (Names{"Gym", "Water the plants"}));
}

TEST_F(DirectoryListTest, DoubleClickOnARowEditsIt)
{
    fill(appState.templates, {"Dentist"});
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] {
                        HWND list = rows("Templates");
                        RECT row{LVIR_BOUNDS, 0, 0, 0};
                        SendMessageA(list, LVM_GETITEMRECT, 0, LPARAM(&row));
                        LPARAM point = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
                        selectRow(list, 0);
                        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
                    },
                    [&] {
                        EXPECT_TRUE(dialogNamed("Edit template"));
                        press("Edit template", IDCANCEL);
                    },
                    [&] { press("Templates", IDCANCEL); }});
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(DirectoryListTest, SelectIsOfferedOnlyFromAnEditableDayLine)
{
    click(1151);  // the first task is done
    struct Case {
        int focused;
        bool enabled;
    };
    for (Case c : {Case{1102, true}, Case{1121, true}, Case{1000, true}, Case{1101, false},
                   Case{1030, false}, Case{IDC_NEXT_DAY, false}, Case{0, false}}) {
        focus(c.focused);
        runWithDialogs([&] { command(IDM_CONTACTS); },
                       {[&] {
                            EXPECT_EQ(appState.insertTarget, c.focused ? item(c.focused) : nullptr);
                            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialogNamed("Contacts"), IDC_SELECT_ENTRY)) != 0,
                                      c.enabled)
                                << c.focused;
                        },
                        [&] { press("Contacts", IDCANCEL); }});
    }
}

TEST_F(DirectoryListTest, SelectAfterAnAdditionInsertsTheSelectedRow)
{
    fill(appState.templates, {"Shopping", "Call the bank"});
    setText(1103, "Call");
    focus(1103);
    SendMessageA(item(1103), EM_SETSEL, 4, 4);
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        SetDlgItemTextA(dialogNamed("Add template"), IDC_ENTRY_NAME, "Dentist");
                        press("Add template", IDOK);
                    },
                    [&] { press("Templates", IDC_SELECT_ENTRY); }});
    EXPECT_EQ(dialogNamed("Templates"), nullptr);
    EXPECT_EQ(text(1103), "Call Dentist");
    DWORD start = 0, end = 0;
    SendMessageA(item(1103), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 12u);
    EXPECT_EQ(end, 12u);
    // Select rebuilt the array from the sorted rows.
    EXPECT_EQ(namesOf(appState.templates), (Names{"Call the bank", "Dentist", "Shopping"}));
}

TEST_F(DirectoryListTest, SelectingAContactInsertsOnlyItsNameInPlaceOfTheSelection)
{
    fill(appState.contacts, {"Bob"});
    lstrcpyA(appState.contacts[0].phone, "555-0100");
    lstrcpyA(appState.contacts[0].description, "neighbour");
    setText(1121, "Ring  X  today");
    focus(1121);
    SendMessageA(item(1121), EM_SETSEL, 5, 8);  // " X "
    runWithDialogs([&] { command(IDM_CONTACTS); },
                   {[&] {
                        selectRow(rows("Contacts"), 0);
                        press("Contacts", IDC_SELECT_ENTRY);
                    }});
    EXPECT_EQ(text(1121), "Ring  Bob  today");
}

TEST_F(DirectoryListTest, SelectWithNoDayLineTargetChangesNothing)
{
    fill(appState.templates, {"Dentist"});
    focus(IDC_PREVIOUS_DAY);
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] {
                        selectRow(rows("Templates"), 0);
                        press("Templates", IDC_SELECT_ENTRY);  // disabled, but sent anyway
                    }});
    for (int line = 0; line < dayLineCount; ++line) EXPECT_EQ(text(lineEditorId(line)), "") << line;
}

BOOL CALLBACK countTemplateLists(HWND window, LPARAM count)
{
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(caption, "Templates") == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(DirectoryListTest, AShortcutDoesNotOpenAListTwice)
{
    fill(appState.templates, {"Dentist"});
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] {
                        command(IDM_TEMPLATES);  // returns at once: nothing opened
                        int lists = 0;
                        EnumThreadWindows(GetCurrentThreadId(), countTemplateLists, LPARAM(&lists));
                        EXPECT_EQ(lists, 1);
                        selectRow(rows("Templates"), 0);
                        messageAnswer = IDYES;
                        press("Templates", IDC_DELETE_ENTRY);
                        press("Templates", IDCANCEL);
                    }});
    EXPECT_TRUE(namesOf(appState.templates).empty());
    runWithDialogs([&] { command(IDM_TEMPLATES); }, {[&] { press("Templates", IDCANCEL); }});
}

TEST_F(DirectoryListTest, AFullDirectoryTakesNoFurtherEntry)
{
    Names full;
    for (int i = 0; i < directoryCapacity - 1; ++i) full.push_back("Task " + std::to_string(1000 + i));
    fill(appState.templates, full);
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        SetDlgItemTextA(dialogNamed("Add template"), IDC_ENTRY_NAME, "Zebra");
                        press("Add template", IDOK);
                    },
                    [&] {
                        EXPECT_EQ(SendMessageA(rows("Templates"), LVM_GETITEMCOUNT, 0, 0), directoryCapacity);
                        press("Templates", IDC_ADD_ENTRY);
                    },
                    [&] {
                        // Nothing opened: the list is still the dialog on top.
                        EXPECT_EQ(dialogNamed("Add template"), nullptr);
                        EXPECT_EQ(SendMessageA(rows("Templates"), LVM_GETITEMCOUNT, 0, 0), directoryCapacity);
                        press("Templates", IDCANCEL);
                    }});
    EXPECT_EQ(appState.templates[directoryCapacity - 1].name, std::string("Zebra"));
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "The directory is full: it holds 200 entries. Delete one to add another.");
    EXPECT_EQ(shownMessages[0].title, "Quillory");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_OK | MB_ICONINFORMATION));
}

}  // namespace
