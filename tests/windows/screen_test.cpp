// The main window on screens of any scale: a DPI change and back, control by control.

#include "main_window_fixture.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "day/day_search.h"

namespace {

using Screen = MainWindowTest;

struct ControlLook { RECT place; LOGFONTA font; };

std::map<HWND, ControlLook> looks(HWND window)
{
    std::map<HWND, ControlLook> result;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ControlLook look{};
        GetWindowRect(child, &look.place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&look.place), 2);
        GetObjectA(HFONT(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof look.font, &look.font);
        result[child] = look;
    }
    return result;
}

void changeDpi(HWND window, UINT dpi, double factor)
{
    RECT frame;
    GetWindowRect(window, &frame);
    RECT suggested{frame.left, frame.top, frame.left + LONG((frame.right - frame.left) * factor),
                   frame.top + LONG((frame.bottom - frame.top) * factor)};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left);
    EXPECT_EQ(frame.bottom - frame.top, suggested.bottom - suggested.top);
}

TEST_F(Screen, ADpiChangeScalesEveryControlAndComingBackRestoresIt)
{
    for (int templateId : {IDD_MAIN, IDD_MAIN_LARGE}) {
        openWindow(templateId);
        setText(lineEditorId(3), "Important");
        focus(lineEditorId(3));
        command(IDM_MARK_IMPORTANT);
        auto before = looks(window);
        changeDpi(window, 144, 1.5);
        auto scaled = looks(window);
        for (const auto& [control, look] : before) {
            const ControlLook& now = scaled[control];
            EXPECT_EQ(now.place.left, MulDiv(look.place.left, 3, 2)) << GetDlgCtrlID(control);
            EXPECT_EQ(now.place.bottom, MulDiv(look.place.bottom, 3, 2)) << GetDlgCtrlID(control);
            EXPECT_EQ(now.font.lfHeight, MulDiv(look.font.lfHeight, 3, 2)) << GetDlgCtrlID(control);
            EXPECT_EQ(now.font.lfWeight, look.font.lfWeight) << GetDlgCtrlID(control);
            EXPECT_EQ(now.font.lfItalic, look.font.lfItalic) << GetDlgCtrlID(control);
        }
        EXPECT_EQ(shown({lineEditorId(3)}), "Important 0");
        changeDpi(window, 96, 2.0 / 3);
        auto back = looks(window);
        for (const auto& [control, look] : before) {
            EXPECT_TRUE(EqualRect(&back[control].place, &look.place)) << GetDlgCtrlID(control);
            EXPECT_EQ(std::memcmp(&back[control].font, &look.font, sizeof look.font), 0) << GetDlgCtrlID(control);
        }
        EXPECT_EQ(shown({lineEditorId(3)}), "Important 0");
        closeWindow();
    }
}


TEST_F(Screen, TheTabOrderFollowsTheScreenAndEveryStopHasItsName)
{
    openWindow();
    setText(lineEditorId(3), "Dentist");
    focus(lineEditorId(3));
    command(IDM_MARK_IMPORTANT);
    setText(lineEditorId(firstTodoLine + 2), "Pay rent");
    focus(lineEditorId(firstTodoLine + 2));
    command(IDM_MARK_SECONDARY);
    Names stops;
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    HWND control = first;
    do {
        stops.push_back(std::to_string(GetDlgCtrlID(control)) + " " + nameOf(control));
        control = GetNextDlgTabItem(window, control, FALSE);
    } while (control && control != first && stops.size() < 200);
    Names expected = {"1200 Previous day", "1201 Pick a date", "1202 Next day"};
    for (int line = 0; line < dayLineCount; ++line) {
        std::string name = lineLabel(line);
        if (line >= firstTodoLine && line < firstNoteLine) name = "To do " + std::to_string(line - firstTodoLine + 1);
        std::string said = name + (line == 3 ? ", Important" : line == firstTodoLine + 2 ? ", Secondary" : "");
        expected.push_back(std::to_string(lineEditorId(line)) + " " + said);
        if (doneBoxId(line)) {
            if (line >= firstTodoLine) name[0] = 't';
            expected.push_back(std::to_string(doneBoxId(line)) + " Done, " + name);
        }
    }
    EXPECT_EQ(stops, expected);
}

