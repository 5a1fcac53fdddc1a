// Drives a running Quillory from outside, through its control ids, for the end-to-end tests and the run script.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HWND mainWindow()
{
    return FindWindowA("#32770", "Quillory");
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

int usage()
{
    std::fputs("usage: driver wait|close|decoy SECONDS|text ID|checked ID|readonly ID|"
               "command ID|focused|setfocus ID\n", stderr);
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
    if (verb == "focused") {
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
        return 0;
    }
    if (argc < 3) return usage();
    HWND target = control(window, argv[2]);
    if (verb == "text") {
        // Another process's GetWindowText reads only the stored title, not an edit's text.
        char text[1024] = "";
        SendMessageA(target, WM_GETTEXT, sizeof text, LPARAM(text));
        std::printf("%s\n", text);
    } else if (verb == "checked") {
        std::printf("%d\n", int(SendMessageA(target, BM_GETCHECK, 0, 0)));
    } else if (verb == "readonly") {
        std::printf("%d\n", (GetWindowLongA(target, GWL_STYLE) & ES_READONLY) ? 1 : 0);
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
