// The seam through which the notification-area icon reaches the shell; tests replace it to watch the balloons.
#pragma once

#include <windows.h>
#include <shellapi.h>

extern BOOL(WINAPI* shellNotifyIconFunction)(DWORD action, NOTIFYICONDATAA* data);
