// The About box, the user manual and the home page.
#include "app/commands_win32.h"

void openAboutBox() {}
void openUserManual(HWND, const char*) {}
void openHomePage() {}
