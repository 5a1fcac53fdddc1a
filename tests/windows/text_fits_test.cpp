// Every text of every window, measured with its control's own font, fits inside the control: at this
// prefix's DPI, and at 120, 144 and 192 in copies of this program started with the prefix set to them.

#include "main_window_fixture.h"

#include <cstdio>

#include "app/screen_scale_win32.h"

namespace {

using TextFits = MainWindowTest;

bool isClass(HWND control, const char* name)
{
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

// "1203 Schedule: 60x13 in 55x10" for each control whose text does not fit.
Names cutTexts(HWND dialog)
{
    Names cut;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        char text[512] = "";
        GetWindowTextA(control, text, sizeof text);
        LONG style = GetWindowLongA(control, GWL_STYLE);
        bool button = isClass(control, "Button"), label = isClass(control, "Static");
        if (!(style & WS_VISIBLE) || text[0] == '\0' || !(button || label)) continue;
        if (label && (style & SS_TYPEMASK) > SS_RIGHT && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP) continue;
        if (button && (style & BS_TYPEMASK) == BS_GROUPBOX) continue;
        RECT room;
        GetClientRect(control, &room);
        LONG type = style & BS_TYPEMASK;
        if (button && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                       type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE))
            room.right -= GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
        else if (button)  // a push button's edge
            InflateRect(&room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        HDC dc = GetDC(control);
        HGDIOBJ was = SelectObject(dc, HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)));
        // A label breaks its lines at words, as does a button made to; anything else keeps one line.
        bool wraps = label ? (style & SS_TYPEMASK) <= SS_RIGHT : (style & BS_MULTILINE) != 0;
        UINT wrap = wraps ? DT_WORDBREAK : DT_SINGLELINE;
        RECT needed{0, 0, room.right - room.left, 0};
        DrawTextA(dc, text, -1, &needed, DT_CALCRECT | wrap);
        SelectObject(dc, was);
        ReleaseDC(control, dc);
        if (needed.right > room.right - room.left || needed.bottom > room.bottom - room.top) {
            char line[600];
            std::snprintf(line, sizeof line, "%d %s: %ldx%ld in %ldx%ld", GetDlgCtrlID(control), text, needed.right,
                          needed.bottom, room.right - room.left, room.bottom - room.top);
            cut.push_back(line);
        }
    }
    return cut;
}

// Each of the program's dialogs, opened as the user opens it, with its cut texts.
void checkEveryDialog(HWND window, const std::function<void(int)>& command)
{
    auto check = [](const char* caption) {
        return [caption] {
            HWND dialog = dialogNamed(caption);
            EXPECT_TRUE(dialog) << caption;
            if (dialog) {
                EXPECT_EQ(cutTexts(dialog), Names{}) << caption;
            }
        };
    };
    auto close = [](const char* caption) { return [caption] { press(caption, IDCANCEL); }; };
    EXPECT_EQ(cutTexts(window), Names{}) << "the main window";
    runWithDialogs([&] { command(IDM_OPTIONS); }, {check("Options"), close("Options")});
    runWithDialogs([&] { command(IDM_ABOUT); }, {check("About"), [] { press("About", IDOK); }});
    runWithDialogs([&] { command(IDM_FIND); }, {check("Find"), close("Find")});
    runWithDialogs([&] { command(IDM_OTHER_VERSIONS); }, {check("Other versions"), close("Other versions")});
    for (auto [id, list, entry] : {std::tuple{IDM_CONTACTS, "Contacts", "Add contact"},
                                   std::tuple{IDM_TEMPLATES, "Templates", "Add template"},
                                   std::tuple{IDM_PERIODIC_TASKS, "Periodic tasks", "Add periodic task"}})
        runWithDialogs([&] { command(id); }, {check(list), [=] { press(list, IDC_ADD_ENTRY); }, check(entry),
                                              close(entry), close(list)});
}

TEST_F(TextFits, AtThisDpiInBothTemplatesAndEveryDialog)
{
    // A screen of 1920 x 1080 at 150 %, its taskbar 72 pixels high, holds the normal window; the large one opens
    // only where it fits (here, on the virtual screen).
    appState.largeFont = 1;
    int chosen = mainWindowTemplate();
    openWindow(chosen);
    RECT frame, screen;
    GetWindowRect(window, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    if (chosen == IDD_MAIN_LARGE) {
        EXPECT_LE(frame.bottom - frame.top, screen.bottom - screen.top);
    }
    closeWindow();
    openWindow(IDD_MAIN);
    GetWindowRect(window, &frame);
    if (windowDpi(window) == 144) {
        EXPECT_LE(frame.right - frame.left, 1920);
        EXPECT_LE(frame.bottom - frame.top, 1080 - 72);
    }
    closeWindow();

    // The longest month and weekday, and a two-digit day, with a version from another computer.
    testNow = {2026, 9, 3, 30, 12, 0, 0, 0};
    writeBytes(dayFile("2026_09_30.ini"), "[TODO]\r\nTEXT_0 = Pay rent\r\n");
    writeBytes(dayFile("2026_09_30-LAPTOP.ini"), "[TODO]\r\nTEXT_0 = Pay the rent\r\n");
    for (int templateId : {IDD_MAIN, IDD_MAIN_LARGE}) {
        openWindow(templateId);
        checkEveryDialog(window, [&](int id) { command(id); });
        closeWindow();
    }
}

// Windows reads the DPI once a program starts: each scale is a copy of this
// program, started with the prefix's LogPixels set to it.
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
        std::string log = (std::filesystem::current_path() / ("dpi-" + std::to_string(dpi) + ".log")).string();
        std::string line = std::string("\"") + program +
                           "\" --gtest_filter=TextFits.AtThisDpiInBothTemplatesAndEveryDialog";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE output = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA start{};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = start.hStdError = output;
        PROCESS_INFORMATION copy{};
        // No ASSERT here: the prefix's DPI must be put back whatever happens.
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &copy)) {
            ADD_FAILURE() << "could not start " << line;
            CloseHandle(output);
            continue;
        }
        WaitForSingleObject(copy.hProcess, 120000);
        DWORD status = 1;
        GetExitCodeProcess(copy.hProcess, &status);
        CloseHandle(copy.hProcess);
        CloseHandle(copy.hThread);
        CloseHandle(output);
        EXPECT_EQ(status, 0u) << "at " << dpi << " DPI:\n" << readBytes(log);
    }
    RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
}

}  // namespace
