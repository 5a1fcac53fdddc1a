// The main window's line editors and done boxes, by page line.
#include "app/line_controls_win32.h"

#include "app/app_state_win32.h"

namespace {

// A control is found by walking the window's two hundred children, under
// Wine a call to its server of some 100 microseconds; the lines are looked up
// 86 times a second for the change check, and their handles never change.
struct LineControls {
    HWND editors[dayLineCount];
    HWND boxes[dayLineCount];  // none for the note lines
};
LineControls lineControls;

}  // namespace

void findLineControls()
{
    for (int i = 0; i < dayLineCount; ++i) {
        lineControls.editors[i] = GetDlgItem(appState.mainWindow, lineEditorId(i));
        lineControls.boxes[i] = doneBoxId(i) ? GetDlgItem(appState.mainWindow, doneBoxId(i)) : nullptr;
    }
}

HWND lineEditor(int line)
{
    return lineControls.editors[line];
}

HWND doneBox(int line)
{
    return lineControls.boxes[line];
}

HFONT markFont(int32_t mark)
{
    return mark >= 0 && mark <= 2 ? appState.markFonts[mark] : nullptr;
}

int32_t markOfFont(HFONT font)
{
    for (int32_t mark = 0; mark <= 2; ++mark)
        if (appState.markFonts[mark] == font) return mark;
    return markPrimary;
}

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

bool isDayLine(HWND window)
{
    if (window == nullptr) return false;
    for (int line = 0; line < dayLineCount; ++line)
        if (lineEditor(line) == window) return true;
    return false;
}
