// The main window's line editors and done boxes, by page line, and the fonts that show their marks.
#pragma once

#include <windows.h>

#include "day/day_page.h"
#include "resources/resource.h"

// Page line (0..43) to its editor: schedule 1000..1021, then to-do and notes 1101..1122.
constexpr int lineEditorId(int line)
{
    return line < firstTodoLine ? IDC_FIRST_SCHEDULE_LINE + line
                                : IDC_FIRST_TODO_LINE + (line - firstTodoLine);
}

// Page line to its done box; note lines have none (0).
constexpr int doneBoxId(int line)
{
    return line < firstTodoLine  ? IDC_FIRST_SCHEDULE_DONE + line
           : line < firstNoteLine ? IDC_FIRST_TODO_DONE + (line - firstTodoLine)
                                  : 0;
}

// Looks up the 44 editors and 42 boxes of a new main window, once, for the two below.
void findLineControls();
HWND lineEditor(int line);
HWND doneBox(int line);  // null for the note lines

// The font of a mark, or null for a value outside 0..2.
HFONT markFont(int32_t mark);

// The mark whose font this is; a font of no mark reads as Primary.
int32_t markOfFont(HFONT font);

// A done line is read-only; a day whose file could not be read is wholly so,
// and none of its boxes can be ticked.
void applyDoneState();

// Whether the window is one of the page's line editors.
bool isDayLine(HWND window);
