// Undo and Redo in the main window: the page is gathered around every command and run of typing.
#include "app/undo_win32.h"

#include "app/app_state_win32.h"
#include "app/day_lines_win32.h"
#include "app/line_controls_win32.h"
#include "edit/undo_history.h"
#include "resources/resource.h"

namespace {

DayPage gatheredPage()
{
    DayPage page;
    gatherDayPage(page);
    return page;
}

void showStep(int line)
{
    if (line < 0) return;
    // The page goes up before the focus moves: the line left then finds
    // nothing new to take as a step.
    showDayPage(appState.undoHistory.shown);
    SetFocus(lineEditor(line));
}

void enableItem(HMENU menu, int command, bool enabled)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

void startUndoHistory()
{
    startHistory(appState.undoHistory, gatheredPage());
}

void takeUndoStep()
{
    takeStep(appState.undoHistory, gatheredPage());
}

void undoChange()
{
    takeUndoStep();
    showStep(undoStep(appState.undoHistory));
}

void redoChange()
{
    takeUndoStep();
    showStep(redoStep(appState.undoHistory));
}

void updateUndoItems(HMENU menu)
{
    DayPage now = gatheredPage();
    enableItem(menu, IDM_UNDO, canUndo(appState.undoHistory, now));
    enableItem(menu, IDM_REDO, canRedo(appState.undoHistory, now));
}
