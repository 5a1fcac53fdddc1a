// Sizes that follow the DPI of the monitor the main window is on: its layout, fonts and icons.
#pragma once

#include <windows.h>

// The window's DPI, as Windows 10 tells it per monitor; older Windows have one for the whole screen.
UINT windowDpi(HWND window);

// At the window's start: the DPI the window was made at, and the mark, hour
// and day fonts made for it from the template's.
void rememberLayout(HWND window);

// Places every control and sets every font for the DPI, from what was
// remembered: going back to the first DPI gives exactly the first layout.
void applyDpi(HWND window, UINT dpi);

// The template of the main window: the large-font one when that option is on
// and it fits the screen it opens on, else the normal one, which at a high
// scale on a small screen is as large as there is room for.
int mainWindowTemplate();

// The icon sizes Windows asks for at a DPI: the small one (caption, tray) and the large one.
int smallIconSize(UINT dpi);
int largeIconSize(UINT dpi);
