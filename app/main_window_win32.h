// The main window: initialisation, command dispatch and saving everything.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void InitMainWindow();
void SaveAll();
void TrimBlanks(wchar_t* text);
