// The program's global state and its two seams.
#include "app/app_state_win32.h"

AppState appState;

int (*messageBoxFunction)(HWND, const char*, const char*, UINT) = MessageBoxA;
void (*localTimeFunction)(SYSTEMTIME*) = GetLocalTime;

int showMessage(HWND owner, const char* text, UINT type)
{
    return messageBoxFunction(owner, text, appState.caption, type);
}

SYSTEMTIME localTime()
{
    SYSTEMTIME now;
    localTimeFunction(&now);
    return now;
}
