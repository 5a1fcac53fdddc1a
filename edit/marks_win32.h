// Done boxes and marks: a done line is read-only, and a line's mark is its editor's font.
#pragma once

#include <windows.h>

#include <cstdint>

#include "day/line_controls_win32.h"

// Gives a line editor a mark's font, by which its mark is shown and said.
void setLineFont(HWND editor, HFONT font);

void applyDoneState();
bool isDayLine(HWND window);
void setMark(int32_t mark);
