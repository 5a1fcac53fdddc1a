// The program's icon in the notification area, and the balloons it shows.
#include "app/tray_icon_win32.h"

#include <map>

#include "app/app_state_win32.h"
#include "app/locale_text_win32.h"
#include "app/screen_scale_win32.h"
#include "resources/resource.h"

BOOL(WINAPI* shellNotifyIconFunction)(DWORD, NOTIFYICONDATAW*) = Shell_NotifyIconW;

namespace {

const UINT trayIconId = 1;

// The layout every shell since Windows XP understands, balloons included.
NOTIFYICONDATAW trayIconRecord()
{
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V3_SIZE;
    data.hWnd = appState.mainWindow;
    data.uID = trayIconId;
    return data;
}

// As much of the text as the field holds; the texts given are cut to fit already.
template <size_t size>
void setWideText(WCHAR (&field)[size], const char* text)
{
    std::wstring wide = toWide(text);
    lstrcpynW(field, wide.c_str(), int(size));
}

// Drawn at the size the window's DPI asks for; each size is loaded once.
HICON trayIcon()
{
    static std::map<int, HICON> icons;
    int size = smallIconSize(windowDpi(appState.mainWindow));
    HICON& icon = icons[size];
    if (!icon) icon = HICON(LoadImageA(appState.instance, MAKEINTRESOURCEA(IDI_APP_SMALL), IMAGE_ICON, size, size, 0));
    return icon;
}

}  // namespace

void addTrayIcon()
{
    NOTIFYICONDATAW data = trayIconRecord();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_ICON;
    data.hIcon = trayIcon();
    setWideText(data.szTip, appState.caption);
    shellNotifyIconFunction(NIM_ADD, &data);
}

void scaleTrayIcon()
{
    NOTIFYICONDATAW data = trayIconRecord();
    data.uFlags = NIF_ICON;
    data.hIcon = trayIcon();
    shellNotifyIconFunction(NIM_MODIFY, &data);
}

void removeTrayIcon()
{
    NOTIFYICONDATAW data = trayIconRecord();
    shellNotifyIconFunction(NIM_DELETE, &data);
}

int trayMenuChoice()
{
    HMENU menu = LoadMenuA(appState.instance, MAKEINTRESOURCEA(IDR_TRAY_MENU));
    HMENU items = GetSubMenu(menu, 0);
    SetMenuDefaultItem(items, IDM_SHOW_WINDOW, FALSE);
    POINT mouse{};
    GetCursorPos(&mouse);
    // A menu of a window that is not in front would not close when the user
    // clicks elsewhere; the message after it lets it close at once.
    SetForegroundWindow(appState.mainWindow);
    int chosen = TrackPopupMenu(items, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, mouse.x, mouse.y, 0,
                                appState.mainWindow, nullptr);
    PostMessageA(appState.mainWindow, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen;
}

void showTrayBalloon(const char* text)
{
    NOTIFYICONDATAW data = trayIconRecord();
    setWideText(data.szInfo, text);
    data.uFlags = NIF_INFO;
    setWideText(data.szInfoTitle, appState.caption);
    data.dwInfoFlags = NIIF_INFO;
    shellNotifyIconFunction(NIM_MODIFY, &data);
}
