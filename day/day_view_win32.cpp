// Showing a day in the main window and gathering it back.
#include "day/day_view_win32.h"

#include <cstdio>

#include "app/app_state_win32.h"
#include "app/commands_win32.h"
#include "day/day_file.h"
#include "edit/marks_win32.h"

HWND lineEditor(int line)
{
    return GetDlgItem(appState.mainWindow, lineEditorId(line));
}

void showDayPage(const DayPage& page)
{
    HWND window = appState.mainWindow;
    for (int i = 0; i < dayLineCount; ++i) {
        const DayLine& line = page.lines[i];
        HWND editor = lineEditor(i);
        SetWindowTextA(editor, line.text);
        if (int box = doneBoxId(i)) CheckDlgButton(window, box, line.done ? BST_CHECKED : BST_UNCHECKED);
        if (HFONT font = markFont(line.mark)) SendMessageA(editor, WM_SETFONT, WPARAM(font), FALSE);
    }
    applyDoneState();
    InvalidateRect(window, nullptr, FALSE);
}

void gatherDayLine(int editorId, int boxId, DayLine& line)
{
    HWND editor = GetDlgItem(appState.mainWindow, editorId);
    GetWindowTextA(editor, line.text, sizeof line.text);
    trimLineText(line);
    line.done = boxId != 0 && IsDlgButtonChecked(appState.mainWindow, boxId) == BST_CHECKED;
    line.mark = markOfFont(HFONT(SendMessageA(editor, WM_GETFONT, 0, 0)));
}

void gatherDayPage(DayPage& page)
{
    for (int i = 0; i < dayLineCount; ++i) gatherDayLine(lineEditorId(i), doneBoxId(i), page.lines[i]);
}

namespace {

void setDateText(int control, const SYSTEMTIME& date, const char* format)
{
    char text[260] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, format, text, sizeof text);
    SetDlgItemTextA(appState.mainWindow, control, text);
}

// Only year, month and day of dateShown count; the platform derives the
// weekday itself from a date it has normalised.
SYSTEMTIME calendarDate(const SYSTEMTIME& t)
{
    SYSTEMTIME date{};
    date.wYear = t.wYear;
    date.wMonth = t.wMonth;
    date.wDay = t.wDay;
    FILETIME file;
    if (SystemTimeToFileTime(&date, &file)) FileTimeToSystemTime(&file, &date);
    return date;
}

}  // namespace

void showDateHeader()
{
    SYSTEMTIME date = calendarDate(appState.dateShown);
    setDateText(IDC_MONTH_NAME, date, "MMMM");
    setDateText(IDC_DAY_NUMBER, date, "d");
    char weekday[260] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &date, "dddd", weekday, sizeof weekday);
    CharUpperBuffA(weekday, 1);
    SetDlgItemTextA(appState.mainWindow, IDC_WEEKDAY_NAME, weekday);
    if (appState.showTime)
        clockTick();
    else
        setDateText(IDC_CLOCK, date, "yyyy");
}

void showHourLabels()
{
    for (int hour = 8; hour <= 18; ++hour) {
        char label[8];
        std::snprintf(label, sizeof label, "%02d", appState.am_pm && hour > 12 ? hour - 12 : hour);
        SetDlgItemTextA(appState.mainWindow, IDC_FIRST_HOUR_LABEL + hour - 8, label);
    }
    showDateHeader();
}

void loadDayPage()
{
    showDateHeader();
    DayPage page;
    readDayPage(toSystemTime(appState.dateShown), page);
    showDayPage(page);
    startUndoHistory();
}

void saveShownPage(const SYSTEMTIME& date)
{
    DayPage page;
    gatherDayPage(page);
    if (saveDayPage(page, toSystemTime(date)) == SaveResult::failed) reportSaveFailure();
}

void reportSaveFailure()
{
    showMessage(appState.mainWindow, "Error operation of save!", MB_OK | MB_ICONERROR);
}
