// What reaches the window from outside, in the order it came, and the hidden window another copy sends it to.
#include "app/inbox_win32.h"

#include <cstring>
#include <deque>

#include "app/app_state_win32.h"
#include "app/import_calendar_win32.h"
#include "app/quick_add_win32.h"
#include "resources/resource.h"

namespace {

const char inboxClass[] = "Quillory.Inbox";
const UINT bringForward = WM_APP + 1;

struct Arrival {
    ULONG_PTR kind;
    std::string text;
};

std::deque<Arrival> arrivals;
HWND inbox = nullptr;

bool onCopyData(const COPYDATASTRUCT* data)
{
    if ((data->dwData != calendarPathData && data->dwData != quickAddData) || data->cbData == 0) return false;
    const char* text = static_cast<const char*>(data->lpData);
    receive(data->dwData, std::string(text, strnlen(text, data->cbData)));
    return true;
}

// Whatever is open over the window is what the user has to answer first.
void comeForward()
{
    HWND window = appState.mainWindow;
    if (window == nullptr) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(window));
}

// The sender waits for the answer, so nothing is done here but taking it in.
LRESULT CALLBACK InboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA: return onCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case bringForward: comeForward(); return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void handle(const Arrival& arrival)
{
    if (arrival.kind == calendarPathData) {
        importCalendarFile(arrival.text);
        return;
    }
    // A line that finds no free line is told, and kept in the message.
    std::string problem;
    if (!addQuickLine(arrival.text, problem))
        showMessage(appState.mainWindow, (problem + "\n\n" + arrival.text).c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

void openInbox()
{
    WNDCLASSA inboxKind{};
    inboxKind.lpfnWndProc = InboxProc;
    inboxKind.hInstance = appState.instance;
    inboxKind.lpszClassName = inboxClass;
    RegisterClassA(&inboxKind);  // fails harmlessly when a window before this one registered it
    inbox = CreateWindowExA(0, inboxClass, appState.caption, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, appState.instance,
                            nullptr);
}

void closeInbox()
{
    if (inbox) DestroyWindow(inbox);
    inbox = nullptr;
}

HWND inboxWindow()
{
    return inbox;
}

HWND runningCopy()
{
    return FindWindowExA(HWND_MESSAGE, nullptr, inboxClass, appState.caption);
}

void bringRunningCopyForward(HWND running)
{
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    // This copy was just started by the user and may hand the front on.
    AllowSetForegroundWindow(process);
    DWORD_PTR ignored;
    SendMessageTimeoutA(running, bringForward, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

bool passToRunningCopy(HWND running, ULONG_PTR kind, const std::string& text)
{
    COPYDATASTRUCT data{kind, DWORD(text.size() + 1), const_cast<char*>(text.c_str())};
    DWORD_PTR taken = 0;
    return SendMessageTimeoutA(running, WM_COPYDATA, 0, LPARAM(&data), SMTO_ABORTIFHUNG, 5000, &taken) && taken;
}

void receive(ULONG_PTR kind, const std::string& text)
{
    arrivals.push_back({kind, text});
    if (appState.mainWindow) PostMessageA(appState.mainWindow, WM_ARRIVED, 0, 0);
}

void handleArrivals()
{
    // Each import ends in a message. What comes while it is open finds the
    // window busy and waits in line; this loop takes it once the message is closed.
    while (!arrivals.empty() && appState.mainWindow && !messageBoxOpen() && IsWindowEnabled(appState.mainWindow)) {
        Arrival next = arrivals.front();
        arrivals.pop_front();
        handle(next);
    }
}
