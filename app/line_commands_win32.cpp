// Clearing, moving, marking and closing lines of the page shown.
#include "app/line_commands_win32.h"

#include <windows.h>

#include "app/app_state_win32.h"
#include "app/locale_text_win32.h"
#include "app/control_names_win32.h"
#include "app/line_controls_win32.h"
#include "resources/resource.h"

namespace {

// A column of line editors; a line's done box is its editor id plus boxOffset
// (0 for the notes, which have no boxes).
struct LineColumn {
    int first;
    int last;
    int boxOffset;
};

constexpr LineColumn lineColumns[] = {
    {IDC_FIRST_SCHEDULE_LINE, IDC_FIRST_SCHEDULE_LINE + scheduleLineCount - 1,
     IDC_FIRST_SCHEDULE_DONE - IDC_FIRST_SCHEDULE_LINE},
    {IDC_FIRST_TODO_LINE, IDC_FIRST_TODO_LINE + todoLineCount - 1, IDC_FIRST_TODO_DONE - IDC_FIRST_TODO_LINE},
    {IDC_FIRST_NOTE_LINE, IDC_FIRST_NOTE_LINE + noteLineCount - 1, 0},
};

const LineColumn* columnOf(int id)
{
    for (const LineColumn& column : lineColumns)
        if (id >= column.first && id <= column.last) return &column;
    return nullptr;
}

void askForFocusedLine(HWND focus)
{
    showMessage(focus, "Please click on an edit control for set input focus and try again.",
                MB_OK | MB_ICONINFORMATION);
}

HWND item(int id)
{
    return GetDlgItem(appState.mainWindow, id);
}

HFONT fontOf(HWND editor)
{
    return HFONT(SendMessageA(editor, WM_GETFONT, 0, 0));
}

void exchangeChecks(int a, int b)
{
    UINT stateA = IsDlgButtonChecked(appState.mainWindow, a);
    UINT stateB = IsDlgButtonChecked(appState.mainWindow, b);
    CheckDlgButton(appState.mainWindow, a, stateB);
    CheckDlgButton(appState.mainWindow, b, stateA);
}

}  // namespace

void closeEmptyTasks()
{
    // Only a line with no character at all counts as empty: blanks typed into
    // a line may be a placeholder the user means to keep open.
    for (int line = 0; line < firstNoteLine; ++line)
        if (GetWindowTextLengthA(lineEditor(line)) == 0)
            CheckDlgButton(appState.mainWindow, doneBoxId(line), BST_CHECKED);
    applyDoneState();
}

void moveLine(int direction)
{
    HWND focus = GetFocus();
    int id = focus ? GetDlgCtrlID(focus) : 0;
    const LineColumn* column = isDayLine(focus) ? columnOf(id) : nullptr;
    if (column == nullptr) {
        askForFocusedLine(focus);
        return;
    }
    // Each column is a ring: the first line moves up to the last place and the
    // last line down to the first.
    int target = id + direction;
    if (target < column->first) target = column->last;
    if (target > column->last) target = column->first;

    HWND other = item(target);
    char focusedText[lineTextSize] = "";
    char otherText[lineTextSize] = "";
    readControlText(focus, focusedText, sizeof focusedText);
    readControlText(other, otherText, sizeof otherText);
    SetWindowTextA(other, focusedText);
    SetWindowTextA(focus, otherText);

    if (column->boxOffset) exchangeChecks(id + column->boxOffset, target + column->boxOffset);

    HFONT focusedFont = fontOf(focus);
    HFONT otherFont = fontOf(other);
    setLineFont(focus, otherFont);
    setLineFont(other, focusedFont);

    // The focus travels with the line, so repeating the command keeps moving it.
    SetFocus(other);
    applyDoneState();
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

void clearLine()
{
    HWND focus = GetFocus();
    if (!isDayLine(focus)) {
        askForFocusedLine(focus);
        return;
    }
    SetWindowTextA(focus, "");
    if (const LineColumn* column = columnOf(GetDlgCtrlID(focus)); column && column->boxOffset)
        CheckDlgButton(appState.mainWindow, GetDlgCtrlID(focus) + column->boxOffset, BST_UNCHECKED);
    setLineFont(focus, appState.markFonts[markPrimary]);
    applyDoneState();
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}

void setMark(int32_t mark)
{
    HWND focus = GetFocus();
    if (!isDayLine(focus)) return;
    setLineFont(focus, markFont(mark));
    InvalidateRect(focus, nullptr, FALSE);
}
