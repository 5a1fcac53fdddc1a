// The main window on screens of any scale, and the names a screen reader finds.

#include "main_window_fixture.h"

#include <cstring>
#include <map>


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

// What a screen reader finds under Wine, where the accessibility calls answer nothing: the label just before a
// control. A line's name tells its mark; the twelve-hour labels name the afternoon. (The order is the resource
// script's.)
TEST_F(Screen, EveryLineIsNamedWithItsTimeOrNumberAndItsMark)
{
    auto names = [&](std::initializer_list<int> ids) {
        std::string said;
        for (int id : ids) {
            char text[64] = "";
            GetWindowTextA(GetWindow(item(id), GW_HWNDPREV), text, sizeof text);
            said += text + std::string("|");
        }
        return said;
    };
    openWindow();
    for (auto [line, mark] : {std::pair{3, IDM_MARK_IMPORTANT}, {firstTodoLine + 2, IDM_MARK_SECONDARY}}) {
        setText(lineEditorId(line), "Marked");
        focus(lineEditorId(line));
        command(mark);
    }
    const auto ids = {lineEditorId(3), lineEditorId(11), doneBoxId(11), lineEditorId(firstTodoLine + 2),
                      doneBoxId(firstTodoLine + 2), lineEditorId(firstNoteLine)};
    EXPECT_EQ(names(ids), "09:30, Important|13:30|Done, 13:30|To do 3, Secondary|Done, to do 3|Note 1|");
    runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                       SendDlgItemMessageA(dialogNamed("Options"), IDC_AM_PM, BM_CLICK, 0, 0);
                       press("Options", IDOK);
                   }});
    EXPECT_EQ(names({lineEditorId(11), doneBoxId(11)}), "01:30|Done, 01:30|");
}

}  // namespace
