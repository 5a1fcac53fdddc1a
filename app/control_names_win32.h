// The names screen readers say for the main window's controls, and the tab order they are met in.
#pragma once

#include <windows.h>

// Puts the controls in the order of the screen (the header, then each line
// with its done box, schedule, to-do list, notes) and names each: by a hidden
// label just before it, where screen readers look for an edit's name, and
// through the platform's annotation service, which covers every control.
void nameControls(HWND window);

// A line's name tells its mark; the schedule's names follow the hour labels.
void nameLine(int line);
void nameScheduleLines();
