// Every text of every window, measured with its control's own font, fits inside the control: at this
// prefix's DPI, and at 120, 144 and 192 in copies of this program started with the prefix set to them.

#include "main_window_fixture.h"

#include <process.h>

namespace {

using TextFits = MainWindowTest;

// "1203 Schedule: 60x13 in 55x10" for each control whose text does not fit.
Names cutTexts(HWND dialog)
{
    Names cut;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        char text[512] = "", className[32] = "";
        GetWindowTextA(control, text, sizeof text);
        GetClassNameA(control, className, sizeof className);
        LONG style = GetWindowLongA(control, GWL_STYLE), type = style & BS_TYPEMASK, kind = style & SS_TYPEMASK;
        bool button = lstrcmpiA(className, "Button") == 0, label = lstrcmpiA(className, "Static") == 0;
        if (!(style & WS_VISIBLE) || text[0] == '\0' || !(button || label)) continue;
        if ((label && kind > SS_RIGHT && kind != SS_LEFTNOWORDWRAP) || (button && type == BS_GROUPBOX)) continue;
        RECT room;
        GetClientRect(control, &room);
        if (button && ((type >= BS_CHECKBOX && type <= BS_AUTO3STATE) || type == BS_AUTORADIOBUTTON))
            room.right -= GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
        else if (button)  // a push button's edge
            InflateRect(&room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        HDC dc = GetDC(control);
        HGDIOBJ was = SelectObject(dc, HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)));
        // A label breaks its lines at words, as does a button made to; anything else keeps one line.
        bool wraps = label ? kind <= SS_RIGHT : (style & BS_MULTILINE) != 0;
        RECT needed{0, 0, room.right - room.left, 0};
        DrawTextA(dc, text, -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        SelectObject(dc, was);
        ReleaseDC(control, dc);
        if (needed.right > room.right - room.left || needed.bottom > room.bottom - room.top)
            cut.push_back(std::to_string(GetDlgCtrlID(control)) + " " + text + ": " + std::to_string(needed.right) +
                          "x" + std::to_string(needed.bottom) + " in " + std::to_string(room.right - room.left) + "x" +
                          std::to_string(room.bottom - room.top));
    }
    return cut;
}

// Each template and each of the program's dialogs, opened as the user opens it, with the longest month and
// weekday, a two-digit day and another version.
TEST_F(TextFits, AtThisDpiInBothTemplatesAndEveryDialog)
{
    testNow = {2026, 9, 3, 30, 12, 0, 0, 0};
    writeBytes(dayFile("2026_09_30.ini"), "[TODO]\r\nTEXT_0 = Pay rent\r\n");
    writeBytes(dayFile("2026_09_30-LAPTOP.ini"), "[TODO]\r\nTEXT_0 = Pay the rent\r\n");
    auto check = [](const char* caption) {
        return [caption] {
            ASSERT_TRUE(dialogNamed(caption)) << caption;
            EXPECT_EQ(cutTexts(dialogNamed(caption)), Names{}) << caption;
        };
    };
    auto close = [](const char* caption) { return [caption] { press(caption, IDCANCEL); }; };
    for (int templateId : {IDD_MAIN, IDD_MAIN_LARGE}) {
        openWindow(templateId);
        EXPECT_EQ(cutTexts(window), Names{}) << "the main window";
        runWithDialogs([&] { command(IDM_OPTIONS); }, {check("Options"), close("Options")});
        runWithDialogs([&] { command(IDM_ABOUT); }, {check("About"), [] { press("About", IDOK); }});
        runWithDialogs([&] { command(IDM_FIND); }, {check("Find"), close("Find")});
        runWithDialogs([&] { command(IDM_OTHER_VERSIONS); }, {check("Other versions"), close("Other versions")});
        runWithDialogs([&] { command(IDM_SUBSCRIPTIONS); }, {check("Subscriptions"), [] { press("Subscriptions", IDC_ADD_SUBSCRIPTION); },
                                                            check("Add subscription"), close("Add subscription"), close("Subscriptions")});
        for (auto [id, list, entry] : {std::tuple{IDM_CONTACTS, "Contacts", "Add contact"},
                                       std::tuple{IDM_TEMPLATES, "Templates", "Add template"},
                                       std::tuple{IDM_PERIODIC_TASKS, "Periodic tasks", "Add periodic task"}})
            runWithDialogs([&] { command(id); }, {check(list), [=] { press(list, IDC_ADD_ENTRY); }, check(entry),
                                                  close(entry), close(list)});
        closeWindow();
    }
}

// Windows reads the DPI once a program starts: each scale is a copy of this program, started with the
// prefix's LogPixels set to it, its output in this one's.
TEST_F(TextFits, AtEveryScale)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    HKEY desktop;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &desktop, nullptr),
              ERROR_SUCCESS);
    for (DWORD dpi : {120, 144, 192}) {
        RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        // No ASSERT here: the prefix's DPI must be put back whatever happens.
        EXPECT_EQ(_spawnl(_P_WAIT, program, program, "--gtest_filter=TextFits.AtThisDpiInBothTemplatesAndEveryDialog",
                          nullptr),
                  0)
            << "at " << dpi << " DPI";
    }
    RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
}

}  // namespace
