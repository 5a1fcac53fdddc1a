// The Options dialog's procedure and the text of the logon-start entry.
#pragma once

#include <windows.h>

#include <string>

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The command line the logon start runs: this copy's own, trimmed, ending in "-autorun".
std::wstring runCommandLine(const wchar_t* commandLine);
