// The Options dialog's procedure.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

