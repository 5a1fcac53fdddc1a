// The program's icon in the notification area, and the balloons it shows.
#pragma once

#include <windows.h>
#include <shellapi.h>

void addTrayIcon();
void scaleTrayIcon();  // at the size the window's DPI asks for
void removeTrayIcon();
// A balloon over the icon, titled with the caption.
void showTrayBalloon(const char* text);
// The icon's menu at the mouse; the command chosen, or 0.
int trayMenuChoice();

// The seam through which the icon reaches the shell; tests replace it to watch
// the balloons. The wide record, so that a balloon holds 255 characters in any
// script rather than 255 bytes of their UTF-8 form.
extern BOOL(WINAPI* shellNotifyIconFunction)(DWORD action, NOTIFYICONDATAW* data);
