// The main window: showing and saving days, Enter, the names a screen reader finds, the options, the clock and
// the icon.

#include "main_window_fixture.h"

#include "app/locale_text_win32.h"

namespace {

using MainWindow = MainWindowTest;

TEST_F(MainWindow, EnterMovesDownThePageAndWrapsAround)
{
    openWindow();
    SendMessageA(item(1051), BM_CLICK, 0, 0);  // read-only lines are passed through too
    const int moves[][2] = {{1021, 1101}, {1000, 1001}, {1120, 1121}, {1122, 1000}};
    for (auto [from, to] : moves) {
        focus(from);
        SendMessageA(item(from), WM_KEYDOWN, VK_RETURN, 0);
        SendMessageA(item(from), WM_CHAR, '\r', 0);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), to) << from;
        EXPECT_EQ(text(from), "");
    }
}

// Applied at once, to what a screen reader says too, read back at the next start; the logon entry follows autorun
// once the window closes. The quick add key is told as held while another program has it; the one chosen is the
// program's at once, kept as the hotkey control gives it.
TEST_F(MainWindow, OptionsApplyAtOnceAndAreStoredWithTheLogonEntryWhenTheWindowCloses)
{
    HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Q');  // fails when another test program has it
    const WORD ctrlShiftF11 = MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    std::tuple<WORD, bool> keyShown;  // and whether it is told as held
    auto setOptions = [&](std::vector<int> boxes, WORD key) {
        runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                           HWND options = dialogNamed("Options");
                           LONG note = GetWindowLongA(GetDlgItem(options, IDC_QUICK_ADD_KEY_HELD), GWL_STYLE);
                           keyShown = {WORD(SendDlgItemMessageA(options, IDC_QUICK_ADD_KEY, HKM_GETHOTKEY, 0, 0)),
                                       (note & WS_VISIBLE) != 0};  // the dialog itself is shown a moment later
                           for (int box : boxes) SendDlgItemMessageA(options, box, BM_CLICK, 0, 0);
                           SendDlgItemMessageA(options, IDC_QUICK_ADD_KEY, HKM_SETHOTKEY, key, 0);
                           press("Options", IDOK);
                       }});
    };
    auto runValue = [] {
        char value[1024] = "";
        DWORD size = sizeof value;
        return RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Quillory",
                            RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS ? std::string(value) : "missing";
    };
    auto keyValue = [] {
        DWORD key = 1, size = sizeof key;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\Brenhollow\\Quillory", "quickAddKey", RRF_RT_REG_DWORD, nullptr,
                     &key, &size);
        return key;
    };
    openWindow();
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "13");
    setOptions({IDC_AM_PM, IDC_SHOW_TIME}, ctrlShiftF11);
    EXPECT_EQ(keyShown, std::tuple(WORD(defaultQuickAddKey), true));
    EXPECT_FALSE(RegisterHotKey(other, 2, MOD_CONTROL | MOD_SHIFT, VK_F11));  // the program's now
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5) + text(IDC_CLOCK), "012026");
    EXPECT_EQ(nameOf(item(lineEditorId(11))) + "|" + nameOf(item(doneBoxId(11))), "01:30|Done, 01:30");  // spoken too
    closeWindow();
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    EXPECT_EQ(runValue(), std::string("\"").append(path).append("\" -autorun"));
    EXPECT_EQ(keyValue(), ctrlShiftF11);
    appState.quickAddKey = defaultQuickAddKey;
    openWindow();
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5) + text(IDC_CLOCK), "012026");
    setOptions({IDC_AUTORUN}, 0);
    EXPECT_EQ(keyShown, std::tuple(ctrlShiftF11, false));
    EXPECT_NE(runValue(), "missing");
    closeWindow();
    EXPECT_EQ(runValue(), "missing");
    EXPECT_EQ(keyValue(), 0u);
    DestroyWindow(other);
}

// A day that cannot be saved is never left: a step stays on it with its lines, and says so; closing asks first
// (No keeps the window); a log-off keeps the page as an other version.
TEST_F(MainWindow, ADayThatCannotBeSavedStaysInTheWindow)
{
    openWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    std::filesystem::create_directories(dayFile("2026_12_06.ini") / "in");  // in the file's place
    for (const char* typed : {"typed", "typed", "retyped"}) {
        setText(IDC_FIRST_TODO_LINE, typed);
        command(IDC_NEXT_DAY);
        EXPECT_EQ(text(IDC_DAY_NUMBER) + "|" + text(IDC_FIRST_TODO_LINE), std::string("6|") + typed);
    }
    EXPECT_EQ(shownMessages.size(), 3u);
    setText(IDC_FIRST_TODO_LINE, "typed");
    answers = {IDNO, IDYES};
    command(IDCANCEL);
    ASSERT_EQ(shownMessages.size(), 4u);
    EXPECT_EQ(shownMessages.back().type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_TRUE(fileHolds(dayFile("2026_12_06.conflict-DESK-20261206-091500.ini"), "[TODO]\r\nTEXT_0 = typed\r\n"));
    command(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(window));
    closeWindow();
    EXPECT_EQ(shownMessages.size(), 5u);  // closing anyway is not asked again
}

class Clock : public MainWindowTest {
protected:
    void tickAt(WORD hour, WORD minute, WORD second)
    {
        testNow = {2026, 12, 0, testNow.wDay, hour, minute, second, 0};
        tick();
    }

    // The texts of the balloons shown, each record checked to be a balloon of the window's icon.
    std::vector<std::string> balloons() const
    {
        std::vector<std::string> texts;
        for (const auto& [action, data] : iconCalls)
            if (action == NIM_MODIFY) {
                EXPECT_TRUE(data.cbSize == NOTIFYICONDATAW_V3_SIZE && data.hWnd == window && data.uID == 1 &&
                            data.uFlags == NIF_INFO && data.dwInfoFlags == NIIF_INFO && !lstrcmpW(data.szInfoTitle, L"Quillory"));
                texts.push_back(fromWide(data.szInfo));
            }
        return texts;
    }

};

// Midnight moves the window showing the day left on to today, saving the day left, but not under an open question;
// a window showing another day stays. Reminders come from today's file, as soon as it can be read.
TEST_F(Clock, ThePageFollowsTodayAndRemindersComeFromToday)
{
    writeBytes(dayFile("2026_12_07.ini"), "[SCHEDULE]\r\nTEXT_3 = Dentist\r\n");
    testNow = {2026, 12, 0, 6, 23, 59, 50, 0};
    openWindow();
    setText(IDC_FIRST_TODO_LINE, "late on the 6th");
    answers = {IDYES};
    whileAsking = [this] { testNow.wDay = 7, tickAt(0, 0, 1); };  // midnight passes under the question
    command(IDM_CLOSE_CURRENT_DAY);
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
    EXPECT_TRUE(fileHolds(dayFile("2026_12_07.ini"), "TEXT_0 = late on the 6th"));
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
