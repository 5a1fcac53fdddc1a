// Taking, undoing and redoing steps of the day shown.
#include "edit/undo_history.h"

namespace {

// Moves the last step of one side to the other, with the page it leaves behind.
int moveStep(UndoHistory& history, std::deque<UndoStep>& from, std::deque<UndoStep>& to)
{
    if (from.empty()) return -1;
    UndoStep step = from.back();
    from.pop_back();
    to.push_back({history.shown, step.line});
    history.shown = step.page;
    return step.line;
}

}  // namespace

void startHistory(UndoHistory& history, const DayPage& shown)
{
    history.shown = shown;
    history.undoable.clear();
    history.redoable.clear();
}

void takeStep(UndoHistory& history, const DayPage& now)
{
    int line = firstChangedLine(history.shown, now);
    if (line < 0) return;
    if (history.undoable.size() == undoStepLimit) history.undoable.pop_front();
    history.undoable.push_back({history.shown, line});
    history.redoable.clear();
    history.shown = now;
}

bool canUndo(const UndoHistory& history, const DayPage& now)
{
    return !history.undoable.empty() || firstChangedLine(history.shown, now) >= 0;
}

bool canRedo(const UndoHistory& history, const DayPage& now)
{
    return !history.redoable.empty() && firstChangedLine(history.shown, now) < 0;
}

int undoStep(UndoHistory& history)
{
    return moveStep(history, history.undoable, history.redoable);
}

int redoStep(UndoHistory& history)
{
    return moveStep(history, history.redoable, history.undoable);
}
