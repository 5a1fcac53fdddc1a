// The add/edit dialog of a periodic task, whose fields follow the period chosen.
#pragma once

#include <windows.h>

INT_PTR CALLBACK PeriodicTaskDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
