// The clock, the current-slot marks, reminders and the notification-area icon.
#include "app/clock_win32.h"

#include "app/app_state_win32.h"
#include "app/commands_win32.h"
#include "app/reminders.h"
#include "day/day_page.h"
#include "day/day_view_win32.h"
#include "day/locale_text_win32.h"
#include "edit/marks_win32.h"
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

int slotHour(int slot) { return slot / 2 + 8; }
int slotMinute(int slot) { return slot % 2 ? 30 : 0; }

void setClockText(const SYSTEMTIME& now)
{
    char text[260] = "";
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, text, sizeof text);
    SetDlgItemTextA(appState.mainWindow, IDC_CLOCK, text);
}

// Reads the slots just begun as the window shows them: a read-only line is done.
void remindOfSlots(uint32_t slots)
{
    DayLine schedule[scheduleLineCount];
    for (int slot = 0; slot < scheduleLineCount; ++slot) {
        HWND line = lineEditor(slot);
        if (!(slots >> slot & 1) || line == nullptr) continue;
        schedule[slot].done = (GetWindowLongA(line, GWL_STYLE) & ES_READONLY) != 0;
        GetWindowTextA(line, schedule[slot].text, sizeof schedule[slot].text);
    }
    char text[reminderTextSize];
    composeReminder(schedule, slots, text);
    if (text[0] == '\0') return;

    NOTIFYICONDATAW data = trayIconRecord();
    setWideText(data.szInfo, text);
    data.uFlags = NIF_INFO;
    setWideText(data.szInfoTitle, appState.caption);
    data.dwInfoFlags = NIIF_INFO;
    shellNotifyIconFunction(NIM_MODIFY, &data);
}

// Carried from tick to tick; started again with every main window.
ClockMemory clockMemory;

}  // namespace

void startClock()
{
    SetTimer(appState.mainWindow, 1, 1000, nullptr);
    startClockMemory(clockMemory, toSystemTime(localTime()));
}

// However late the tick, the marks move once and at most one balloon shows.
void clockTick()
{
    SYSTEMTIME now = localTime();
    if (appState.showTime) setClockText(now);
    ReachedBoundaries reached = reachBoundaries(clockMemory, toSystemTime(now));
    if (reached.moveMarks) markCurrentSlot();
    if (reached.slotsToRemind) remindOfSlots(reached.slotsToRemind);
}

void markCurrentSlot()
{
    SYSTEMTIME now = localTime();
    HWND window = appState.mainWindow;
    for (int hour = 8; hour <= 18; ++hour) {
        HWND label = GetDlgItem(window, IDC_FIRST_HOUR_LABEL + hour - 8);
        LONG style = GetWindowLongA(label, GWL_EXSTYLE);
        style = hour == now.wHour ? style | WS_EX_STATICEDGE : style & ~WS_EX_STATICEDGE;
        SetWindowLongA(label, GWL_EXSTYLE, style);
        SetWindowPos(label, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    for (int slot = 0; slot < scheduleLineCount; ++slot) {
        bool current = slotHour(slot) == now.wHour && (slotMinute(slot) == 30) == (now.wMinute >= 30);
        HWND label = GetDlgItem(window, IDC_FIRST_MINUTE_LABEL + slot);
        SendMessageA(label, WM_SETFONT, WPARAM(appState.markFonts[current ? markImportant : markPrimary]), FALSE);
        // Hiding and showing again makes the label repaint in its new font.
        ShowWindow(label, SW_HIDE);
        ShowWindow(label, SW_SHOWNORMAL);
    }
}

void addTrayIcon()
{
    NOTIFYICONDATAW data = trayIconRecord();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_ICON;
    data.hIcon = HICON(LoadImageA(appState.instance, MAKEINTRESOURCEA(IDI_APP_SMALL), IMAGE_ICON, 16, 16, LR_SHARED));
    setWideText(data.szTip, appState.caption);
    shellNotifyIconFunction(NIM_ADD, &data);
}

void removeTrayIcon()
{
    NOTIFYICONDATAW data = trayIconRecord();
    shellNotifyIconFunction(NIM_DELETE, &data);
}
