// The About box, the user manual and the home page.
#pragma once

#include <windows.h>

void openAboutBox();
void openUserManual(HWND owner, const char* baseName);
void openHomePage();
