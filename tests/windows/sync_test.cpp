// Another program writes the files while the window runs, as a sync client does: a temporary file renamed over.

#include "day/day_file.h"
#include "directory/directory_list_win32.h"
#include "main_window_fixture.h"

namespace {

const char today[] = "Data\\2026_12_06.ini";
const char templates[] = "directory_template.ini";

std::string dayBytes(const std::string& schedule, const std::string& todo = "")
{
    return "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\n" + schedule + "\r\n[TODO]\r\n" + todo + "\r\n[NOTE]\r\n";
}

std::string entry(int n, const std::string& text, int done = 0, int mark = 1)
{
    return "TEXT_" + std::to_string(n) + " = " + text + "\r\nDONE_" + std::to_string(n) + " = " + std::to_string(done) +
           "\r\nMARK_" + std::to_string(n) + " = " + std::to_string(mark) + "\r\n";
}

void writeElsewhere(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".sync";
    writeBytes(temporary, bytes);
    ASSERT_TRUE(MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) << path;
}

class TwoComputers : public MainWindowTest {
protected:
    // The one-second timer, at once: a change is taken once the file has stayed put for a tick.
    void tick() { SendMessageA(appState.mainWindow, WM_TIMER, 1, 0); }
    void ticks() { tick(), tick(); }
    std::pair<DWORD, DWORD> selection(int id)
    {
        DWORD start = 0, end = 0;
        SendMessageA(item(id), EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return {start, end};
    }
};

// Nothing changed in the window: it shows the file as it now is, the line being
// typed in keeps its caret and blanks, nothing is written, and Undo takes it back.
TEST_F(TwoComputers, AnIdleWindowShowsTheFileAsItNowIsAndKeepsTheCaret)
{
    writeElsewhere(today, dayBytes(entry(0, "Standup")));
    openWindow();
    focus(1000);
    SendMessageA(item(1000), EM_SETSEL, 2, 5);
    std::string elsewhere = dayBytes(entry(0, "Standup") + entry(1, "\"Call Ann \"", 1, 0));
    writeElsewhere(today, elsewhere);
    ticks();
    EXPECT_EQ(shown({1000, 1001}), "Standup 1|Call Ann x0");
    EXPECT_EQ(selection(1000), std::make_pair(DWORD(2), DWORD(5)));
    EXPECT_EQ(GetFocus(), item(1000));
    EXPECT_EQ(readBytes(today), elsewhere);
    EXPECT_TRUE(shownMessages.empty());
    command(IDM_UNDO);
    EXPECT_EQ(shown({1000, 1001}), "Standup 1| 1");
}

// A change not saved yet is merged line by line; where both sides changed the
// same text the window's stays and the file is kept beside the day file.
TEST_F(TwoComputers, AnUnsavedChangeIsMergedAndTheFileKeptWhereBothChangedOneText)
{
    writeElsewhere(today, dayBytes(entry(0, "Standup")));
    openWindow();
    setText(1000, "Standup moved ");
    setText(1101, "Buy stamps");
    std::string elsewhere = dayBytes(entry(0, "Standup at ten") + entry(1, "Call Ann"));
    writeElsewhere(today, elsewhere);
    ticks();
    EXPECT_EQ(shown({1000, 1001, 1101}), "Standup moved  1|Call Ann 1|Buy stamps 1");
    EXPECT_EQ(readBytes("Data\\2026_12_06.conflict-20261206-091500.ini"), elsewhere);
    EXPECT_EQ(readBytes(today), dayBytes(entry(0, "Standup moved") + entry(1, "Call Ann"), entry(0, "Buy stamps")));
    EXPECT_TRUE(shownMessages.empty());
}

// A day file deleted elsewhere empties an idle window and is not written again;
// a line typed meanwhile is kept and saved.
TEST_F(TwoComputers, ADeletedDayFileIsAnEmptyPage)
{
    for (bool typed : {false, true}) {
        writeElsewhere(today, dayBytes(entry(0, "Standup")));
        openWindow();
        if (typed) setText(1101, "Buy stamps");
        DeleteFileA(today);
        ticks();
        EXPECT_EQ(shown({1000, 1101}), std::string(" 1|") + (typed ? "Buy stamps 1" : " 1")) << typed;
        EXPECT_EQ(readBytes(today), typed ? dayBytes("", entry(0, "Buy stamps")) : "") << typed;
        closeWindow();
    }
}

// Leaving a day the user only looked at writes nothing, so what another program
// wrote meanwhile (quotes, a blank at the end) keeps its bytes; so do the directories.
TEST_F(TwoComputers, LeavingAVisitedUnchangedDayKeepsWhatAnotherProgramWrote)
{
    struct { const char* how; std::function<void()> leave; } paths[] = {
        {"stepping", [&] { command(IDC_NEXT_DAY); }},
        {"closing the day", [&] { answers = {IDYES}; command(IDM_CLOSE_CURRENT_DAY); }},
        {"logging off", [&] { SendMessageA(window, WM_QUERYENDSESSION, 0, 0); }},
        {"closing", [&] { closeWindow(); }},
    };
    for (const auto& path : paths)
        for (bool meanwhile : {false, true}) {
            std::string day = dayBytes(entry(0, "\"Standup \""));
            writeElsewhere(today, day);
            writeElsewhere(templates, "[ITEM_0]\r\nname=Dentist\r\n");
            openWindow();
            if (meanwhile) writeElsewhere(today, day += "text_1=\" Call Ann\"\r\n");
            path.leave();
            EXPECT_EQ(readBytes(today), day) << path.how << (meanwhile ? ", written meanwhile" : "");
            EXPECT_EQ(readBytes(templates), "[ITEM_0]\r\nname=Dentist\r\n") << path.how;
            closeWindow();
        }
}

// The open list shows the merge at once, sorted, with the selection on its entry;
// an add dialog open meanwhile is not disturbed, and its entry joins the merge.
TEST_F(TwoComputers, ADirectoryChangedWhileItsListIsOpen)
{
    writeElsewhere(templates, "[ITEM_0]\r\nname = Dentist\r\n");
    openWindow();
    HWND list = nullptr;
    auto changeElsewhere = [&](const char* file) {
        writeElsewhere(templates, file);
        ticks();
    };
    runWithDialogs([&] { command(IDM_TEMPLATES); },
                   {[&] {
                        list = GetDlgItem(dialogNamed("Templates"), IDC_DIRECTORY_ROWS);
                        selectRow(list, 0);
                        changeElsewhere("[ITEM_0]\r\nname = Dentist\r\n[ITEM_1]\r\nname = Call the bank\r\n");
                        EXPECT_EQ(listRows(list, 1), (Names{"Call the bank", "Dentist"}));
                        EXPECT_EQ(selectedRow(list), 1);
                    },
                    [] { press("Templates", IDC_ADD_ENTRY); },
                    [&] {
                        changeElsewhere("[ITEM_0]\r\nname = Alpha\r\n[ITEM_1]\r\nname = Dentist\r\n"
                                        "[ITEM_2]\r\nname = Call the bank\r\n");
                        EXPECT_EQ(listRows(list, 1), (Names{"Call the bank", "Dentist"})) << "add dialog disturbed";
                        SetDlgItemTextA(dialogNamed("Add template"), IDC_ENTRY_NAME, "Gym");
                        press("Add template", IDOK);
                    },
                    [&] {
                        ticks();
                        EXPECT_EQ(listRows(list, 1), (Names{"Alpha", "Call the bank", "Dentist", "Gym"}));
                        press("Templates", IDCANCEL);
                    }});
    EXPECT_EQ(readBytes(templates), "\r\n[ITEM_0]\r\nname = Call the bank\r\n\r\n[ITEM_1]\r\nname = Dentist\r\n"
                                    "\r\n[ITEM_2]\r\nname = Gym\r\n\r\n[ITEM_3]\r\nname = Alpha\r\n");
}

}  // namespace
