// Milliseconds from the Find command in a running Quillory until its list answers the first text typed.
// Usage: quillory_find_timing TEXT (bench/find_under_wine.sh runs it).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND waitForDialog(const char* caption)
{
    for (int i = 0; i < 200; ++i, Sleep(100))
        if (HWND dialog = FindWindowA("#32770", caption); dialog && IsWindowVisible(dialog)) return dialog;
    std::fprintf(stderr, "no window \"%s\" within 20 seconds\n", caption);
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    HWND window = waitForDialog("Quillory");
    if (argc < 2 || window == nullptr) return 1;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PostMessageA(window, WM_COMMAND, 32810, 0);  // Edit > Find
    HWND dialog = waitForDialog("Find");
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
