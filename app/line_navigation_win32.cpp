// Enter in a day line moves the focus on through the schedule, the to-do list and the notes; a line stays one line.
#include "app/line_navigation_win32.h"

#include <string>

#include "app/app_state_win32.h"
#include "app/line_controls_win32.h"
#include "app/undo_win32.h"

namespace {

WNDPROC savedEditProc;

// The lines are multi-line editors, which keep a pasted line break; the file
// stores a blank for each, so the line takes the blank at once, as the file
// gives it back.
void pasteAsOneLine(HWND editor)
{
    if (!OpenClipboard(editor)) return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const wchar_t* units = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = units;
            GlobalUnlock(data);
        }
    CloseClipboard();
    for (wchar_t& unit : text)
        if (unit == L'\r' || unit == L'\n') unit = L' ';
    SendMessageW(editor, EM_REPLACESEL, TRUE, LPARAM(text.c_str()));
}

LRESULT CALLBACK LineEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        // Down the page, whatever lies between the lines in the tab order.
        int line = 0;
        while (line < dayLineCount && lineEditor(line) != window) ++line;
        SetFocus(lineEditor((line + 1) % dayLineCount));
        return 0;
    }
    // Ctrl+Enter would type a line break.
    if (message == WM_CHAR && (wParam == '\r' || wParam == '\n')) return 0;
    if (message == WM_PASTE) {
        pasteAsOneLine(window);
        return 0;
    }
    // Leaving a line ends a run of typing in it: what was typed is one step to undo.
    if (message == WM_KILLFOCUS) takeUndoStep();
    return CallWindowProcW(savedEditProc, window, message, wParam, lParam);
}

}  // namespace

void subclassDayLines()
{
    for (int line = 0; line < dayLineCount; ++line) {
        HWND editor = lineEditor(line);
        // Set the wide way, so the line stays a Unicode window: a character typed
        // reaches the editor whole instead of through the keyboard's code page.
        savedEditProc = WNDPROC(SetWindowLongPtrW(editor, GWLP_WNDPROC, LONG_PTR(LineEditProc)));
        SendMessageA(editor, EM_LIMITTEXT, lineCharacterLimit, 0);
    }
}
