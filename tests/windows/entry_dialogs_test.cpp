// The add/edit dialogs of contacts, templates and periodic tasks, driven inside their lists.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "directory_fixture.h"

namespace {

using EntryDialogTest = DirectoryListTest;

bool enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

void choosePeriod(HWND dialog, int kind)
{
    HWND box = GetDlgItem(dialog, IDC_TASK_PERIOD);
    SendMessageA(box, CB_SETCURSEL, kind, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TASK_PERIOD, CBN_SELCHANGE), LPARAM(box));
}

std::string chosenPeriod(HWND dialog)
{
    char text[64] = "";
    HWND box = GetDlgItem(dialog, IDC_TASK_PERIOD);
    SendMessageA(box, CB_GETLBTEXT, SendMessageA(box, CB_GETCURSEL, 0, 0), LPARAM(text));
    return text;
}

void tick(HWND dialog, int weekday)
{
    CheckDlgButton(dialog, IDC_FIRST_WEEKDAY_BOX + weekday, BST_CHECKED);
}

// The state of the period-dependent controls: week boxes, day group, month group.
std::string fieldStates(HWND dialog)
{
    std::string states;
    for (int i = 0; i < 7; ++i) states += enabled(dialog, IDC_FIRST_WEEKDAY_BOX + i) ? 'W' : '-';
    for (int id : {IDC_TASK_DAY, IDC_TASK_DAY_LABEL, IDC_TASK_DAY_STEPPER}) states += enabled(dialog, id) ? 'D' : '-';
    for (int id : {IDC_TASK_MONTH, IDC_TASK_MONTH_LABEL, IDC_TASK_MONTH_STEPPER})
        states += enabled(dialog, id) ? 'M' : '-';
    return states;
}

TEST_F(EntryDialogTest, BlankNamesAreRefusedInEveryDialog)
{
    struct Case {
        int command;
        const char* list;
        const char* dialog;
    };
    for (Case c : {Case{IDM_CONTACTS, "Contacts", "Add contact"}, Case{IDM_TEMPLATES, "Templates", "Add template"},
                   Case{IDM_PERIODIC_TASKS, "Periodic tasks", "Add periodic task"}}) {
        runWithDialogs([&] { command(c.command); },
                       {[&] { press(c.list, IDC_ADD_ENTRY); },
                        [&] {
                            HWND add = dialogNamed(c.dialog);
                            ASSERT_TRUE(add) << c.dialog;
                            SetDlgItemTextA(add, IDC_ENTRY_NAME, "  \t ");
                            if (c.command == IDM_CONTACTS) SetDlgItemTextA(add, IDC_ENTRY_PHONE, "555-0100");
                            if (c.command == IDM_PERIODIC_TASKS) tick(add, 1);
                            press(c.dialog, IDOK);
                            EXPECT_TRUE(dialogNamed(c.dialog)) << "stays open";
                            press(c.dialog, IDCANCEL);
                        },
                        [&] {
                            EXPECT_EQ(SendMessageA(rows(c.list), LVM_GETITEMCOUNT, 0, 0), 0);
                            press(c.list, IDCANCEL);
                        }});
    }
    ASSERT_EQ(shownMessages.size(), 3u);
    for (const ShownMessage& message : shownMessages) {
        EXPECT_EQ(message.text, "Enter a name.");
        EXPECT_EQ(message.title, "Quillory");
        EXPECT_EQ(message.type, UINT(MB_OK | MB_ICONINFORMATION));
    }
    for (const Directory* directory : {&appState.contacts, &appState.templates, &appState.periodicTasks})
        EXPECT_TRUE(namesOf(*directory).empty());
}

TEST_F(EntryDialogTest, ClearingANameWhileEditingKeepsTheOldOne)
{
    fill(appState.templates, {"Dentist"});
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] { press("Templates", IDC_EDIT_ENTRY); },
                    [&] {
                        SetDlgItemTextA(dialogNamed("Edit template"), IDC_ENTRY_NAME, "");
                        press("Edit template", IDOK);
                        press("Edit template", IDCANCEL);
                    },
                    [&] { press("Templates", IDCANCEL); }});
    EXPECT_EQ(namesOf(appState.templates), (Names{"Dentist"}));
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "Enter a name.");
}

