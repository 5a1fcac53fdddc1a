// Putting a directory entry's name into the day line that had the focus.
#include "app/insert_item_win32.h"

#include <windows.h>

#include "app/app_state_win32.h"
#include "app/locale_text_win32.h"
#include "text/utf8_text.h"
#include "directory/insert_text.h"
#include "app/line_controls_win32.h"

void insertDirectoryItem(DirectoryEntry entry)
{
    HWND line = appState.insertTarget;
    if (!isDayLine(line)) return;
    DWORD start = 0, end = 0;
    SendMessageA(line, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    char text[lineTextSize] = "";
    readControlText(line, text, sizeof text);
    // The editor counts its positions in UTF-16 units, the text is UTF-8 bytes.
    int startByte = int(byteOffsetOfPosition(text, start));
    int endByte = int(byteOffsetOfPosition(text, end));
    InsertedText result = composeInsertedText(text, startByte, endByte, entry.name);
    if (!result.nameFits) {
        // Told over the directory list, which is still open.
        showMessage(GetLastActivePopup(appState.mainWindow), "There is no room for the name in this line.",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    SetWindowTextA(line, result.text);
    size_t caret = editorPosition(result.text, size_t(result.caret));
    SendMessageA(line, EM_SETSEL, caret, caret);
    InvalidateRect(appState.mainWindow, nullptr, FALSE);
}
