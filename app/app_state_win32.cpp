// The program's global state and its two seams.
#include "app/app_state_win32.h"

AppState appState;

int (*messageBoxFunction)(HWND, const char*, const char*, UINT) = MessageBoxA;
void (*localTimeFunction)(SYSTEMTIME*) = GetLocalTime;

namespace {

int openMessageBoxes = 0;

}  // namespace

int showMessage(HWND owner, const char* text, UINT type)
{
    ++openMessageBoxes;
    int answer = messageBoxFunction(owner, text, appState.caption, type);
    --openMessageBoxes;
    return answer;
}

bool messageBoxOpen()
{
    return openMessageBoxes > 0;
}

SYSTEMTIME localTime()
{
    SYSTEMTIME now;
    localTimeFunction(&now);
    return now;
}