TEST_F(EntryDialogTest, AContactKeepsItsFieldsAndAPossibleBirthday)
{
    fill(appState.contacts, {"Ann"});
    lstrcpyA(appState.contacts[0].birthday, "02.29.0000");
    runWithDialogs(
        [&] { command(IDM_CONTACTS); },
        {[&] { press("Contacts", IDC_ADD_ENTRY); },
         [&] {
             HWND add = dialogNamed("Add contact");
             ASSERT_TRUE(add);
             const std::pair<int, int> limits[] = {{IDC_ENTRY_NAME, 259},    {IDC_ENTRY_PHONE, 19},
                                                   {IDC_ENTRY_EMAIL, 39},    {IDC_BIRTHDAY_MONTH, 2},
                                                   {IDC_BIRTHDAY_DAY, 2},    {IDC_BIRTHDAY_YEAR, 4},
                                                   {IDC_ENTRY_DESCRIPTION, 259}};
             for (auto [id, limit] : limits) EXPECT_EQ(SendDlgItemMessageA(add, id, EM_GETLIMITTEXT, 0, 0), limit) << id;
             SetDlgItemTextA(add, IDC_ENTRY_NAME, "Bob");
             SetDlgItemTextA(add, IDC_ENTRY_PHONE, "555-0100");
             SetDlgItemTextA(add, IDC_ENTRY_EMAIL, "bob@example.org");
             SetDlgItemTextA(add, IDC_BIRTHDAY_MONTH, "5");
             SetDlgItemTextA(add, IDC_BIRTHDAY_DAY, "7");
             SetDlgItemTextA(add, IDC_BIRTHDAY_YEAR, "80");
             SetDlgItemTextA(add, IDC_ENTRY_DESCRIPTION, "neighbour");
             press("Add contact", IDOK);
         },
         // An impossible birthday is dropped without a word.
         [&] { press("Contacts", IDC_ADD_ENTRY); },
         [&] {
             HWND add = dialogNamed("Add contact");
             SetDlgItemTextA(add, IDC_ENTRY_NAME, "Carol");
             SetDlgItemTextA(add, IDC_BIRTHDAY_MONTH, "2");
             SetDlgItemTextA(add, IDC_BIRTHDAY_DAY, "29");
             SetDlgItemTextA(add, IDC_BIRTHDAY_YEAR, "1900");
             press("Add contact", IDOK);
         },
         // Ann, stored with a birthday in no year, is shown split and kept.
         [&] { selectRow(rows("Contacts"), 0); },
         [&] { press("Contacts", IDC_EDIT_ENTRY); },
         [&] {
             HWND edit = dialogNamed("Edit contact");
             ASSERT_TRUE(edit);
             EXPECT_EQ(dialogText(edit, IDC_ENTRY_NAME), "Ann");
             EXPECT_EQ(dialogText(edit, IDC_BIRTHDAY_MONTH), "02");
             EXPECT_EQ(dialogText(edit, IDC_BIRTHDAY_DAY), "29");
             EXPECT_EQ(dialogText(edit, IDC_BIRTHDAY_YEAR), "0000");
             press("Edit contact", IDOK);
         },
         [&] {
             HWND list = rows("Contacts");
             EXPECT_EQ(shownNames(list), (Names{"Ann", "Bob", "Carol"}));
             const char* bob[] = {"Bob", "555-0100", "bob@example.org", "05.07.0080", "neighbour"};
             for (int column = 0; column < 5; ++column) EXPECT_EQ(cell(list, 1, column), bob[column]);
             EXPECT_EQ(cell(list, 0, 3), "02.29.0000");
             EXPECT_EQ(cell(list, 2, 3), "");
             press("Contacts", IDCANCEL);
         }});
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_EQ(namesOf(appState.contacts), (Names{"Ann", "Bob", "Carol"}));
    EXPECT_STREQ(appState.contacts[0].birthday, "02.29.0000");
    EXPECT_STREQ(appState.contacts[1].email, "bob@example.org");
    EXPECT_STREQ(appState.contacts[1].period, "");
}

