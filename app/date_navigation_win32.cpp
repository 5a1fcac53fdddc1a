// Moving to another day: one step back or forward, or a date picked from a calendar.
#include "app/date_navigation_win32.h"

#include <commctrl.h>

#include "app/app_state_win32.h"
#include "dates/calendar.h"
#include "app/day_index_win32.h"
#include "app/day_view_win32.h"
#include "app/other_versions_win32.h"
#include "resources/resource.h"

// The page left is saved under its own date before the new date's page is read,
// so the window never holds one day's lines under another day's date; a page
// that could not be saved stays in the window, its only copy.
bool moveTo(const SYSTEMTIME& date, bool userAsked)
{
    if (!keepShownDay(userAsked ? KeepOccasion::leaveAsked : KeepOccasion::leave)) return false;
    appState.dateShown = date;
    loadDayPage();
    findDayVersionsNow();
    return true;
}

namespace {

void onDatePicked(HWND dialog, const SYSTEMTIME& picked)
{
    // The same day is left alone entirely: even blanks the user typed around a
    // line stay, since nothing is gathered or read back.
    if (!isSameDay(picked, appState.dateShown)) moveTo(picked);
    EndDialog(dialog, IDOK);
}

// The calendar's size depends on its font and the locale's names; the picker
// is made to fit it exactly, whatever the template gave.
void fitToCalendar(HWND dialog)
{
    HWND calendar = GetDlgItem(dialog, IDC_DATE_CALENDAR);
    RECT needed{};
    if (!SendMessageA(calendar, MCM_GETMINREQRECT, 0, LPARAM(&needed))) return;
    SetWindowPos(calendar, nullptr, 0, 0, needed.right, needed.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame = needed;
    AdjustWindowRectEx(&frame, GetWindowLongA(dialog, GWL_STYLE), FALSE, GetWindowLongA(dialog, GWL_EXSTYLE));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

constexpr UINT_PTR readTimer = 1;
constexpr unsigned readSliceMilliseconds = 30;

// The bold days of the months from the first given on, as the calendar asks for them.
void fillDayStates(SYSTEMTIME month, int count, MONTHDAYSTATE* states)
{
    for (int i = 0; i < count; ++i) {
        states[i] = daysHoldingLines(dayIndex(), month.wYear, month.wMonth);
        month.wMonth = month.wMonth % 12 + 1;
        if (month.wMonth == 1) ++month.wYear;
    }
}

// The months on screen, told again once more days are read.
void showDayStates(HWND dialog)
{
    HWND calendar = GetDlgItem(dialog, IDC_DATE_CALENDAR);
    SYSTEMTIME range[2];
    int count = int(SendMessageA(calendar, MCM_GETMONTHRANGE, GMR_DAYSTATE, LPARAM(range)));
    if (count <= 0 || count > 14) return;
    MONTHDAYSTATE states[14];
    fillDayStates(range[0], count, states);
    SendMessageA(calendar, MCM_SETDAYSTATE, count, LPARAM(states));
}

// The days are read as Find reads them; what a first short read leaves is
// read on between the user's clicks.
void readDays(HWND dialog)
{
    if (readDayIndexFor(readSliceMilliseconds)) KillTimer(dialog, readTimer);
    showDayStates(dialog);
}

INT_PTR CALLBACK DatePickerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        fitToCalendar(dialog);
        SendDlgItemMessageA(dialog, IDC_DATE_CALENDAR, MCM_SETCURSEL, 0, LPARAM(&appState.dateShown));
        planDayIndex();
        SetTimer(dialog, readTimer, USER_TIMER_MINIMUM, nullptr);
        readDays(dialog);
        return TRUE;
    case WM_TIMER: readDays(dialog); return TRUE;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_DATE_CALENDAR) break;
        if (header->code == MCN_GETDAYSTATE) {
            auto* request = reinterpret_cast<NMDAYSTATE*>(lParam);
            fillDayStates(request->stStart, request->cDayState, request->prgDayState);
            return TRUE;
        }
        // Only a click on a day picks it; paging through the months does not.
        if (header->code != MCN_SELECT) break;
        onDatePicked(dialog, reinterpret_cast<const NMSELCHANGE*>(lParam)->stSelStart);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void stepDay(int days)
{
    if (days != 1 && days != -1) return;
    SystemTime next = toSystemTime(appState.dateShown);
    // At the calendar's first and last day there is nowhere to go; the page
    // stays as it is rather than being saved under a date of no file.
    if (!stepDate(next, days)) return;
    SYSTEMTIME date = appState.dateShown;
    date.wYear = next.wYear;
    date.wMonth = next.wMonth;
    date.wDay = next.wDay;
    moveTo(date);
}

void openDatePicker()
{
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_DATE_PICKER), appState.mainWindow, DatePickerProc, 0);
}
