// Done boxes make their lines read-only; marks are the fonts of the line editors.
#include "edit/marks_win32.h"

#include "app/app_state_win32.h"
#include "app/control_names_win32.h"
#include "day/line_controls_win32.h"

// A day whose file could not be read is shown but cannot be changed: every
// line is read-only and no box can be ticked, until it is loaded again.
void applyDoneState()
{
    bool locked = appState.storedDay.unreadable;
    for (int line = 0; line < dayLineCount; ++line) {
        HWND box = doneBox(line);
        bool done = box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageA(lineEditor(line), EM_SETREADONLY, done || locked, 0);
        if (box) EnableWindow(box, !locked);
    }
}

void setLineFont(HWND editor, HFONT font)
{
    if (HFONT(SendMessageA(editor, WM_GETFONT, 0, 0)) == font) return;
    SendMessageA(editor, WM_SETFONT, WPARAM(font), FALSE);
    for (int line = 0; line < dayLineCount; ++line)
        if (lineEditor(line) == editor) nameLine(line);
}

bool isDayLine(HWND window)
{
    if (window == nullptr) return false;
    for (int line = 0; line < dayLineCount; ++line)
        if (lineEditor(line) == window) return true;
    return false;
}

void setMark(int32_t mark)
{
    HWND focus = GetFocus();
    if (!isDayLine(focus)) return;
    setLineFont(focus, markFont(mark));
    InvalidateRect(focus, nullptr, FALSE);
}
