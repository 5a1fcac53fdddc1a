// The editing commands on the window's lines, undoing and redoing them, and saving as the user types.

#include <cstring>
#include <thread>

#include "app/undo_win32.h"
#include "main_window_fixture.h"

namespace {

class Editing : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
    }
    bool enabled(int command)
    {
        HMENU edit = GetSubMenu(GetMenu(window), 0);
        SendMessageA(window, WM_INITMENUPOPUP, WPARAM(edit), 0);
        return !(GetMenuState(edit, command, MF_BYCOMMAND) & MF_GRAYED);
    }
};

TEST_F(Editing, EachCommandChangesThePageAsOneStepThatUndoAndRedoTakeBackAndDoAgain)
{
    DayPage before;
    for (auto [i, line] : {std::pair<int, DayLine>{0, {"first", 1, markImportant}}, {21, {"last", 0, markSecondary}},
                           {22, {"beta"}}, {23, {"", 0, markImportant}}, {24, {"alpha", 0, markSecondary}},
                           {25, {"gamma", 1, markImportant}}, {42, {"a note"}}})
        before.lines[i] = line;
    const auto probes = [&] { return shown({1000, 1001, 1021, 1101, 1102, 1103, 1104, 1105, 1121, 1122}); };
    struct Case { int focused, command; const char* after; int focusAfter, focusAfterUndo; } cases[] = {
        // Moving wraps round the column, carrying the whole line and the focus.
        {1000, IDM_MOVE_UP, "last 2| 1|first x0|beta 1| 0|alpha 2|gamma x0| 1|a note 1| 1", 1021, 1000},
        {1121, IDM_MOVE_DOWN, "first x0| 1|last 2|beta 1| 0|alpha 2|gamma x0| 1| 1|a note 1", 1122, 1121},
        {1104, IDM_CLEAR, "first x0| 1|last 2|beta 1| 0|alpha 2| 1| 1|a note 1| 1", 1104, 1104},
        {1101, IDM_CLOSE_EMPTY_TASKS, "first x0| x1|last 2|beta 1| x0|alpha 2|gamma x0| x1|a note 1| 1", 1101, 1001},
        {1101, IDM_SORT_TASKS, "first x0| 1|last 2|gamma x0|beta 1|alpha 2| 0| 1|a note 1| 1", 1101, 1101},
        {1101, IDM_MARK_SECONDARY, "first x0| 1|last 2|beta 2| 0|alpha 2|gamma x0| 1|a note 1| 1", 1101, 1101},
        // Without a focused line a command changes nothing and only asks for one.
        {1030, IDM_CLEAR, "first x0| 1|last 2|beta 1| 0|alpha 2|gamma x0| 1|a note 1| 1", 1030, 1030},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        showDayPage(before);
        startUndoHistory();
        const std::string original = probes();
        focus(c.focused);
        command(c.command);
        EXPECT_EQ(probes(), c.after);
        EXPECT_EQ(GetFocus(), item(c.focusAfter));
        command(IDM_UNDO);
        EXPECT_EQ(probes(), original);
        EXPECT_EQ(GetFocus(), item(c.focusAfterUndo));
        command(IDM_REDO);
        EXPECT_EQ(probes(), c.after);
    }
    EXPECT_EQ(shownMessages.size(), 1u);  // asking for a focused line
}

TEST_F(Editing, EachRunOfTypingInALineIsAStepAndTheMenuGreysWhatCannotBeDone)
{
    EXPECT_FALSE(enabled(IDM_UNDO) || enabled(IDM_REDO));
    type(1101, L"ab");
    EXPECT_TRUE(enabled(IDM_UNDO));
    type(1102, L"cd");
    type(1103, L"ef");
    command(IDM_CLEAR);  // ends the run before it changes the line itself
    for (const char* expected : {"ab|cd|ef", "ab|cd|", "ab||"}) {
        command(IDM_UNDO);
        EXPECT_EQ(text(1101) + "|" + text(1102) + "|" + text(1103), expected);
    }
    EXPECT_EQ(GetFocus(), item(1102));
    EXPECT_TRUE(enabled(IDM_REDO));
    type(1101, L"x");  // a new step: what was undone cannot come back
    EXPECT_FALSE(enabled(IDM_REDO));
}

