// The main window on screens of any scale and in high contrast, its tab order, and the picker's bold days.

#include "main_window_fixture.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "day/day_search.h"

namespace {

using Screen = MainWindowTest;

std::map<HWND, std::pair<RECT, LOGFONTA>> looks(HWND window)
{
    std::map<HWND, std::pair<RECT, LOGFONTA>> result;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto& [place, font] = result[child];
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        GetObjectA(HFONT(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font, &font);
    }
    return result;
}

// The window takes the size Windows suggests; every control and font scales, the marks' fonts stay
// theirs, and coming back restores each exactly.
TEST_F(Screen, ADpiChangeScalesEveryControlAndComingBackRestoresIt)
{
    for (int templateId : {IDD_MAIN, IDD_MAIN_LARGE}) {
        openWindow(templateId);
        setText(lineEditorId(3), "Important");
        focus(lineEditorId(3));
        command(IDM_MARK_IMPORTANT);
        auto changeDpi = [&](UINT dpi, double factor) {
            RECT frame;
            GetWindowRect(window, &frame);
            SIZE suggested{LONG((frame.right - frame.left) * factor), LONG((frame.bottom - frame.top) * factor)};
            RECT place{frame.left, frame.top, frame.left + suggested.cx, frame.top + suggested.cy};
            SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&place));
            GetWindowRect(window, &frame);
            EXPECT_EQ(frame.right - frame.left, suggested.cx) << dpi;
            EXPECT_EQ(frame.bottom - frame.top, suggested.cy) << dpi;
            EXPECT_EQ(shown({lineEditorId(3)}), "Important 0") << dpi;
            return looks(window);
        };
        auto before = looks(window), scaled = changeDpi(144, 1.5), back = changeDpi(96, 2.0 / 3);
        for (const auto& [control, look] : before) {
            const auto& [place, font] = look;
            const auto& [placeScaled, fontScaled] = scaled[control];
            EXPECT_TRUE(placeScaled.left == MulDiv(place.left, 3, 2) && placeScaled.bottom == MulDiv(place.bottom, 3, 2) &&
                        fontScaled.lfHeight == MulDiv(font.lfHeight, 3, 2) && fontScaled.lfWeight == font.lfWeight &&
                        fontScaled.lfItalic == font.lfItalic)
                << templateId << " control " << GetDlgCtrlID(control) << " at 144 DPI";
            EXPECT_TRUE(EqualRect(&back[control].first, &place) &&
                        std::memcmp(&back[control].second, &font, sizeof font) == 0)
                << templateId << " control " << GetDlgCtrlID(control) << " back at 96 DPI";
        }
        closeWindow();
    }
}

// The label just before the control: what a screen reader finds under Wine,
// where the accessibility calls answer nothing.
std::string nameOf(HWND control)
{
    char text[64] = "";
    GetWindowTextA(GetWindow(control, GW_HWNDPREV), text, sizeof text);
    return text;
}

// A line's name tells its mark; the twelve-hour labels name the afternoon.
TEST_F(Screen, TheTabOrderFollowsTheScreenAndEveryStopHasItsName)
{
    openWindow();
    for (auto [line, mark] : {std::pair{3, IDM_MARK_IMPORTANT}, {firstTodoLine + 2, IDM_MARK_SECONDARY}}) {
        setText(lineEditorId(line), "Marked");
        focus(lineEditorId(line));
        command(mark);
    }
    Names stops;
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE), control = first;
    do {
        stops.push_back(std::to_string(GetDlgCtrlID(control)) + " " + nameOf(control));
        control = GetNextDlgTabItem(window, control, FALSE);
    } while (control && control != first && stops.size() < 200);
    Names expected = {"1200 Previous day", "1201 Pick a date", "1202 Next day"};
    for (int line = 0; line < dayLineCount; ++line) {
        std::string name = lineLabel(line);
        if (line >= firstTodoLine && line < firstNoteLine) name = "To do " + std::to_string(line - firstTodoLine + 1);
        expected.push_back(std::to_string(lineEditorId(line)) + " " + name +
                           (line == 3 ? ", Important" : line == firstTodoLine + 2 ? ", Secondary" : ""));
        if (line >= firstTodoLine) name[0] = 't';
        if (doneBoxId(line)) expected.push_back(std::to_string(doneBoxId(line)) + " Done, " + name);
    }
    EXPECT_EQ(stops, expected);

    runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                       SendDlgItemMessageA(dialogNamed("Options"), IDC_AM_PM, BM_CLICK, 0, 0);
                       press("Options", IDOK);
                   }});
    EXPECT_EQ(nameOf(item(lineEditorId(11))) + "|" + nameOf(item(doneBoxId(11))), "01:30|Done, 01:30");
}

