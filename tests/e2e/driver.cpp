// Drives a running Quillory from outside, through its control ids, for the end-to-end tests and the run script.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The program's message boxes bear its title too; the main window is the one
// without an owner.
HWND mainWindow()
{
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "#32770", "Quillory")))
        if (GetWindow(found, GW_OWNER) == nullptr) return found;
    return nullptr;
}

// The message box or question the main window shows, waiting for it a while.
HWND waitForMessageBox(HWND window, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        HWND found = nullptr;
        while ((found = FindWindowExA(nullptr, found, "#32770", "Quillory")))
            if (GetWindow(found, GW_OWNER) == window && IsWindowVisible(found)) return found;
        Sleep(100);
    }
    return nullptr;
}

// Presses a button of the main window's message box (IDOK 1, IDYES 6, IDNO 7)
// and waits for the box to go.
int answerMessageBox(HWND window, int button)
{
    HWND box = waitForMessageBox(window, 10);
    if (box == nullptr) {
        std::fputs("no message box\n", stderr);
        return 1;
    }
    HWND control = GetDlgItem(box, button);
    if (control == nullptr) {
        std::fputs("no such button\n", stderr);
        return 1;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(control));
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(100);
    return IsWindow(box) ? 1 : 0;
}

// Prints the text of the main window's message box.
int messageText(HWND window)
{
    HWND box = waitForMessageBox(window, 10);
    if (box == nullptr) return 1;
    char text[1024] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    std::printf("%s\n", text);
    return 0;
}

HWND waitForDialog(const char* caption)
{
    HWND dialog = nullptr;
    for (int i = 0; i < 100 && !(dialog = FindWindowA("#32770", caption)); ++i) Sleep(50);
    return dialog;
}

