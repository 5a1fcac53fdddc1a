// The day page in the main window's line editors and done boxes.
#include "app/day_lines_win32.h"

#include <windows.h>

#include <cstring>

#include "app/app_state_win32.h"
#include "app/control_names_win32.h"
#include "app/line_controls_win32.h"
#include "app/locale_text_win32.h"

namespace {

// An editor can hold more than a line keeps (a name put in by Select): it is
// cut to whole characters, never inside one as a cut to the buffer's bytes would.
void gatherLine(HWND editor, HWND box, DayLine& line)
{
    char text[3 * lineTextSize];
    readControlText(editor, text, sizeof text);
    setLineText(line, text);
    trimLineText(line);
    line.done = box != nullptr && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    line.mark = markOfFont(HFONT(SendMessageA(editor, WM_GETFONT, 0, 0)));
}

}  // namespace

void showDayPage(const DayPage& page, const DayPage* shown)
{
    for (int i = 0; i < dayLineCount; ++i) {
        const DayLine& line = page.lines[i];
        const DayLine* was = shown ? &shown->lines[i] : nullptr;
        HWND editor = lineEditor(i);
        if (!was || std::strncmp(was->text, line.text, sizeof line.text) != 0) SetWindowTextA(editor, line.text);
        if (HWND box = doneBox(i); box && (!was || was->done != line.done))
            SendMessageA(box, BM_SETCHECK, line.done ? BST_CHECKED : BST_UNCHECKED, 0);
        if (HFONT font = markFont(line.mark); font && (!was || was->mark != line.mark))
            setLineFont(editor, font);
    }
    applyDoneState();
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

void gatherDayPage(DayPage& page)
{
    for (int i = 0; i < dayLineCount; ++i) gatherLine(lineEditor(i), doneBox(i), page.lines[i]);
}
