// Finding the running program's windows from outside, for the driver and the Find timing.
#pragma once

#include <windows.h>

#include <cstdio>

// The topmost shown dialog of that caption: for "Quillory", the main window or the message box it shows.
inline HWND waitForDialog(const char* caption, int seconds = 5)
{
    for (int i = 0; i < seconds * 10; ++i, Sleep(100))
        if (HWND dialog = FindWindowA("#32770", caption); dialog && IsWindowVisible(dialog)) return dialog;
    std::fprintf(stderr, "no window \"%s\" was shown within %d seconds\n", caption, seconds);
    return nullptr;
}
