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
    if (!result.nameFits) {
        // Told over the directory list, which is still open.
        showMessage(GetLastActivePopup(appState.mainWindow), "There is no room for the name in this line.",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    SetWindowTextA(line, result.text);
    SendMessageA(line, EM_SETSEL, result.caret, result.caret);
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}