TEST_F(EntryDialogTest, PeriodicTaskFieldsFollowThePeriod)
{
    runWithDialogs([&] { command(IDM_PERIODIC_TASKS); },
                   {[&] { press("Periodic tasks", IDC_ADD_ENTRY); },
                    [&] {
                        HWND add = dialogNamed("Add periodic task");
                        ASSERT_TRUE(add);
                        HWND box = GetDlgItem(add, IDC_TASK_PERIOD);
                        ASSERT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 5);
                        for (int kind = 0; kind < 5; ++kind) {
                            char text[64] = "";
                            SendMessageA(box, CB_GETLBTEXT, kind, LPARAM(text));
                            EXPECT_STREQ(text, periodNames[kind]);
                        }
                        EXPECT_EQ(chosenPeriod(add), "Day or week");
                        EXPECT_EQ(fieldStates(add), "WWWWWWW------");
                        choosePeriod(add, periodMonth);
                        EXPECT_EQ(fieldStates(add), "-------DDD---");
                        for (int kind : {periodQuarter, periodHalfYear, periodYear}) {
                            choosePeriod(add, kind);
                            EXPECT_EQ(fieldStates(add), "-------DDDMMM");
                        }
                        // The steppers sit on their edits; up steps toward 1.
                        EXPECT_EQ(HWND(SendDlgItemMessageA(add, IDC_TASK_DAY_STEPPER, UDM_GETBUDDY, 0, 0)),
                                  GetDlgItem(add, IDC_TASK_DAY));
                        EXPECT_EQ(SendDlgItemMessageA(add, IDC_TASK_DAY_STEPPER, UDM_GETRANGE, 0, 0), 0x1F0001);
                        EXPECT_EQ(HWND(SendDlgItemMessageA(add, IDC_TASK_MONTH_STEPPER, UDM_GETBUDDY, 0, 0)),
                                  GetDlgItem(add, IDC_TASK_MONTH));
                        EXPECT_EQ(SendDlgItemMessageA(add, IDC_TASK_MONTH_STEPPER, UDM_GETRANGE, 0, 0), 0xC0001);
                        EXPECT_EQ(dialogText(add, IDC_TASK_DAY), "");
                        EXPECT_EQ(SendDlgItemMessageA(add, IDC_TASK_DAY, EM_GETLIMITTEXT, 0, 0), 2);

                        // Disabled fields keep what they show but are not stored.
                        SetDlgItemTextA(add, IDC_ENTRY_NAME, "Gym");
                        SetDlgItemTextA(add, IDC_TASK_DAY, "5");
                        SetDlgItemTextA(add, IDC_TASK_MONTH, "3");
                        choosePeriod(add, periodDayOrWeek);
                        EXPECT_EQ(dialogText(add, IDC_TASK_DAY), "5");
                        tick(add, 1);
                        tick(add, 4);
                        press("Add periodic task", IDOK);
                    },
                    [&] {
                        const char* gym[] = {"Gym", "Day or week", "-+--+--", "", ""};
                        for (int column = 0; column < 5; ++column)
                            EXPECT_EQ(cell(rows("Periodic tasks"), 0, column), gym[column]);
                        press("Periodic tasks", IDCANCEL);
                    }});
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_STREQ(appState.periodicTasks[0].week, "-+--+--");
    EXPECT_STREQ(appState.periodicTasks[0].day, "");
}

