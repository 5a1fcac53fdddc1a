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

// Asks the keeper about the day's file with the page the window shows, and
// shows a change taken in. Leaving waits, a moment at a time, for a file
// still being written elsewhere.
StoreResult keepShownPage(KeepOccasion occasion)
{
    DayPage shown;
    gatherDayPage(shown);
    DayPage page = shown;
    DayKeep keep;
    do {
        keep = keepDayFile(appState.storedDay, page, toSystemTime(appState.dateShown), occasion, appState.computer,
                           toSystemTime(localTime()));
        if (keep.step == KeepStep::wait) Sleep(settleWaitMilliseconds);
    } while (keep.step == KeepStep::wait);
    if (keep.step == KeepStep::takeIn) showTakenIn(shown, page);
    return keep.stored;
}

}  // namespace

StoreResult storeShownPage()
{
    return keepShownPage(KeepOccasion::leave);
}

bool saveShownPage(bool userAsked)
{
    StoreResult result = storeShownPage();
    if (result == StoreResult::failed || (userAsked && result == StoreResult::failedAgain)) reportSaveFailure();
    return !isFailure(result);
}

void saveShownPageAtEnd(bool endingSession)
{
    StoreResult result = storeShownPage();
    if (!isFailure(result)) return;
    DayPage page;
    gatherDayPage(page);
    // An emptied page has nothing to keep aside; its old file stays, as after any failed delete.
    if (endingSession && (isPageEmpty(page) || saveDayPageAsOtherVersion(page, toSystemTime(appState.dateShown),
                                                                         appState.computer, toSystemTime(localTime()))))
        return;
    if (result == StoreResult::failed) reportSaveFailure();
}

void saveChangedPage()
{
    // A message box opened here runs the timer's ticks in its own loop.
    static bool running = false;
    if (running) return;
    running = true;
    // A command that asks a question holds a page of its own meanwhile: the
    // window is taken in once no dialog is open over it.
    StoreResult result =
        keepShownPage(IsWindowEnabled(appState.mainWindow) ? KeepOccasion::tick : KeepOccasion::tickAsking);
    if (result == StoreResult::failed) reportSaveFailure();
    running = false;
}

void tellUnreadableDay()
{
    StoredPage& stored = appState.storedDay;
    if (!stored.unreadable || stored.unreadableTold) return;
    stored.unreadableTold = true;
    reportUnreadableFile(dayFilePath(toSystemTime(appState.dateShown)).c_str(),
                         "this day cannot be changed until it can be read.");
}
