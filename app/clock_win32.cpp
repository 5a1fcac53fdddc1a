// The clock, the current-slot marks and reminders.
#include "app/clock_win32.h"

#include <algorithm>

#include "app/app_state_win32.h"
#include "app/date_navigation_win32.h"
#include "app/day_view_win32.h"
#include "app/line_controls_win32.h"
#include "app/locale_text_win32.h"
#include "app/tray_icon_win32.h"
#include "day/day_file.h"
#include "day/day_page.h"
#include "day/reminders.h"
#include "storage/file_stamp.h"
#include "resources/resource.h"

namespace {

int slotHour(int slot) { return slot / 2 + 8; }
int slotMinute(int slot) { return slot % 2 ? 30 : 0; }

// Reminders come from today whatever day the window shows: from the window
// when it shows today (a read-only line is done), else from today's file as
// it stands. A file that cannot be read (a sync tool may hold it for a
// moment) gives false, and its slots wait: for the next tick, not inside this
// one, where the window would wait with them.
bool readTodaysSchedule(const SYSTEMTIME& now, uint32_t slots, DayLine (&schedule)[scheduleLineCount])
{
    if (!isSameDay(appState.dateShown, now)) {
        DayPage today;
        if (!canReadNow(dayFilePath(toSystemTime(now)).c_str()) ||
            readDayPage(toSystemTime(now), today) == ReadResult::unreadable)
            return false;
        std::copy(today.lines, today.lines + scheduleLineCount, schedule);
        return true;
    }
    for (int slot = 0; slot < scheduleLineCount; ++slot) {
        HWND line = lineEditor(slot);
        if (!(slots >> slot & 1) || line == nullptr) continue;
        schedule[slot].done = (GetWindowLongA(line, GWL_STYLE) & ES_READONLY) != 0;
        readControlText(line, schedule[slot].text, sizeof schedule[slot].text);
    }
    return true;
}

bool remindOfSlots(const SYSTEMTIME& now, uint32_t slots)
{
    DayLine schedule[scheduleLineCount];
    if (!readTodaysSchedule(now, slots, schedule)) return false;
    char text[reminderTextSize];
    composeReminder(schedule, slots, text);
    if (text[0] == '\0') return true;

    showTrayBalloon(text);
    return true;
}

// The day that was today when the date changed, while a window that shows it
// waits to follow to the new today: not while a question or dialog is open
// over it, since the command waiting there works on the day shown.
bool followPending = false;
SYSTEMTIME dayToFollowFrom;

void followToday(const SYSTEMTIME& now)
{
    if (!followPending || messageBoxOpen() || !IsWindowEnabled(appState.mainWindow)) return;
    followPending = false;
    if (!isSameDay(appState.dateShown, dayToFollowFrom)) return;
    SYSTEMTIME today = appState.dateShown;
    today.wYear = now.wYear;
    today.wMonth = now.wMonth;
    today.wDay = now.wDay;
    // A day that could not be saved stays shown, and the move is tried again at the next tick.
    followPending = !moveTo(today, false);
}

// Carried from tick to tick; started again with every main window.
ClockMemory clockMemory;
// Slots of today reached while its file could not be read: reminded of at
// the first tick that can read it, as after a sleep.
uint32_t slotsWaiting = 0;

}  // namespace

void startClock()
{
    SetTimer(appState.mainWindow, 1, 1000, nullptr);
    startClockMemory(clockMemory, toSystemTime(localTime()));
    followPending = false;
    slotsWaiting = 0;
}

// However late the tick, the marks move once and at most one balloon shows.
// A window that showed today moves on to the new today first, as ">" does,
// so that what is typed in the morning goes into the morning's day.
void clockTick()
{
    SYSTEMTIME now = localTime();
    if (appState.showTime) showTimeOfDay(now);
    ReachedBoundaries reached = reachBoundaries(clockMemory, toSystemTime(now));
    if (reached.dateChanged && isSameDay(appState.dateShown, toSYSTEMTIME(reached.dayLeft))) {
        followPending = true;
        dayToFollowFrom = appState.dateShown;
    }
    followToday(now);
    if (reached.moveMarks) markCurrentSlot();
    if (reached.dateChanged) slotsWaiting = 0;
    slotsWaiting |= reached.slotsToRemind;
    if (slotsWaiting && remindOfSlots(now, slotsWaiting)) slotsWaiting = 0;
}

// Only the labels whose mark changes are touched: the start of the program
// waits for each one.
void markCurrentSlot()
{
    SYSTEMTIME now = localTime();
    HWND window = appState.mainWindow;
    for (int hour = 8; hour <= 18; ++hour) {
        HWND label = GetDlgItem(window, IDC_FIRST_HOUR_LABEL + hour - 8);
        LONG was = GetWindowLongA(label, GWL_EXSTYLE);
        LONG style = hour == now.wHour ? was | WS_EX_STATICEDGE : was & ~WS_EX_STATICEDGE;
        if (style == was) continue;
        SetWindowLongA(label, GWL_EXSTYLE, style);
        SetWindowPos(label, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    for (int slot = 0; slot < scheduleLineCount; ++slot) {
        bool current = slotHour(slot) == now.wHour && (slotMinute(slot) == 30) == (now.wMinute >= 30);
        HWND label = GetDlgItem(window, IDC_FIRST_MINUTE_LABEL + slot);
        HFONT font = appState.markFonts[current ? markImportant : markPrimary];
        if (HFONT(SendMessageA(label, WM_GETFONT, 0, 0)) == font) continue;
        SendMessageA(label, WM_SETFONT, WPARAM(font), FALSE);
        // Hiding and showing again makes the label repaint in its new font.
        ShowWindow(label, SW_HIDE);
        ShowWindow(label, SW_SHOWNORMAL);
    }
}
