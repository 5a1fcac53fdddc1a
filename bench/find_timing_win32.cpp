// Milliseconds from the Find command in a running Quillory until its list answers the first text typed.
// Usage: quillory_find_timing TEXT (bench/find_under_wine.sh runs it).
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/wait_for_dialog.h"

int main(int argc, char** argv)
{
    HWND window = waitForDialog("Quillory", 20);
    if (argc < 2 || window == nullptr) return 1;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PostMessageA(window, WM_COMMAND, 32810, 0);  // Edit > Find
    HWND dialog = waitForDialog("Find", 20);
    if (dialog == nullptr) return 1;
    SendMessageA(GetDlgItem(dialog, 1300), WM_SETTEXT, 0, LPARAM(argv[1]));
    char count[200] = "";
    while (std::string(count).find("atch") == std::string::npos) {  // "1 match", "No match", "17 matches", not "Reading..."
        Sleep(1);
        SendMessageA(GetDlgItem(dialog, 1302), WM_GETTEXT, sizeof count, LPARAM(count));
    }
    QueryPerformanceCounter(&now);
    std::printf("%.0f ms: %s\n", double(now.QuadPart - start.QuadPart) * 1000 / double(frequency.QuadPart), count);
    return 0;
}
