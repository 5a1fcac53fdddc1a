// The seam through which the notification-area icon reaches the shell; tests replace it to watch the balloons.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The wide record, so that a balloon holds 255 characters in any script
// rather than 255 bytes of their UTF-8 form.
extern BOOL(WINAPI* shellNotifyIconFunction)(DWORD action, NOTIFYICONDATAW* data);