// The picker's calendar asks which days are bold as it shows a month: those whose file holds a line, and the
// day shown as the window holds it. A day picked is shown, the day left saved.
TEST_F(Screen, ThePickerShowsInBoldTheDaysThatHoldALine)
{
    writeBytes(dayFile("2026_12_01.ini"), "[TODO]\r\nTEXT_0 = Pay rent\r\n");
    writeBytes(dayFile("2026_12_24.ini"), "[NOTE]\r\nTEXT_1 = Presents\r\n");
    writeBytes(dayFile("2026_12_25.ini"), "[NOTE]\r\n");
    writeBytes(dayFile("2027_01_02.ini"), "[SCHEDULE]\r\nTEXT_0 = Back to work\r\n");
    openWindow();
    setText(lineEditorId(0), "Typed, not saved yet");  // the day shown, 6 December
    const MONTHDAYSTATE expected[2] = {1u | 1u << 5 | 1u << 23, 1u << 1};
    MONTHDAYSTATE states[2] = {};
    runWithDialogs([&] { command(IDC_PICK_DATE); }, {[&] {
                       HWND picker = dialogNamed("Date picker");
                       ASSERT_TRUE(picker);
                       NMDAYSTATE request{};
                       request.nmhdr = {GetDlgItem(picker, IDC_DATE_CALENDAR), IDC_DATE_CALENDAR, UINT(MCN_GETDAYSTATE)};
                       request.stStart = {2026, 12, 0, 1, 0, 0, 0, 0};
                       request.cDayState = 2;
                       request.prgDayState = states;
                       // The days are read in slices while the picker is open.
                       for (int wait = 0; wait < 500 && !std::equal(states, states + 2, expected); ++wait) {
                           pumpMessages(picker);
                           SendMessageA(picker, WM_NOTIFY, IDC_DATE_CALENDAR, LPARAM(&request));
                           Sleep(10);
                       }
                       NMSELCHANGE pick{};  // a click on the 24th
                       pick.nmhdr = {request.nmhdr.hwndFrom, IDC_DATE_CALENDAR, UINT(MCN_SELECT)};
                       pick.stSelStart = {2026, 12, 0, 24, 0, 0, 0, 0};
                       SendMessageA(picker, WM_NOTIFY, IDC_DATE_CALENDAR, LPARAM(&pick));
                   }});
    EXPECT_EQ(states[0], expected[0]);
    EXPECT_EQ(states[1], expected[1]);
    EXPECT_EQ(text(IDC_DAY_NUMBER) + " " + text(lineEditorId(firstNoteLine + 1)), "24 Presents");
    EXPECT_TRUE(fileHolds(dayFile("2026_12_06.ini"), "TEXT_0 = Typed, not saved yet"));
}

// The colour of a window's pixel as drawn on the screen.
COLORREF pixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// High contrast, switched on as Windows does it: the system's colours change and the window is told. Its
// background, a line, a done line and a line's letters are in the contrast colours. (The borders of the
// controls are the visual style's under Wine, which keeps its style in high contrast where Windows drops it.)
TEST_F(Screen, HighContrastGivesTheSystemColours)
{
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF contrast[] = {RGB(0, 0, 64), RGB(255, 255, 0), RGB(0, 0, 0), RGB(255, 255, 255)};
    COLORREF before[std::size(elements)];
    for (size_t i = 0; i < std::size(elements); ++i) before[i] = GetSysColor(elements[i]);
    writeBytes(dayFile("2026_12_06.ini"), "[SCHEDULE]\r\nTEXT_1 = Done\r\nDONE_1 = 1\r\nTEXT_3 = WWWWWWWWWWWW\r\n");
    openWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    SetSysColors(int(std::size(elements)), elements, contrast);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    UpdateWindow(window);
    pumpMessages();
    auto placeOf = [&](int id) {
        RECT r;
        GetWindowRect(item(id), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    auto inside = [&](int id) {
        RECT r = placeOf(id);
        return pixel(window, r.right - 6, (r.top + r.bottom) / 2);
    };
    RECT heading = placeOf(IDC_SCHEDULE_HEADING);
    EXPECT_EQ(pixel(window, heading.left - 4, heading.top), contrast[2]) << "the background";
    EXPECT_EQ(inside(lineEditorId(2)), contrast[0]) << "an empty line";
    EXPECT_EQ(inside(lineEditorId(1)), contrast[2]) << "a done line";
    std::set<COLORREF> letters;
    RECT line = placeOf(lineEditorId(3));  // not the focused line: its text is selected
    for (int x = line.left + 4; x < line.left + 60; ++x) letters.insert(pixel(window, x, (line.top + line.bottom) / 2));
    SetSysColors(int(std::size(elements)), elements, before);
    // Letters are smoothed: their pixels blend the text colour into the line's, the strongest nearly all text.
    auto within = [](COLORREF c, COLORREF a, COLORREF b, int slack) {  // each channel between a's and b's, give or take
        for (int shift : {0, 8, 16}) {
            int v = c >> shift & 0xff, x = a >> shift & 0xff, y = b >> shift & 0xff;
            if (v < std::min(x, y) - slack || v > std::max(x, y) + slack) return false;
        }
        return true;
    };
    EXPECT_TRUE(std::all_of(letters.begin(), letters.end(), [&](COLORREF c) { return within(c, contrast[0], contrast[1], 0); }))
        << "a letter in a colour of its own";
    EXPECT_TRUE(std::any_of(letters.begin(), letters.end(), [&](COLORREF c) { return within(c, contrast[1], contrast[1], 32); }))
        << "no letter in the contrast text colour";
}

}  // namespace
