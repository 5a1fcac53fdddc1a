// The About box, the user manual and the home page.
#include "app/help_win32.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/app_state_win32.h"
#include "resources/resource.h"

namespace {

const char homePageAddress[] = "https://www.brenhollow.com/quillory";

void showString(HWND dialog, int id)
{
    char text[100] = "";
    LoadStringA(appState.instance, id, text, sizeof text);
    SetDlgItemTextA(dialog, id, text);
}

void showAboutTexts(HWND dialog)
{
    showString(dialog, IDC_ABOUT_CREDIT);
    showString(dialog, IDC_ABOUT_NOTICE);
    char version[100] = "";
    LoadStringA(appState.instance, IDS_VERSION, version, sizeof version);
    char title[400];
    std::snprintf(title, sizeof title, "%s version %s", appState.caption, version);
    SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, title);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: showAboutTexts(dialog); return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return 1;
        }
        break;
    }
    return 0;
}

}  // namespace

void openAboutBox()
{
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_ABOUT), appState.mainWindow, AboutDialogProc, 0);
}

// The viewer looks for the manual in the current directory, which it inherits.
// An installed copy works in a folder of the user's files, and its manual is
// beside the program.
void openUserManual(HWND owner, const char* baseName)
{
    char parameters[MAX_PATH * 4];
    std::snprintf(parameters, sizeof parameters, "%s.chm", baseName);
    if (GetFileAttributesA(parameters) == INVALID_FILE_ATTRIBUTES) {
        char program[MAX_PATH * 4];
        DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
        if (char* slash = length < sizeof program ? std::strrchr(program, '\\') : nullptr) *slash = '\0';
        std::snprintf(parameters, sizeof parameters, "\"%s\\%s.chm\"", program, baseName);
    }
    ShellExecuteA(owner, "open", "HH", parameters, nullptr, SW_SHOWNORMAL);
}

void openHomePage()
{
    ShellExecuteA(appState.mainWindow, "open", homePageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