// Prints the text of a control of the dialog of that caption; of a list view,
// every row, its cells split by " | ". The list writes its texts into memory
// of its own process, so the buffer is lent there.
int readDialog(const char* caption, int id)
{
    HWND dialog = waitForDialog(caption);
    if (dialog == nullptr) return 1;
    HWND target = GetDlgItem(dialog, id);
    char className[32] = "";
    GetClassNameA(target, className, sizeof className);
    if (lstrcmpiA(className, WC_LISTVIEWA) != 0) {
        char text[1024] = "";
        SendMessageA(target, WM_GETTEXT, sizeof text, LPARAM(text));
        std::printf("%s\n", text);
        return 0;
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(target, &owner);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
    constexpr int width = 300;
    char* lent = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + width, MEM_COMMIT, PAGE_READWRITE));
    int columns = int(SendMessageA(HWND(SendMessageA(target, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
    int rows = int(SendMessageA(target, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            LVITEMA cell{};
            cell.iSubItem = column;
            cell.pszText = lent + sizeof cell;
            cell.cchTextMax = width;
            WriteProcessMemory(process, lent, &cell, sizeof cell, nullptr);
            SendMessageA(target, LVM_GETITEMTEXTA, row, LPARAM(lent));
            char text[width] = "";
            ReadProcessMemory(process, lent + sizeof cell, text, width - 1, nullptr);
            std::printf("%s%s", text, column + 1 < columns ? " | " : "\n");
        }
    VirtualFreeEx(process, lent, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

// Milliseconds from the Find command until the list answers the first text typed.
int timeFind(HWND window, const char* typed)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PostMessageA(window, WM_COMMAND, 32810, 0);
    HWND dialog = waitForDialog("Find");
    if (dialog == nullptr) return 1;
    SendMessageA(GetDlgItem(dialog, 1300), WM_SETTEXT, 0, LPARAM(typed));
    char count[200] = "";
    while (!std::strstr(count, "atch")) {  // "1 match", "No match", "17 matches", not "Reading..."
        Sleep(1);
        SendMessageA(GetDlgItem(dialog, 1302), WM_GETTEXT, sizeof count, LPARAM(count));
    }
    QueryPerformanceCounter(&now);
    std::printf("%.0f ms: %s\n", double(now.QuadPart - start.QuadPart) * 1000 / double(frequency.QuadPart), count);
    return 0;
}

HWND waitForMainWindow(int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (HWND w = mainWindow(); w && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

HWND control(HWND window, const char* id)
{
    return GetDlgItem(window, std::atoi(id));
}

// Another program holding files open without sharing, for a while.
int holdFiles(int seconds, int count, char** paths)
{
    for (int i = 0; i < count; ++i)
        if (CreateFileA(paths[i], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) == INVALID_HANDLE_VALUE)
            return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(DWORD(seconds) * 1000);
    return 0;
}

// Sets a control's text in the dialog of that caption, or without a text clicks it.
int driveDialog(const char* caption, int id, const char* text)
{
    HWND dialog = nullptr;
    for (int i = 0; i < 50 && !(dialog = FindWindowA("#32770", caption)); ++i) Sleep(100);
    if (dialog == nullptr) return 1;
    if (text) SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, LPARAM(text));
    else PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    return 0;
}

int usage()
{
    std::fputs("usage: driver wait|close|size|decoy SECONDS|text ID|checked ID|readonly ID|"
               "settext ID TEXT|command ID|click ID|focused|setfocus ID|message|answer BUTTON_ID|\n"
               "hold SECONDS FILE...|dialog CAPTION ID [TEXT]|read CAPTION ID|timefind TEXT\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return usage();
    std::string verb = argv[1];
    if (verb == "decoy") {
        // A top-level window of another class that bears the program's title.
        WNDCLASSA decoyClass{};
        decoyClass.lpfnWndProc = DefWindowProcA;
        decoyClass.hInstance = GetModuleHandleA(nullptr);
        decoyClass.lpszClassName = "QuilloryDecoy";
        RegisterClassA(&decoyClass);
        CreateWindowA("QuilloryDecoy", "Quillory", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                      nullptr, nullptr, decoyClass.hInstance, nullptr);
        DWORD until = GetTickCount() + DWORD(argc > 2 ? std::atoi(argv[2]) : 10) * 1000;
        MSG msg;
        while (GetTickCount() < until) {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(20);
        }
        return 0;
    }
    if (verb == "hold" && argc > 3) return holdFiles(std::atoi(argv[2]), argc - 3, argv + 3);
    if (verb == "dialog" && argc > 3) return driveDialog(argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : nullptr);
    if (verb == "read" && argc > 3) return readDialog(argv[2], std::atoi(argv[3]));
    HWND window = waitForMainWindow(verb == "wait" ? 60 : 5);
    if (!window) {
        std::fputs("no Quillory window\n", stderr);
        return 1;
    }
    if (verb == "wait") return 0;
    if (verb == "close") {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        for (int i = 0; i < 100 && IsWindow(window); ++i) Sleep(100);
        return IsWindow(window) ? 1 : 0;
    }
    if (verb == "size") {
        RECT client;
        GetClientRect(window, &client);
        std::printf("%ldx%ld\n", client.right, client.bottom);
        return 0;
    }
    if (verb == "focused") {
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
        return 0;
    }
    if (verb == "message") return messageText(window);
    if (verb == "timefind" && argc > 2) return timeFind(window, argv[2]);
    if (argc < 3) return usage();
    if (verb == "answer") return answerMessageBox(window, std::atoi(argv[2]));
    HWND target = control(window, argv[2]);
    if (verb == "text") {
        char text[1024] = "";
        // GetWindowText on another process's window gives only the caption it
        // was created with, not an editor's current text.
        SendMessageA(target, WM_GETTEXT, sizeof text, LPARAM(text));
        std::printf("%s\n", text);
    } else if (verb == "checked") {
        std::printf("%d\n", int(SendMessageA(target, BM_GETCHECK, 0, 0)));
    } else if (verb == "readonly") {
        std::printf("%d\n", (GetWindowLongA(target, GWL_STYLE) & ES_READONLY) ? 1 : 0);
    } else if (verb == "settext" && argc > 3) {
        SendMessageA(target, WM_SETTEXT, 0, LPARAM(argv[3]));
    } else if (verb == "click") {
        PostMessageA(target, BM_CLICK, 0, 0);
    } else if (verb == "command") {
        PostMessageA(window, WM_COMMAND, std::atoi(argv[2]), 0);
    } else if (verb == "setfocus") {
        // Focus belongs to the program's thread; the dialog moves it on request.
        PostMessageA(window, WM_NEXTDLGCTL, WPARAM(target), TRUE);
    } else {
        return usage();
    }
    return 0;
}
