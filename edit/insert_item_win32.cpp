// Putting a directory entry's name into the day line that had the focus.
#include "edit/insert_item_win32.h"

#include <windows.h>

#include "app/app_state_win32.h"
#include "edit/insert_text.h"
#include "edit/marks_win32.h"

void insertDirectoryItem(DirectoryEntry entry)
{
    HWND line = appState.insertTarget;
    if (!isDayLine(line)) return;
    DWORD start = 0, end = 0;
    SendMessageA(line, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    char text[lineTextSize] = "";
    GetWindowTextA(line, text, sizeof text);
    InsertedText result = composeInsertedText(text, int(start), int(end), entry.name);
    SetWindowTextA(line, result.text);
    SendMessageA(line, EM_SETSEL, result.caret, result.caret);
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}
