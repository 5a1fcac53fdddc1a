// The program's shortcuts work in every one of its dialogs, always aimed at the main window.
#pragma once

#include <windows.h>

bool installShortcutFilter(HINSTANCE instance);
void removeShortcutFilter();
