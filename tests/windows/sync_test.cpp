// Another program writes the files while the window runs, as a sync client does: a temporary file renamed over.

#include "app/directory_list_win32.h"
#include "main_window_fixture.h"

namespace {

const char today[] = "Data\\2026_12_06.ini";
const char templates[] = "directory_template.ini";
const std::string standup = "[SCHEDULE]\r\nTEXT_0 = Standup\r\n";

void writeElsewhere(const std::string& path, const std::string& bytes)
{
    writeBytes(path + ".sync", bytes);
    ASSERT_TRUE(MoveFileExA((path + ".sync").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) << path;
}

using TwoComputers = MainWindowTest;

// Close current day works on the file as it is once the user has answered: a task ticked elsewhere while the
// question was open is not carried, one added there is.
TEST_F(TwoComputers, ClosingTheDayTakesInWhatArrivedDuringItsQuestion)
{
    writeElsewhere(today, "[TODO]\r\nTEXT_0 = Call plumber\r\nTEXT_1 = Pay rent\r\n");
    openWindow();
    answers = {IDYES};
    whileAsking = [] {
        writeElsewhere(today, "[TODO]\r\nTEXT_0 = Call plumber\r\nDONE_0 = 1\r\nTEXT_1 = Pay rent\r\n"
                              "TEXT_2 = Buy stamps\r\n");
    };
    command(IDM_CLOSE_CURRENT_DAY);
    EXPECT_EQ(text(IDC_DAY_NUMBER) + "|" + shown({1101, 1102, 1103}), "7|Buy stamps 1|Pay rent 1| 1");
}

// A directory that cannot be saved is kept: closing asks before its changes are lost (the ticks try again).
TEST_F(TwoComputers, ADirectoryThatCannotBeSavedIsKept)
{
    writeElsewhere(templates, "[ITEM_0]\r\nname = Dentist\r\n");
    openWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    // Held by another program that lets it be read, not replaced.
    HANDLE held = CreateFileA(templates, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    lstrcpyA(appState.templates[1].name, "Gym");
    answers = {IDNO};
    command(IDCANCEL);
    ASSERT_EQ(shownMessages.size(), 1u);
    EXPECT_EQ(shownMessages[0].text, "The templates could not be saved. Close anyway and lose their changes?");
    EXPECT_EQ(shownMessages[0].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_TRUE(IsWindowVisible(window));
    CloseHandle(held);
}

// Nothing changed in the window: it shows the file as it now is, the line being
// typed in keeps its selection, nothing is written, and Undo takes it back.
TEST_F(TwoComputers, AnIdleWindowShowsTheFileAsItNowIsAndKeepsTheCaret)
{
    writeElsewhere(today, standup);
    openWindow();
    focus(1000);
    SendMessageA(item(1000), EM_SETSEL, 2, 5);
    writeElsewhere(today, standup + "TEXT_1 = \"Call Ann \"\r\nDONE_1 = 1\r\nMARK_1 = 0\r\n");
    tick(3);  // taken in, then saving as the user types finds nothing changed
    EXPECT_EQ(shown({1000, 1001}), "Standup 1|Call Ann x0");
    EXPECT_EQ(SendMessageA(item(1000), EM_GETSEL, 0, 0), MAKELRESULT(2, 5));
    EXPECT_EQ(readBytes(today), standup + "TEXT_1 = \"Call Ann \"\r\nDONE_1 = 1\r\nMARK_1 = 0\r\n");
    command(IDM_UNDO);
    EXPECT_EQ(shown({1000, 1001}), "Standup 1| 1");
}

// The open list shows the merge at once, sorted, with the selection on its entry;
// an add dialog open meanwhile is not disturbed, and its entry joins the merge.
TEST_F(TwoComputers, ADirectoryChangedWhileItsListIsOpen)
{
    writeElsewhere(templates, "[ITEM_0]\r\nname = Dentist\r\n");
    openWindow();
    HWND list = nullptr;
    auto changeElsewhere = [&](const std::string& added) {
        writeElsewhere(templates, "[ITEM_0]\r\nname = Dentist\r\n[ITEM_1]\r\nname = Call the bank\r\n" + added);
        tick(2);
    };
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] {
                        list = GetDlgItem(dialogNamed("Templates"), IDC_DIRECTORY_ROWS);
                        selectRow(list, 0);
                        changeElsewhere("");
                        EXPECT_EQ(listRows(list, 1), (Names{"Call the bank", "Dentist"}));
                        EXPECT_EQ(selectedRow(list), 1);
                    },
                    [] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        changeElsewhere("[ITEM_2]\r\nname = Alpha\r\n");
                        EXPECT_EQ(listRows(list, 1).size(), 2u) << "the add dialog was disturbed";
                        SetDlgItemTextA(dialogNamed("Add template"), IDC_ENTRY_NAME, "Gym");
                        press("Add template", IDOK);
                    },
                    [&] {
                        tick(2);
                        EXPECT_EQ(listRows(list, 1), (Names{"Alpha", "Call the bank", "Dentist", "Gym"}));
                        press("Templates", IDCANCEL);
                    }});
    EXPECT_TRUE(fileHolds(templates, "name = Gym\r\n\r\n[ITEM_3]\r\nname = Alpha\r\n"));  // the merge's order is the core's
}

}  // namespace