TEST_F(Editing, ClosingTheDayCarriesUnfinishedLinesAsTheOneStepOfTheNextDay)
{
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_2=Monday 09:00\r\n");
    DayPage closing;
    for (auto [i, line] : {std::pair<int, DayLine>{2, {"Meeting", 0, markImportant}}, {3, {"Already done", 1}},
                           {firstTodoLine, {"Call Bob", 0, markSecondary}}, {firstNoteLine, {"a note"}}})
        closing.lines[i] = line;
    showDayPage(closing);
    answers = {IDNO, IDYES};
    command(IDM_CLOSE_CURRENT_DAY);
    EXPECT_EQ(appState.dateShown.wDay, 6);  // No changes nothing
    command(IDM_CLOSE_CURRENT_DAY);
    ASSERT_EQ(text(IDC_DAY_NUMBER), "7");
    command(IDM_UNDO);  // the next day as it was loaded
    EXPECT_EQ(shown({1000, 1002, 1101}), " 1|Monday 09:00 1| 1");
    EXPECT_FALSE(enabled(IDM_UNDO));  // nothing of the day closed
    command(IDM_REDO);  // its own slot is taken, so the meeting goes to the earliest free one
    EXPECT_EQ(shown({1000, 1002, 1003, 1101}), "Meeting 0|Monday 09:00 1| 1|Call Bob 2");
}

const char today[] = "2026_12_06.ini";

