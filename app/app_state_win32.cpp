// The program's global state and its seams.
#include "app/app_state_win32.h"

#include <string>

AppState appState;

int (*messageBoxFunction)(HWND, const char*, const char*, UINT) = MessageBoxA;
void (*localTimeFunction)(SYSTEMTIME*) = GetLocalTime;
std::string (*computerNameFunction)() = [] {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return std::string(name);
};

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

void reportSaveFailure()
{
    showMessage(appState.mainWindow, "Error operation of save!", MB_OK | MB_ICONERROR);
}

void reportUnreadableFile(const char* path, const char* consequence)
{
    std::string text = path[0] == '.' && path[1] == '\\' ? path + 2 : path;
    text += " could not be read. It is left as it is, and ";
    text += consequence;
    showMessage(appState.mainWindow, text.c_str(), MB_OK | MB_ICONERROR);
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

std::string thisComputer()
{
    return computerNameFunction();
}
