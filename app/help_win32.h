// The About box's procedure, and the home page's address.
#pragma once

#include <windows.h>

extern const char homePageAddress[];

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
