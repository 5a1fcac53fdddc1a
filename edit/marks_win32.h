// Done boxes and marks: a done line is read-only, and a line's mark is its editor's font.
#pragma once

#include <windows.h>

#include <cstdint>

// The font of a mark, or null for a value outside 0..2.
HFONT markFont(int32_t mark);

// The mark whose font this is; a font of no mark reads as Primary.
int32_t markOfFont(HFONT font);

// Gives a line editor a mark's font, by which its mark is shown and said.
void setLineFont(HWND editor, HFONT font);

void applyDoneState();
bool isDayLine(HWND window);
void setMark(int32_t mark);
