// The day shown: its header, reading it into the window, and keeping its file.
#include "app/day_view_win32.h"

#include <cstdio>
#include <string>

#include "app/app_state_win32.h"
#include "app/control_names_win32.h"
#include "app/day_lines_win32.h"
#include "app/undo_win32.h"
#include "day/day_file.h"
#include "resources/resource.h"

namespace {

void setDateText(int control, const SYSTEMTIME& date, const char* format)
{
    char text[260] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, LOCALE_USE_CP_ACP, &date, format, text, sizeof text);
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

// The date of the day shown above its page, and under it the time of day
// when the options show it, else the year.
void showDateHeader()
{
    SYSTEMTIME date = calendarDate(appState.dateShown);
    setDateText(IDC_MONTH_NAME, date, "MMMM");
    setDateText(IDC_DAY_NUMBER, date, "d");
    // Some languages write the name in lower case ("poniedziałek"); the page
    // starts it with a capital, a whole character even where it takes two bytes or more.
    wchar_t weekday[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, L"dddd", weekday, 80);
    CharUpperBuffW(weekday, IS_HIGH_SURROGATE(weekday[0]) ? 2 : 1);
    SetDlgItemTextW(appState.mainWindow, IDC_WEEKDAY_NAME, weekday);
    if (appState.showTime)
        showTimeOfDay(localTime());
    else
        setDateText(IDC_CLOCK, date, "yyyy");
}

}  // namespace

void showTimeOfDay(const SYSTEMTIME& now)
{
    char text[260] = "";
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS | LOCALE_USE_CP_ACP, &now, nullptr, text, sizeof text);
    SetDlgItemTextA(appState.mainWindow, IDC_CLOCK, text);
}

void showHourLabels()
{
    for (int hour = 8; hour <= 18; ++hour) {
        char label[8];
        std::snprintf(label, sizeof label, "%02d", appState.am_pm && hour > 12 ? hour - 12 : hour);
        SetDlgItemTextA(appState.mainWindow, IDC_FIRST_HOUR_LABEL + hour - 8, label);
    }
    nameScheduleLines();
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
    loadStoredPage(stored, toSystemTime(appState.dateShown), page);
    showDayPage(page);
    gatherDayPage(stored.page);
    // Told once the window is up: a message box opened here would run its own
    // message loop in the middle of start-up.
    if (stored.unreadable) PostMessageA(appState.mainWindow, WM_TELL_UNREADABLE, 0, 0);
    startUndoHistory();
}

namespace {

// What another program changed goes into the window as one step of the undo history.
void showTakenIn(const DayPage& shown, const DayPage& page)
{
    takeUndoStep();
    showDayPage(page, &shown);
    takeUndoStep();
}

}  // namespace

bool keepShownDay(KeepOccasion occasion)
{
    TickGuard guard(occasion);
    if (guard.skip) return true;
    // A command that asks a question holds a page of its own meanwhile: the
    // window is taken in once no dialog is open over it.
    if (guard.ticking && !IsWindowEnabled(appState.mainWindow)) occasion = KeepOccasion::tickAsking;
    DayPage shown;
    gatherDayPage(shown);
    DayPage page = shown;
    KeepAnswer answer = keepDayFile(appState.storedDay, page, toSystemTime(appState.dateShown), occasion,
                                    {appState.computer, toSystemTime(localTime())});
    if (answer.step == KeepStep::takeIn) showTakenIn(shown, page);
    if (answer.tell) reportSaveFailure();
    return !isFailure(answer.saved);
}

void tellUnreadableDay()
{
    if (!tellUnreadableOnce(appState.storedDay)) return;
    reportUnreadableFile(dayFilePath(toSystemTime(appState.dateShown)).c_str(),
                         "this day cannot be changed until it can be read.");
}
