// Drives a running Quillory from outside by its control ids, for the end-to-end tests, the run script and benches.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/wait_for_dialog.h"

namespace {

// Prints every row of another process's list view, its cells split by " | ".
// The list writes its texts into memory of its own process, so the buffer is lent there.
void printRows(HWND list)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(list, &owner);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
    constexpr int width = 300;
    char* lent = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + width, MEM_COMMIT, PAGE_READWRITE));
    int columns = int(SendMessageA(HWND(SendMessageA(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
    int rows = int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    LVITEMA cell{};
    cell.pszText = lent + sizeof cell;
    cell.cchTextMax = width;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            cell.iSubItem = column;
            WriteProcessMemory(process, lent, &cell, sizeof cell, nullptr);
            SendMessageA(list, LVM_GETITEMTEXTA, row, LPARAM(lent));
            char text[width] = "";
            ReadProcessMemory(process, lent + sizeof cell, text, width - 1, nullptr);
            std::printf("%s%s", text, column + 1 < columns ? " | " : "\n");
        }
    VirtualFreeEx(process, lent, 0, MEM_RELEASE);
    CloseHandle(process);
}

// Prints controls of the dialog of that caption, one a line: a check box's state, whether a push button is shown,
// a list view's rows, or else the text.
int readControls(const char* caption, int count, char** ids)
{
    HWND dialog = waitForDialog(caption);
    if (dialog == nullptr) return 1;
    for (int i = 0; i < count; ++i) {
        HWND target = GetDlgItem(dialog, std::atoi(ids[i]));
        char text[1024] = "";
        GetClassNameA(target, text, sizeof text);
        if (lstrcmpiA(text, WC_LISTVIEWA) == 0) {
            printRows(target);
        } else if (lstrcmpiA(text, WC_BUTTONA) == 0) {
            LONG type = GetWindowLongA(target, GWL_STYLE) & BS_TYPEMASK;
            bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
            std::printf("%d\n", int(push ? IsWindowVisible(target) : SendMessageA(target, BM_GETCHECK, 0, 0)));
        } else {
            // GetWindowText gives another process's editor only the caption it was created with.
            // Asked for the wide text and printed as UTF-8, the text of any script comes out whole.
            wchar_t wide[1024] = L"";
            SendMessageW(target, WM_GETTEXT, 1024, LPARAM(wide));
            WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            std::printf("%s\n", text);
        }
    }
    return 0;
}

// Prints the id of the control that has the keyboard focus in the dialog of that caption, or
// nothing while the focus is elsewhere: a dialog is visible a moment before it takes the keys.
int printFocus(const char* caption)
{
    HWND dialog = waitForDialog(caption);
    if (dialog == nullptr) return 1;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread) && IsChild(dialog, thread.hwndFocus))
        std::printf("%d\n", GetDlgCtrlID(thread.hwndFocus));
    return 0;
}

// Sets a control's text in the dialog of that caption, or without a text clicks it; an id
// that names no control there is posted as a command, as a menu item sends it. The dialog
// is one the test has just opened, which a loaded machine can take seconds to show.
int driveDialog(const char* caption, int id, const char* text)
{
    HWND dialog = waitForDialog(caption, 20);
    if (dialog == nullptr) return 1;
    HWND target = GetDlgItem(dialog, id);
    if (target == nullptr) PostMessageA(dialog, WM_COMMAND, id, 0);
    else if (text) SendMessageA(target, WM_SETTEXT, 0, LPARAM(text));
    else PostMessageA(target, BM_CLICK, 0, 0);
    return 0;
}

// Another program, for a while: a window of its own class that bears the program's title.
int beAnotherProgram(int seconds)
{
    CreateWindowA("STATIC", "Quillory", WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    std::printf("held\n");
    std::fflush(stdout);
    for (DWORD until = GetTickCount() + DWORD(seconds) * 1000; GetTickCount() < until; Sleep(20))
        for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    return 0;
}

// Prints a shortcut's target and working folder, one a line, as the shell reads them.
int printShortcut(const char* path)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t name[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, name, MAX_PATH);
    char target[MAX_PATH] = "", folder[MAX_PATH] = "";
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link) != S_OK ||
        link->QueryInterface(IID_IPersistFile, (void**)&file) != S_OK || file->Load(name, STGM_READ) != S_OK)
        return 1;
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetWorkingDirectory(folder, MAX_PATH);
    std::printf("%s\n%s\n", target, folder);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "wait") return waitForDialog("Quillory", 60) ? 0 : 1;
    if (verb == "close") return driveDialog("Quillory", IDCANCEL, nullptr);
    if (verb == "focus" && argc > 2) return printFocus(argv[2]);
    if (verb == "read" && argc > 3) return readControls(argv[2], argc - 3, argv + 3);
    if (verb == "dialog" && argc > 3) return driveDialog(argv[2], std::atoi(argv[3]), argc > 4 ? argv[4] : nullptr);
    if (verb == "hold" && argc > 2) return beAnotherProgram(std::atoi(argv[2]));
    if (verb == "shortcut" && argc > 2) return printShortcut(argv[2]);
    std::fputs("usage: driver wait|close|focus CAPTION|read CAPTION ID...|dialog CAPTION ID [TEXT]|hold SECONDS|"
               "shortcut PATH\n",
               stderr);
    return 2;
}
