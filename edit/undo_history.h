// Undo and redo on the day shown: the page as it stood on either side of each change.
#pragma once

#include <deque>

#include "day/day_page.h"

constexpr int undoStepLimit = 100;

// One change of the page: the page on the far side of it, and the first line it changed.
struct UndoStep {
    DayPage page;
    int line = 0;
};

// The history of the day shown. A change is found by comparing a page gathered
// from the window with `shown`, the page as it stood after the last step taken,
// undone or redone; so nothing has to watch every keystroke.
struct UndoHistory {
    DayPage shown;
    std::deque<UndoStep> undoable;  // oldest first
    std::deque<UndoStep> redoable;  // the next to redo last
};


// Starts the empty history of a day just shown.
void startHistory(UndoHistory& history, const DayPage& shown);

// Takes the change from `shown` to the page gathered now as one step; nothing
// when the page has not changed. A step drops whatever could have been redone.
void takeStep(UndoHistory& history, const DayPage& now);

// Whether Undo or Redo has anything to do, with a change not yet taken counted
// as a step.
bool canUndo(const UndoHistory& history, const DayPage& now);
bool canRedo(const UndoHistory& history, const DayPage& now);

// Step back or forward: `shown` becomes the page to show, and the result is
// the line to focus, or -1 when there was nothing to undo or redo.
int undoStep(UndoHistory& history);
int redoStep(UndoHistory& history);
