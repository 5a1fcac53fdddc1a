// Quick add: a line typed in the user's own words put on its day, from the menu, the tray, a hotkey or the command line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Puts the typed line on its day as the import places an event: the day shown
// changes in the window as one undo step, another day's file is merged. False,
// with the reason in `problem`, when the day has no free line or cannot be written.
bool addQuickLine(const std::string& typed, std::string& problem);

// The box: the edit, the preview following each keystroke, Add and Cancel.
void openQuickAdd();
// From the hotkey or the tray, while the user may be in another program: the
// box, or the message or dialog open over the window, which is answered first.
void openQuickAddFromAnywhere();

// The lines given on the command line, each after its own /add.
std::vector<std::string> quickAddArguments();

