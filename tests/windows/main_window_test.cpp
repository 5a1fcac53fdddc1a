// The main window: its layout, showing and saving days, Enter, shortcuts, the options, the clock and the icon.

#include "main_window_fixture.h"

#include "text/locale_text_win32.h"

namespace {

using MainWindow = MainWindowTest;

// Where each control stands is the resource script's to say. What must hold in both templates: the
// other-version button, shown only now and then, covers no other control, and every line holds 259 characters.
TEST_F(MainWindow, InBothTemplatesTheOtherVersionButtonCoversNothingAndEveryLineHolds259Characters)
{
    for (int templateId : {IDD_MAIN, IDD_MAIN_LARGE}) {
        openWindow(templateId);
        RECT button, other, overlap;
        GetWindowRect(item(IDC_OTHER_VERSION), &button);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            GetWindowRect(child, &other);
            EXPECT_TRUE(child == item(IDC_OTHER_VERSION) || !IntersectRect(&overlap, &button, &other))
                << templateId << " control " << GetDlgCtrlID(child);
        }
        for (int id : {IDC_FIRST_SCHEDULE_LINE, IDC_FIRST_TODO_LINE})
            for (int line = id; line < id + 22; ++line)
                EXPECT_EQ(SendMessageA(item(line), EM_GETLIMITTEXT, 0, 0), 259) << line;
        closeWindow();
    }
}

TEST_F(MainWindow, ThePickerShowsTheDayPickedAndSavesTheDayLeft)
{
    writeBytes(dayFile("2026_12_20.ini"), "[NOTE]\r\nTEXT_0=later note\r\n");
    openWindow();
    setText(1003, "Dentist");
    for (WORD day : {6, 20})  // the date shown is no change at all
        runWithDialogs([&] { command(IDC_PICK_DATE); }, {[day] {
                           HWND picker = dialogNamed("Date picker");
                           NMSELCHANGE pick{};
                           pick.nmhdr = {GetDlgItem(picker, IDC_DATE_CALENDAR), IDC_DATE_CALENDAR, UINT(MCN_SELECT)};
                           pick.stSelStart = {2026, 12, 0, day, 0, 0, 0, 0};
                           SendMessageA(picker, WM_NOTIFY, IDC_DATE_CALENDAR, LPARAM(&pick));
                       }});
    EXPECT_NE(readBytes(dayFile("2026_12_06.ini")).find("TEXT_3 = Dentist"), std::string::npos);
    EXPECT_EQ(text(IDC_DAY_NUMBER) + text(1121), "20later note");
}

TEST_F(MainWindow, EnterMovesDownThePageAndWrapsAround)
{
    openWindow();
    click(1051);  // read-only lines are passed through too
    const int moves[][2] = {{1021, 1101}, {1000, 1001}, {1120, 1121}, {1122, 1000}};
    for (auto [from, to] : moves) {
        focus(from);
        SendMessageA(item(from), WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(item(from), WM_CHAR, '\r', 0);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), to) << from;
        EXPECT_EQ(text(from), "");
    }
}

// The logon-start entry as stored, or "missing".
std::string runValue()
{
    char value[1024] = "";
    DWORD size = sizeof value;
    LSTATUS read = RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Quillory",
                                RRF_RT_REG_SZ, nullptr, value, &size);
    return read == ERROR_SUCCESS ? value : "missing";
}

TEST_F(MainWindow, OptionsApplyAtOnceAndAreStoredWithTheLogonEntryWhenTheWindowCloses)
{
    auto setOptions = [&](std::vector<int> boxes) {
        runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                           for (int box : boxes) SendDlgItemMessageA(dialogNamed("Options"), box, BM_CLICK, 0, 0);
                           press("Options", IDOK);
                       }});
    };
    openWindow();
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "13");
    setOptions({IDC_AM_PM, IDC_SHOW_TIME});
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5) + text(IDC_CLOCK), "012026");
    closeWindow();
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_EQ(runValue(), std::string("\"").append(path).append("\" -autorun"));

    // Read back at the next start; autorun off takes the entry away, but only when the options are saved.
    openWindow();
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5) + text(IDC_CLOCK), "012026");
    setOptions({IDC_AUTORUN});
    EXPECT_NE(runValue(), "missing");
    closeWindow();
    EXPECT_EQ(runValue(), "missing");
}