// The picker's calendar asks which days are bold as it shows a month: those whose file holds a line, and the
// day shown as the window holds it. The days are read in slices while the picker is open.
TEST_F(Screen, ThePickerShowsInBoldTheDaysThatHoldALine)
{
    writeBytes(dayFile("2026_12_24.ini"), "[NOTE]\r\nTEXT_1 = Presents\r\n");
    writeBytes(dayFile("2026_12_25.ini"), "[NOTE]\r\n");
    writeBytes(dayFile("2027_01_02.ini"), "[SCHEDULE]\r\nTEXT_0 = Back to work\r\n");
    openWindow();
    setText(lineEditorId(0), "Typed, not saved yet");  // the day shown, 6 December
    const MONTHDAYSTATE expected[2] = {1u << 5 | 1u << 23, 1u << 1};
    MONTHDAYSTATE states[2] = {};
    runWithDialogs([&] { command(IDC_PICK_DATE); }, {[&] {
                       HWND picker = dialogNamed("Date picker");
                       NMDAYSTATE request{{GetDlgItem(picker, IDC_DATE_CALENDAR), IDC_DATE_CALENDAR, UINT(MCN_GETDAYSTATE)},
                                          {2026, 12, 0, 1, 0, 0, 0, 0}, 2, states};
                       for (int wait = 0; wait < 500 && !std::equal(states, states + 2, expected); ++wait, Sleep(10)) {
                           pumpMessages(picker);
                           SendMessageA(picker, WM_NOTIFY, IDC_DATE_CALENDAR, LPARAM(&request));
                       }
                       press("Date picker", IDCANCEL);
                   }});
    EXPECT_EQ(states[0], expected[0]);
    EXPECT_EQ(states[1], expected[1]);
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
    auto place = [&](int id) {
        RECT r;
        GetWindowRect(item(id), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT heading = place(IDC_SCHEDULE_HEADING), empty = place(lineEditorId(2)), done = place(lineEditorId(1)),
               letters = place(lineEditorId(3));  // not the focused line: its text is selected
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, heading.left - 4, heading.top), contrast[2]) << "the background";
    EXPECT_EQ(GetPixel(dc, empty.right - 6, (empty.top + empty.bottom) / 2), contrast[0]) << "an empty line";
    EXPECT_EQ(GetPixel(dc, done.right - 6, (done.top + done.bottom) / 2), contrast[2]) << "a done line";
    // Letters are smoothed: the strongest of their pixels is nearly all text colour.
    bool lettersInTextColour = false;
    for (int x = letters.left + 4; x < letters.left + 60; ++x) {
        COLORREF c = GetPixel(dc, x, (letters.top + letters.bottom) / 2);
        auto within = [&](int shift) { return std::abs(int(c >> shift & 0xff) - int(contrast[1] >> shift & 0xff)) <= 32; };
        lettersInTextColour |= within(0) && within(8) && within(16);
    }
    ReleaseDC(window, dc);
    SetSysColors(int(std::size(elements)), elements, before);
    EXPECT_TRUE(lettersInTextColour) << "no letter in the contrast text colour";
}

}  // namespace
