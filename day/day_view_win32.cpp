// Showing a day in the main window and gathering it back.
#include "day/day_view_win32.h"

#include <cstdio>
#include <string>

#include "app/app_state_win32.h"
#include "app/commands_win32.h"
#include "day/day_file.h"
#include "edit/marks_win32.h"

namespace {

// A control is found by walking the window's two hundred children, under
// Wine a call to its server of some 100 microseconds; the lines are looked up
// 86 times a second for the change check, and their handles never change.
struct LineControls {
    HWND editors[dayLineCount];
    HWND boxes[dayLineCount];  // none for the note lines
};
LineControls lineControls;

// An editor can hold more than a line keeps (a name put in by Select): it is
// cut to whole characters, never inside one as a cut to the buffer's bytes would.
void gatherLine(HWND editor, HWND box, DayLine& line)
{
    char text[3 * lineTextSize];
    GetWindowTextA(editor, text, sizeof text);
    setLineText(line, text);
    trimLineText(line);
    line.done = box != nullptr && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    line.mark = markOfFont(HFONT(SendMessageA(editor, WM_GETFONT, 0, 0)));
}

}  // namespace

void findLineControls()
{
    for (int i = 0; i < dayLineCount; ++i) {
        lineControls.editors[i] = GetDlgItem(appState.mainWindow, lineEditorId(i));
        lineControls.boxes[i] = doneBoxId(i) ? GetDlgItem(appState.mainWindow, doneBoxId(i)) : nullptr;
    }
}

HWND lineEditor(int line)
{
    return lineControls.editors[line];
}

HWND doneBox(int line)
{
    return lineControls.boxes[line];
}

void showDayPage(const DayPage& page)
{
    for (int i = 0; i < dayLineCount; ++i) {
        const DayLine& line = page.lines[i];
        HWND editor = lineEditor(i);
        SetWindowTextA(editor, line.text);
        if (HWND box = doneBox(i)) SendMessageA(box, BM_SETCHECK, line.done ? BST_CHECKED : BST_UNCHECKED, 0);
        if (HFONT font = markFont(line.mark)) SendMessageA(editor, WM_SETFONT, WPARAM(font), FALSE);
    }
    applyDoneState();
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

void gatherDayPage(DayPage& page)
{
    for (int i = 0; i < dayLineCount; ++i) gatherLine(lineEditor(i), doneBox(i), page.lines[i]);
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

// The window's own account of what it shows is kept as what the file holds:
// a hand-edited file (a stray blank, a mark of 5) then counts as unchanged
// until the user changes something.
void loadDayPage()
{
    showDateHeader();
    DayPage page;
    StoredPage& stored = appState.storedDay;
    stored.unreadable = readDayPage(toSystemTime(appState.dateShown), page, &stored.legacyText) == ReadResult::unreadable;
    stored.unreadableTold = false;
    showDayPage(page);
    gatherDayPage(stored.page);
    // Told once the window is up: a message box opened here would run its own
    // message loop in the middle of start-up.
    if (stored.unreadable) PostMessageA(appState.mainWindow, WM_TELL_UNREADABLE, 0, 0);
    startUndoHistory();
}

void saveShownPage(const SYSTEMTIME& date)
{
    DayPage page;
    gatherDayPage(page);
    StoreResult result = storePage(appState.storedDay, page, toSystemTime(date), false);
    if (result == StoreResult::failed || result == StoreResult::failedAgain) reportSaveFailure();
}

void saveChangedPage()
{
    DayPage page;
    gatherDayPage(page);
    if (storePage(appState.storedDay, page, toSystemTime(appState.dateShown), true) == StoreResult::failed)
        reportSaveFailure();
}

void reportSaveFailure()
{
    showMessage(appState.mainWindow, "Error operation of save!", MB_OK | MB_ICONERROR);
}

void reportUnreadableFile(const char* path, const char* consequence)
{
    std::string text = path[0] == '.' && path[1] == '\\' ? path + 2 : path;
    text += " could not be read. It is left as it is, and ";
    text += consequence;
    showMessage(appState.mainWindow, text.c_str(), MB_OK | MB_ICONERROR);
}

void tellUnreadableDay()
{
    StoredPage& stored = appState.storedDay;
    if (!stored.unreadable || stored.unreadableTold) return;
    stored.unreadableTold = true;
    reportUnreadableFile(dayFilePath(toSystemTime(appState.dateShown)).c_str(),
                         "this day cannot be changed until it can be read.");
}
