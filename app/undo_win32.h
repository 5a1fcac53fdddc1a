// Undo and Redo of the day shown.
#pragma once

#include <windows.h>

// A new history, from the page the window shows: a day shown anew.
void startUndoHistory();
// What changed on the page since the last step becomes a step of its own.
void takeUndoStep();
void undoChange();
void redoChange();
// Greys Undo and Redo in the menu about to open when there is nothing to take back.
void updateUndoItems(HMENU menu);
