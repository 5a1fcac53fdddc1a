// Closing the day shown: its unfinished work moves on to the next day.
#include <windows.h>

#include "app/app_state_win32.h"
#include "app/commands_win32.h"
#include "day/day_view_win32.h"
#include "edit/close_day.h"
#include "edit/sort_tasks_win32.h"

namespace {

bool userAgrees(const char* question)
{
    return showMessage(appState.mainWindow, question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

void closeCurrentDay()
{
    if (!userAgrees("Warning.\r\n"
                    "All uncompleted tasks will be moved to next day.\r\n"
                    "Also all actual periodic tasks will be added.\r\n"
                    "Continue?"))
        return;

    DayPage closing;
    gatherDayPage(closing);
    SYSTEMTIME closed = appState.dateShown;
    stepDay(+1);
    // On the calendar's last day there is no next day: carrying the tasks into
    // the same page would only duplicate its schedule lines.
    if (isSameDay(closed, appState.dateShown)) return;

    DayPage next;
    gatherDayPage(next);
    bool noRoom = carryOverUnfinished(closing, next, appState.periodicTasks, toSystemTime(appState.dateShown),
                                      localeCollation);
    if (noRoom && !userAgrees("Warning. There is no room for move all tasks. Continue?")) return;
    showDayPage(next);
    // The page is already in order; sorting what the window now shows keeps
    // the order exactly that of the Sort tasks command.
    sortTasks();
}
