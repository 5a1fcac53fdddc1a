// The main window: initialisation, command dispatch and saving everything.
#pragma once

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void InitMainWindow();
// At a log-off or shutdown (endingSession) nobody can answer a question, so a
// day that cannot be saved is kept as an other version beside its file.
void SaveAll(bool endingSession = false);
