// Times the main window's start under Wine against its own template shown under an empty dialog procedure,
// and a DPI change redrawn. Run in an empty folder: the program's start reads and writes its files there.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/app_state_win32.h"
#include "app/main_window_win32.h"
#include "resources/resource.h"

namespace {

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) * 1000 / double(frequency.QuadPart);
}

INT_PTR CALLBACK emptyProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void pump()
{
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
}

// Milliseconds until the window is drawn on screen, the median of several starts.
double shownAfter(DLGPROC procedure)
{
    std::vector<double> times;
    for (int round = 0; round < 15; ++round) {
        double start = now();
        HWND window = CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, procedure, 0);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        GdiFlush();
        times.push_back(now() - start);
        DestroyWindow(window);
        pump();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    appState.instance = GetModuleHandleA(nullptr);
    LoadStringA(appState.instance, IDS_CAPTION, appState.caption, 100);
    shownAfter(emptyProcedure);  // the first start loads what every later one finds ready
    double empty = shownAfter(emptyProcedure);
    double program = shownAfter(MainDialogProc);
    std::printf("window shown: %.1f ms; its template under an empty procedure: %.1f ms; %.2f times\n", program, empty,
                program / empty);

    HWND window = CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    std::vector<double> changes;
    for (int round = 0; round < 10; ++round)
        for (UINT dpi : {144u, 96u}) {
            RECT frame;
            GetWindowRect(window, &frame);
            double factor = dpi == 144 ? 1.5 : 2.0 / 3;
            RECT suggested{frame.left, frame.top, frame.left + LONG((frame.right - frame.left) * factor),
                           frame.top + LONG((frame.bottom - frame.top) * factor)};
            double start = now();
            SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
            UpdateWindow(window);
            GdiFlush();
            changes.push_back(now() - start);
        }
    std::sort(changes.begin(), changes.end());
    std::printf("a DPI change redrawn: %.1f ms (median of %zu), %.1f ms at most\n", changes[changes.size() / 2],
                changes.size(), changes.back());
    // What drawing the whole window again costs by itself, for comparison.
    std::vector<double> repaints;
    for (int round = 0; round < 10; ++round) {
        double start = now();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        repaints.push_back(now() - start);
    }
    std::sort(repaints.begin(), repaints.end());
    std::printf("the whole window drawn again, nothing changed: %.1f ms (median)\n", repaints[repaints.size() / 2]);
    DestroyWindow(window);
    return 0;
}
