// Quick add as the window does it: the box from the menu, its preview following the keys, Enter placing the line.

#include "main_window_fixture.h"

#include <commctrl.h>

#include "app/line_controls_win32.h"

namespace {

// Sunday 6 December is shown. Enter puts a line on the day shown (one undo step) or merges it into another
// day's file; a day without a free line keeps the box open with the reason, and its file as it was.
TEST_F(MainWindowTest, QuickAddFromTheMenu)
{
    writeBytes(dayFile("2026_12_07.ini"), "[TODO]\r\nTEXT_0 = Pay rent\r\n");
    std::string full = "[TODO]\r\n";
    for (int i = 0; i < 20; ++i) full += "TEXT_" + std::to_string(i) + " = busy\r\n";
    writeBytes(dayFile("2026_12_08.ini"), full);
    openWindow();
    const struct { const wchar_t* typed; const char* preview; bool stays; } cases[] = {
        {L"Standup 10:00", "Today \xc2\xb7 10:00 \xc2\xb7 Standup"},
        {L"Dentist tomorrow 14:15 for 30 min", "Tomorrow \xc2\xb7 14:15-14:45 \xc2\xb7 Dentist"},
        {L"Call Tuesday", "No free line on Tuesday 8 December.", true},
    };
    for (const auto& c : cases) {
        std::string preview, after;
        runWithDialogs([&] { command(IDM_QUICK_ADD); },
                       {[&] {
                            ASSERT_TRUE(dialogNamed("Quick add")) << "no box";
                            postKeys(GetDlgItem(dialogNamed("Quick add"), IDC_QUICK_TEXT), c.typed);
                        },
                        [&] {
                            preview = controlText(dialogNamed("Quick add"), IDC_QUICK_PREVIEW);
                            press("Quick add", IDOK);
                            if (c.stays) after = controlText(dialogNamed("Quick add"), IDC_QUICK_PREVIEW);
                            if (c.stays) press("Quick add", IDCANCEL);
                        }});
        EXPECT_EQ(preview, c.preview);
        EXPECT_EQ(after, c.stays ? c.preview : "");
    }
    EXPECT_EQ(text(lineEditorId(4)), "Standup");
    command(IDM_UNDO);
    EXPECT_EQ(text(lineEditorId(4)), "");
    std::string other = readBytes(dayFile("2026_12_07.ini"));
    EXPECT_TRUE(other.find("TEXT_0 = Pay rent") != std::string::npos &&
                other.find("TEXT_12 = 14:15-14:45 Dentist") != std::string::npos) << other;
    EXPECT_EQ(readBytes(dayFile("2026_12_08.ini")), full);
}

// The key from any program, chosen in Options: the default told as held while another program has it, another
// key taken by the program once chosen, kept in the registry as the hotkey control gives it and read back; none.
TEST_F(MainWindowTest, QuickAddKeyInOptions)
{
    HWND other = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Q');  // fails when another test program has it
    const WORD ctrlShiftF11 = MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    struct { WORD shown, chosen; bool heldBefore; } cases[] = {{defaultQuickAddKey, ctrlShiftF11, true},
                                                                 {ctrlShiftF11, 0, false}};
    for (const auto& c : cases) {
        appState.quickAddKey = defaultQuickAddKey;  // the window reads the key stored
        openWindow();
        WORD shown = 0;
        bool heldBefore = false, heldAfter = true;
        runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                           HWND options = dialogNamed("Options");
                           shown = WORD(SendDlgItemMessageA(options, IDC_QUICK_ADD_KEY, HKM_GETHOTKEY, 0, 0));
                           HWND note = GetDlgItem(options, IDC_QUICK_ADD_KEY_HELD);
                           auto held = [&] { return (GetWindowLongA(note, GWL_STYLE) & WS_VISIBLE) != 0; };
                           heldBefore = held();
                           SendDlgItemMessageA(options, IDC_QUICK_ADD_KEY, HKM_SETHOTKEY, c.chosen, 0);
                           SendMessageA(options, WM_COMMAND, MAKEWPARAM(IDC_QUICK_ADD_KEY, EN_CHANGE), 0);
                           heldAfter = held();
                           press("Options", IDOK);
                       }});
        EXPECT_EQ(std::tuple(shown, heldBefore, heldAfter), std::tuple(c.shown, c.heldBefore, false));
        // The program has the key chosen now, so no other window can take it.
        EXPECT_EQ(c.chosen && RegisterHotKey(other, 2, MOD_CONTROL | MOD_SHIFT, VK_F11), false);
        closeWindow();
        DWORD stored = 1, size = sizeof stored;
        RegGetValueA(HKEY_CURRENT_USER, "Software\\Brenhollow\\Quillory", "quickAddKey", RRF_RT_REG_DWORD, nullptr,
                     &stored, &size);
        EXPECT_EQ(stored, c.chosen);
    }
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

}  // namespace