// A save waits about a second for a day file another program holds, so a moment's hold is no failure;
// a temporary file that an earlier failure left behind, and something still holds, is passed by.
TEST_F(Editing, ChangesAreSavedOnTheNextTickAndAFailureIsToldOnceAndAgainOnlyAfterASuccess)
{
    writeBytes(dayFile(today), "");
    tick(2);  // taken in, as a file another program wrote
    writeBytes(dayFile("2026_12_06.ini.tmp"), "left over");
    HANDLE leftOver = CreateFileW(dayFile("2026_12_06.ini.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    // Another program that lets the file be read but not replaced blocks its saves.
    HANDLE held = INVALID_HANDLE_VALUE;
    const auto block = [&](bool blocked) {
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        held = blocked ? CreateFileW(dayFile(today).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                       : INVALID_HANDLE_VALUE;
    };
    struct Step { bool blocked; const char* typed; size_t told; };
    const Step steps[] = {{true, "a", 1}, {true, " b ", 1}, {false, " b ", 1}, {true, "c", 2}};
    for (const Step& step : steps) {
        block(step.blocked);
        std::thread holder;
        if (!step.blocked) {  // held without sharing for a moment
            HANDLE brief = CreateFileW(dayFile(today).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            holder = std::thread([=] {
                Sleep(300);
                CloseHandle(brief);
            });
        }
        setText(IDC_FIRST_TODO_LINE, step.typed);
        tick();
        if (holder.joinable()) holder.join();
        EXPECT_EQ(shownMessages.size(), step.told) << step.typed;
        EXPECT_EQ(text(IDC_FIRST_TODO_LINE), step.typed);  // saving shows no trimming
    }
    ASSERT_EQ(shownMessages.size(), 2u);
    EXPECT_EQ(shownMessages.back().text, "Error operation of save!");
    EXPECT_EQ(shownMessages.back().type, UINT(MB_OK | MB_ICONERROR));
    // The page that failed is still to be saved.
    block(false);
    tick();
    EXPECT_TRUE(fileHolds(dayFile(today), "TEXT_0 = c\r\nDONE_0 = 0\r\nMARK_0 = 1"));
    CloseHandle(leftOver);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dayFile(today).parent_path()), {}), 2);
}

// A line break pasted, or typed with Ctrl+Enter, is a blank in the line as in its file: no other version comes.
TEST_F(Editing, APastedLineBreakIsABlank)
{
    const wchar_t pasted[] = L"Call\r\nplumber\n";
    HGLOBAL data = GlobalAlloc(GMEM_FIXED, sizeof pasted);
    std::memcpy(data, pasted, sizeof pasted);
    ASSERT_TRUE(OpenClipboard(window) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, data) && CloseClipboard());
    focus(IDC_FIRST_TODO_LINE);
    SendMessageA(item(IDC_FIRST_TODO_LINE), WM_PASTE, 0, 0);
    postKeys(item(IDC_FIRST_TODO_LINE), L"\n");
    pumpMessages();
    tick(4);
    EXPECT_EQ(text(IDC_FIRST_TODO_LINE), "Call  plumber ");
    EXPECT_TRUE(fileHolds(dayFile("2026_12_06.ini"), "TEXT_0 = Call  plumber\r\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dayFile("2026_12_06.ini").parent_path()), {}), 1);
}

// Files held at the start are read once let go of within the retry; held longer, they cannot be changed, not
// even by a command, and are never written over (an empty page would delete the day's). A day file let go of and then deleted leaves
// an empty page that can be changed again.
TEST_F(MainWindowTest, HeldFilesAreReadAfterTheRetryButNeverWrittenOverWhenHeldLonger)
{
    const std::string day = "[SCHEDULE]\r\nTEXT_0 = Dentist\r\n", contacts = "[ITEM_0]\r\nname = Ann\r\n";
    for (bool readable : {true, false}) {
        SCOPED_TRACE(readable);
        writeBytes(dayFile(today), day);
        writeBytes("directory_contact.ini", contacts);
        shownMessages.clear();
        std::vector<HANDLE> handles;
        for (const std::filesystem::path& file : {dayFile(today), std::filesystem::path("directory_contact.ini")})
            handles.push_back(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        std::thread holder([=] {
            if (!readable) return;
            Sleep(300);
            for (HANDLE handle : handles) CloseHandle(handle);
        });
        openWindow();
        EXPECT_EQ(text(IDC_FIRST_SCHEDULE_LINE) + (readOnly(IDC_FIRST_NOTE_LINE) ? " read-only" : "") +
                      (IsWindowEnabled(item(IDC_FIRST_TODO_DONE)) ? "" : " disabled"),
                  readable ? "Dentist" : " read-only disabled");
        EXPECT_EQ(shownMessages.size(), readable ? 0u : 2u);  // one for each file
        runWithDialogs([&] { command(IDM_CONTACTS); }, {[&] {
                           for (int id : {IDC_ADD_ENTRY, IDC_EDIT_ENTRY, IDC_DELETE_ENTRY})
                               EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialogNamed("Contacts"), id)) != 0, readable) << id;
                           press("Contacts", IDCANCEL);
                       }});
        holder.join();
        if (!readable) {
            command(IDM_CLOSE_EMPTY_TASKS);  // a command that changes the day does nothing to one not read
            EXPECT_FALSE(IsDlgButtonChecked(appState.mainWindow, IDC_FIRST_TODO_DONE));
            for (HANDLE handle : handles) CloseHandle(handle);
            std::filesystem::remove(dayFile(today));
            tick(2);
            EXPECT_FALSE(readOnly(IDC_FIRST_NOTE_LINE) || !IsWindowEnabled(item(IDC_FIRST_TODO_DONE)));
            writeBytes(dayFile(today), day);  // brought back
            tick(2);
        }
        command(IDC_NEXT_DAY);
        command(IDC_PREVIOUS_DAY);
        EXPECT_EQ(text(IDC_FIRST_SCHEDULE_LINE) + (readOnly(IDC_FIRST_NOTE_LINE) ? " read-only" : ""), "Dentist");
        closeWindow();
        EXPECT_EQ(readBytes(dayFile(today)) + readBytes("directory_contact.ini"), day + contacts);
    }
}

}  // namespace