// A day that cannot be saved is never left: a step stays on it with its lines; closing
// asks first; a log-off keeps it as an other version.
TEST_F(MainWindow, ADayThatCannotBeSavedStaysInTheWindow)
{
    openWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    std::filesystem::create_directories(dayFile("2026_12_06.ini") / "in");  // in the file's place
    const char* pages[] = {"typed", "typed", "retyped"};
    for (const char* typed : pages) {
        setText(IDC_FIRST_TODO_LINE, typed);
        command(IDC_NEXT_DAY);
        EXPECT_EQ(text(IDC_DAY_NUMBER) + "|" + text(IDC_FIRST_TODO_LINE), std::string("6|") + typed);
    }
    ASSERT_EQ(shownMessages.size(), 3u);
    EXPECT_EQ(shownMessages.back().text, "Error operation of save!");

    setText(IDC_FIRST_TODO_LINE, "typed");
    answers = {IDNO};
    command(IDCANCEL);
    ASSERT_EQ(shownMessages.size(), 4u);
    EXPECT_EQ(shownMessages.back().text, "The day could not be saved. Close anyway and lose its changes?");
    EXPECT_EQ(shownMessages.back().type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_TRUE(IsWindowVisible(window));

    SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_NE(readBytes(dayFile("2026_12_06.conflict-DESK-20261206-091500.ini")).find("[TODO]\r\nTEXT_0 = typed\r\n"),
              std::string::npos);
    answers = {IDYES};
    command(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(window));
    closeWindow();
    EXPECT_EQ(shownMessages.size(), 5u);  // the failure was told, and the user chose to close
}

class Clock : public MainWindowTest {
protected:
    void tickAt(WORD hour, WORD minute, WORD second, UINT message = WM_TIMER)
    {
        testNow = {2026, 12, 0, testNow.wDay, hour, minute, second, 0};
        SendMessageA(window, message, 1, 0);
    }

    // The texts of the balloons shown, each record checked to be a balloon of the window's icon.
    std::vector<std::string> balloons() const
    {
        std::vector<std::string> texts;
        for (const auto& [action, data] : iconCalls) {
            if (action != NIM_MODIFY) continue;
            EXPECT_TRUE(data.cbSize == NOTIFYICONDATAW_V3_SIZE && data.hWnd == window && data.uID == 1 &&
                        data.uFlags == NIF_INFO && data.dwInfoFlags == NIIF_INFO);
            EXPECT_STREQ(data.szInfoTitle, L"Quillory");
            texts.push_back(fromWide(data.szInfo));
        }
        return texts;
    }

    // The hour (8..18) whose label is sunken and the slot whose minute label is bold; -1 for none, -2 for several.
    std::pair<int, int> marks() const
    {
        std::pair<int, int> found{-1, -1};
        for (int i = 0; i < 11; ++i)
            if (GetWindowLongA(item(IDC_FIRST_HOUR_LABEL + i), GWL_EXSTYLE) & WS_EX_STATICEDGE)
                found.first = found.first == -1 ? i + 8 : -2;
        for (int slot = 0; slot < scheduleLineCount; ++slot)
            if (font(IDC_FIRST_MINUTE_LABEL + slot) == appState.markFonts[markImportant])
                found.second = found.second == -1 ? slot : -2;
        return found;
    }
};

// The ticks' rules are the core's; here the window's part: the balloons, whose 255 characters of any script
// never end in half of one, the marks and the clock.
TEST_F(Clock, TicksAfterSleepAndTimeSetBackRemindOnceAndMoveTheMarks)
{
    const std::string emoji = "\xf0\x9f\x98\x80";
    openWindow();
    EXPECT_EQ(marks(), std::make_pair(9, 2));
    // Asleep from 09:15 to 11:05: one balloon for every slot begun meanwhile that has a reminder.
    setText(1003, "Call the plumber " + emoji);
    setText(1004, "Dentist");
    setText(1005, "Review");
    setText(1006, "Lunch");
    click(1036);
    SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    tickAt(11, 5, 0);
    const std::string slept = "09:30 Call the plumber " + emoji + "\n10:00 Dentist\n10:30 Review";
    EXPECT_EQ(balloons(), std::vector<std::string>{slept});
    EXPECT_EQ(marks(), std::make_pair(11, 6));
    EXPECT_NE(text(IDC_CLOCK).find("11:05"), std::string::npos) << "[" << text(IDC_CLOCK) << "]";

    // Set back to 10:10: marked at once; 10:30 is not reminded again on the way to 15:00.
    tickAt(10, 10, 0, WM_TIMECHANGE);
    EXPECT_EQ(marks(), std::make_pair(10, 4));
    setText(1014, std::string(254, 'x') + emoji + "y");
    tickAt(15, 0, 0);
    EXPECT_EQ(marks(), std::make_pair(15, 14));
    EXPECT_EQ(balloons(), (std::vector<std::string>{slept, std::string(254, 'x')}));
}

// Midnight moves a window that shows the day left on to the new today, saving the day left,
// but not while a question is open: the command asking goes on with its own day. A window
// that shows another day stays. Reminders come from today, from its file when it is not shown,
// as soon as that file can be read.
TEST_F(Clock, ThePageFollowsTodayAndRemindersComeFromToday)
{
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_3 = Dentist\r\n");
    testNow = {2026, 12, 0, 6, 23, 59, 50, 0};
    openWindow();
    setText(IDC_FIRST_TODO_LINE, "late on the 6th");
    auto answer = messageBoxFunction;
    messageBoxFunction = [](HWND, const char*, const char*, UINT) {
        testNow = {2026, 12, 0, 7, 0, 0, 1, 0};
        SendMessageA(appState.mainWindow, WM_TIMER, 1, 0);
        return IDYES;
    };
    command(IDM_CLOSE_CURRENT_DAY);
    messageBoxFunction = answer;
    EXPECT_EQ(text(IDC_DAY_NUMBER) + "|" + text(1003) + "|" + text(IDC_FIRST_TODO_LINE), "7|Dentist|late on the 6th");

    // A day that cannot be saved at midnight stays, told once; the move is tried again at each tick.
    testNow.wDay = 8;
    setText(1004, "typed at midnight");
    HANDLE busy = CreateFileW(dayFile("2026_12_07.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    size_t told = shownMessages.size();
    tickAt(0, 0, 1);
    tickAt(0, 0, 2);
    EXPECT_EQ(text(IDC_DAY_NUMBER) + "|" + std::to_string(shownMessages.size() - told), "7|1");
    CloseHandle(busy);
    tickAt(0, 0, 3);
    EXPECT_EQ(text(IDC_DAY_NUMBER), "8");
    EXPECT_NE(readBytes(dayFile("2026_12_07.ini")).find("TEXT_0 = late on the 6th"), std::string::npos);
    setText(1003, "Dentist on the 8th");
    command(IDC_PREVIOUS_DAY);
    // Held by another program at the boundary: reminded of once the file can be read.
    HANDLE held = CreateFileW(dayFile("2026_12_08.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << "the 8th's file, saved on leaving it, is there to hold";
    tickAt(9, 30, 0);
    EXPECT_EQ(balloons(), std::vector<std::string>{});
    CloseHandle(held);
    tickAt(9, 30, 1);
    EXPECT_EQ(balloons(), std::vector<std::string>{"Dentist on the 8th"});

    testNow.wDay = 9;
    tickAt(0, 0, 1);
    EXPECT_EQ(text(IDC_DAY_NUMBER), "7");
}

}  // namespace