TEST_F(EntryDialogTest, AnIncompletePeriodicTaskIsToldAndNotStored)
{
    runWithDialogs([&] { command(IDM_PERIODIC_TASKS); },
                   {[&] { press("Periodic tasks", IDC_ADD_ENTRY); },
                    [&] {
                        HWND add = dialogNamed("Add periodic task");
                        ASSERT_TRUE(add);
                        SetDlgItemTextA(add, IDC_ENTRY_NAME, "Rent");
                        press("Add periodic task", IDOK);
                        choosePeriod(add, periodMonth);
                        SetDlgItemTextA(add, IDC_TASK_DAY, "32");
                        press("Add periodic task", IDOK);
                        choosePeriod(add, periodQuarter);
                        SetDlgItemTextA(add, IDC_TASK_DAY, "");
                        press("Add periodic task", IDOK);
                        choosePeriod(add, periodYear);
                        SetDlgItemTextA(add, IDC_TASK_MONTH, "2");
                        SetDlgItemTextA(add, IDC_TASK_DAY, "30");
                        press("Add periodic task", IDOK);
                        EXPECT_EQ(SendMessageA(rows("Periodic tasks"), LVM_GETITEMCOUNT, 0, 0), 0);
                        SetDlgItemTextA(add, IDC_TASK_DAY, "29");
                        tick(add, 0);  // not stored: the week is not a year's
                        press("Add periodic task", IDOK);
                    },
                    [&] { press("Periodic tasks", IDCANCEL); }});
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"Check at least one day of week.", "Enter a valid day",
                                                         "Enter a valid month", "Enter a valid day"}));
    const PeriodicTask& rent = appState.periodicTasks[0];
    EXPECT_STREQ(rent.name, "Rent");
    EXPECT_STREQ(rent.period, "Year");
    EXPECT_STREQ(rent.week, "");
    EXPECT_STREQ(rent.day, "29");
    EXPECT_STREQ(rent.month, "2");
}

TEST_F(EntryDialogTest, AnUnknownStoredPeriodShowsAsTheFirstKind)
{
    PeriodicTask& task = appState.periodicTasks[0];
    lstrcpyA(task.name, "Water the plants");
    lstrcpyA(task.period, "Weekly");
    lstrcpyA(task.week, "+-----+");
    lstrcpyA(task.day, "12");
    PeriodicTask& yearly = appState.periodicTasks[1];
    lstrcpyA(yearly.name, "Birthday card");
    lstrcpyA(yearly.period, "year");
    lstrcpyA(yearly.day, "3");
    lstrcpyA(yearly.month, "11");
    runWithDialogs([&] { command(IDM_PERIODIC_TASKS); },
                   {[&] {
                        selectRow(rows("Periodic tasks"), 1);  // Water the plants
                        press("Periodic tasks", IDC_EDIT_ENTRY);
                    },
                    [&] {
                        HWND edit = dialogNamed("Edit periodic task");
                        ASSERT_TRUE(edit);
                        EXPECT_EQ(chosenPeriod(edit), "Day or week");
                        EXPECT_EQ(fieldStates(edit), "WWWWWWW------");
                        for (int i = 0; i < 7; ++i)
                            EXPECT_EQ(boxTicked(edit, IDC_FIRST_WEEKDAY_BOX + i), i == 0 || i == 6) << i;
                        EXPECT_EQ(dialogText(edit, IDC_TASK_DAY), "12");
                        press("Edit periodic task", IDOK);
                    },
                    // A period matches by its beginning, whatever the letter case.
                    [&] {
                        selectRow(rows("Periodic tasks"), 0);  // Birthday card
                        press("Periodic tasks", IDC_EDIT_ENTRY);
                    },
                    [&] {
                        HWND edit = dialogNamed("Edit periodic task");
                        EXPECT_EQ(chosenPeriod(edit), "Year");
                        EXPECT_EQ(dialogText(edit, IDC_TASK_MONTH), "11");
                        choosePeriod(edit, periodDayOrWeek);
                        tick(edit, 0);
                        press("Edit periodic task", IDOK);
                    },
                    [&] { press("Periodic tasks", IDCANCEL); }});
    EXPECT_TRUE(shownMessages.empty());
    const PeriodicTask& plants = appState.periodicTasks[1];
    EXPECT_STREQ(plants.name, "Water the plants");
    EXPECT_STREQ(plants.period, "Day or week");
    EXPECT_STREQ(plants.week, "+-----+");
    EXPECT_STREQ(plants.day, "");
    const PeriodicTask& card = appState.periodicTasks[0];
    EXPECT_STREQ(card.period, "Day or week");
    EXPECT_STREQ(card.week, "+------");
    EXPECT_STREQ(card.day, "");
    EXPECT_STREQ(card.month, "");
}

}  // namespace
