// The main window at any DPI: its controls placed and its fonts made from the layout it was made with.
#include "app/screen_scale_win32.h"

#include <map>
#include <vector>

#include "app/app_state_win32.h"
#include "day/day_page.h"
#include "resources/resource.h"

namespace {

// The fonts the window chooses itself; the dialog font comes from its template.
struct ScreenFonts {
    HFONT dialog;
    HFONT bold;  // Important lines, the headings and the current slot
    HFONT italic;
    HFONT hour;  // hour labels, weekday, month and clock
    HFONT day;   // the day's number
};

struct PlacedControl {
    HWND control;
    RECT place;  // in the window's client area, at firstDpi
};

struct Layout {
    UINT firstDpi = 96;
    UINT dpi = 96;
    LOGFONTA dialogFont{};
    std::vector<PlacedControl> controls;
    std::map<UINT, ScreenFonts> fonts;  // made once for each DPI the window has been at
};
Layout layout;

HFONT fontOf(LOGFONTA description, LONG height, LONG weight, BYTE italic)
{
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfItalic = italic;
    return CreateFontIndirectA(&description);
}

// The hour and day fonts have fixed heights at 96 DPI; the others scale the template's.
const ScreenFonts& fontsFor(UINT dpi, HFONT dialogFont = nullptr)
{
    auto found = layout.fonts.find(dpi);
    if (found != layout.fonts.end()) return found->second;
    const LOGFONTA& base = layout.dialogFont;
    LONG height = MulDiv(base.lfHeight, int(dpi), int(layout.firstDpi));
    ScreenFonts fonts{dialogFont ? dialogFont : fontOf(base, height, base.lfWeight, base.lfItalic),
                      fontOf(base, height, 1000, base.lfItalic), fontOf(base, height, base.lfWeight, 1),
                      fontOf(base, MulDiv(25, int(dpi), 96), base.lfWeight, base.lfItalic),
                      fontOf(base, MulDiv(40, int(dpi), 96), base.lfWeight, base.lfItalic)};
    return layout.fonts[dpi] = fonts;
}

// The control's font in the set for another DPI, by the place it has in its own set.
HFONT sameFontAt(HFONT font, const ScreenFonts& from, const ScreenFonts& to)
{
    if (font == from.bold) return to.bold;
    if (font == from.italic) return to.italic;
    if (font == from.hour) return to.hour;
    if (font == from.day) return to.day;
    return to.dialog;
}

void setFont(HWND control, HFONT font)
{
    SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
}

void setFonts(HWND window, const ScreenFonts& fonts)
{
    appState.markFonts[markImportant] = fonts.bold;
    appState.markFonts[markPrimary] = fonts.dialog;
    appState.markFonts[markSecondary] = fonts.italic;
    setFont(GetDlgItem(window, IDC_SCHEDULE_HEADING), fonts.bold);
    setFont(GetDlgItem(window, IDC_TODO_HEADING), fonts.bold);
    for (int label = IDC_FIRST_HOUR_LABEL; label <= IDC_FIRST_HOUR_LABEL + 10; ++label)
        setFont(GetDlgItem(window, label), fonts.hour);
    for (int id : {IDC_WEEKDAY_NAME, IDC_MONTH_NAME, IDC_CLOCK}) setFont(GetDlgItem(window, id), fonts.hour);
    setFont(GetDlgItem(window, IDC_DAY_NUMBER), fonts.day);
}

using DpiOfWindow = UINT(WINAPI*)(HWND);
using DialogDpiBehaviour = BOOL(WINAPI*)(HWND, int mask, int values);
constexpr int dialogScalesNothing = 1;  // DDC_DISABLE_ALL
using IconMetric = int(WINAPI*)(int, UINT);

template <typename Function>
Function user32Function(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

int mainWindowTemplate()
{
    if (!appState.largeFont) return IDD_MAIN;
    // Measured as the dialog manager lays it out, unseen.
    HWND probe = CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(IDD_MAIN_LARGE), nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    if (probe == nullptr) return IDD_MAIN_LARGE;
    RECT frame;
    GetWindowRect(probe, &frame);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoA(MonitorFromWindow(probe, MONITOR_DEFAULTTOPRIMARY), &monitor);
    DestroyWindow(probe);
    const RECT& work = monitor.rcWork;
    bool fits = frame.right - frame.left <= work.right - work.left && frame.bottom - frame.top <= work.bottom - work.top;
    return fits ? IDD_MAIN_LARGE : IDD_MAIN;
}

UINT windowDpi(HWND window)
{
    static const DpiOfWindow dpiOfWindow = user32Function<DpiOfWindow>("GetDpiForWindow");
    UINT dpi = dpiOfWindow ? dpiOfWindow(window) : 0;
    if (dpi == 0) {
        HDC dc = GetDC(window);
        dpi = UINT(GetDeviceCaps(dc, LOGPIXELSY));
        ReleaseDC(window, dc);
    }
    return dpi ? dpi : 96;
}

int smallIconSize(UINT dpi)
{
    static const IconMetric metric = user32Function<IconMetric>("GetSystemMetricsForDpi");
    return metric ? metric(SM_CXSMICON, dpi) : MulDiv(GetSystemMetrics(SM_CXSMICON), int(dpi), 96);
}

int largeIconSize(UINT dpi)
{
    static const IconMetric metric = user32Function<IconMetric>("GetSystemMetricsForDpi");
    return metric ? metric(SM_CXICON, dpi) : MulDiv(GetSystemMetrics(SM_CXICON), int(dpi), 96);
}

void rememberLayout(HWND window)
{
    // The dialog manager of Windows 10 would scale the controls too, by steps
    // that do not come back exactly to where they were.
    static const auto scaleNothing = user32Function<DialogDpiBehaviour>("SetDialogDpiChangeBehavior");
    if (scaleNothing) scaleNothing(window, dialogScalesNothing, dialogScalesNothing);
    layout = Layout{};
    layout.firstDpi = layout.dpi = windowDpi(window);
    HFONT dialogFont = HFONT(SendMessageA(window, WM_GETFONT, 0, 0));
    GetObjectA(dialogFont, sizeof layout.dialogFont, &layout.dialogFont);
    setFonts(window, fontsFor(layout.dpi, dialogFont));
}

void applyDpi(HWND window, UINT dpi)
{
    if (dpi == layout.dpi || dpi == 0) return;
    // The controls stay where the template put them until the first change,
    // so they are measured then, not at every start.
    if (layout.controls.empty())
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT place;
            GetWindowRect(child, &place);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
            layout.controls.push_back({child, place});
        }
    const ScreenFonts from = fontsFor(layout.dpi);
    const ScreenFonts& to = fontsFor(dpi);
    layout.dpi = dpi;
    auto scaled = [&](LONG value) { return LONG(MulDiv(value, int(dpi), int(layout.firstDpi))); };
    HDWP moves = BeginDeferWindowPos(int(layout.controls.size()));
    for (const PlacedControl& placed : layout.controls) {
        const RECT& r = placed.place;
        LONG left = scaled(r.left), top = scaled(r.top);
        if (moves)
            moves = DeferWindowPos(moves, placed.control, nullptr, left, top, scaled(r.right) - left,
                                   scaled(r.bottom) - top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        setFont(placed.control, sameFontAt(HFONT(SendMessageA(placed.control, WM_GETFONT, 0, 0)), from, to));
    }
    if (moves) EndDeferWindowPos(moves);
    setFonts(window, to);
}
