// Closing the day shown: its unfinished work moves on to the next day.
#include "app/close_day_win32.h"

#include <windows.h>

#include "app/app_state_win32.h"
#include "app/date_navigation_win32.h"
#include "app/day_lines_win32.h"
#include "app/day_view_win32.h"
#include "app/locale_text_win32.h"
#include "app/sort_tasks_win32.h"
#include "day/day_file.h"
#include "edit/close_day.h"

namespace {

bool userAgrees(const char* question)
{
    return showMessage(appState.mainWindow, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

// Each question runs a message loop in which the clock still ticks: a day
// moved on meanwhile is not the one the user chose to close, and the
// command ends there. Nothing is taken in under a question, so the days are
// brought in step with their files once it is answered: a task ticked on
// another computer meanwhile is not carried, and one added there is.
void closeCurrentDay()
{
    SYSTEMTIME closed = appState.dateShown;
    if (!userAgrees("Warning.\r\n"
                    "All uncompleted tasks will be moved to next day.\r\n"
                    "Also all actual periodic tasks will be added.\r\n"
                    "Continue?") ||
        !isSameDay(closed, appState.dateShown))
        return;
    if (!keepShownDay(KeepOccasion::leaveAsked)) return;

    DayPage closing;
    gatherDayPage(closing);
    stepDay(+1);
    // On the calendar's last day there is no next day: carrying the tasks into
    // the same page would only duplicate its schedule lines. A day that could
    // not be saved stays shown.
    if (isSameDay(closed, appState.dateShown)) return;
    // A next day that could not be read takes nothing: it is never saved.
    if (appState.storedDay.unreadable) {
        tellUnreadableDay();
        return;
    }

    SYSTEMTIME nextDate = appState.dateShown;
    DayPage next;
    gatherDayPage(next);
    bool noRoom =
        carryOverUnfinished(closing, next, appState.periodicTasks, toSystemTime(nextDate), collateAsTheUserDoes);
    if (noRoom) {
        if (!userAgrees("Warning. There is no room for move all tasks. Continue?") ||
            !isSameDay(nextDate, appState.dateShown) || !keepShownDay(KeepOccasion::leaveAsked))
            return;
        // Both days may have changed elsewhere while the user was asked: the
        // carry is made again from them as they are now.
        DayPage closedNow;
        if (readDayPage(toSystemTime(closed), closedNow) != ReadResult::unreadable) closing = closedNow;
        gatherDayPage(next);
        carryOverUnfinished(closing, next, appState.periodicTasks, toSystemTime(nextDate), collateAsTheUserDoes);
    }
    showDayPage(next);
    // The page is already in order; sorting what the window now shows keeps
    // the order exactly that of the Sort tasks command.
    sortTasks();
}
