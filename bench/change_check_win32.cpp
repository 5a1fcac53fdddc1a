// Times the once-a-second checks on the real main window under Wine, when nothing changed:
// gathering the full page shown and comparing it with the page last saved, and looking
// at the stamps of the four files watched for changes made elsewhere; and a full day
// page read as the window reads it, against its bytes read raw.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>
#include <string>

#include "app/app_state_win32.h"
#include "app/main_window_win32.h"
#include "day/day_file.h"
#include "app/day_lines_win32.h"
#include "app/day_view_win32.h"
#include "storage/file_stamp.h"
#include "app/directory_list_win32.h"
#include "resources/resource.h"
#include "tests/common/saved_files.h"

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    appState.instance = GetModuleHandleA(nullptr);
    LoadStringA(appState.instance, IDS_CAPTION, appState.caption, 100);
    HWND window = CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);

    DayPage full;
    for (int i = 0; i < dayLineCount; ++i) {
        setLineText(full.lines[i], std::string(259, char('a' + i % 26)).c_str());
        full.lines[i].done = i < firstNoteLine && i % 2;
    }
    showDayPage(full);
    gatherDayPage(appState.storedDay.page);

    // Wall time counts whatever else the machine runs; the thread's own time does not.
    const int rounds = 2000;
    LARGE_INTEGER frequency, start, end;
    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    QueryPerformanceFrequency(&frequency);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    QueryPerformanceCounter(&start);
    bool same = true;
    for (int i = 0; i < rounds; ++i) {
        DayPage page;
        gatherDayPage(page);
        same = firstChangedLine(appState.storedDay.page, page) < 0 && same;
    }
    QueryPerformanceCounter(&end);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);
    auto ticks = [](const FILETIME& t) { return double(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart); };
    double wall = double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) / rounds;
    double cpu = (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore)) / 10 / rounds;
    std::printf("change check, full page, unchanged: %.1f microseconds wall, %.1f of the thread's own (%s)\n", wall,
                cpu, same ? "no change seen" : "CHANGE SEEN");

    // The day file and the three directory files exist, as they would in use,
    // and have been read: each tick then only looks at their stamps.
    saveDayPage(full, toSystemTime(appState.dateShown));
    for (const DirectoryFile* file : {&contactsFile, &templatesFile, &periodicTasksFile})
        saveDirectory(*file, appState.templates);
    loadDayPage();
    loadDirectoryFiles();
    std::string day = dayFilePath(toSystemTime(appState.dateShown));
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i) {
        same = nextKeepStep(appState.storedDay, day.c_str(), fileStamp(day.c_str()), KeepOccasion::tick, false) ==
                   KeepStep::nothing &&
               same;
        keepDirectories(KeepOccasion::tick);
    }
    QueryPerformanceCounter(&end);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);
    wall = double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) / rounds;
    cpu = (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore)) / 10 / rounds;
    std::printf("watching four files, unchanged: %.1f microseconds wall, %.1f of the thread's own (%s)\n", wall, cpu,
                same ? "no change seen" : "CHANGE SEEN");
    // A full day page read as the window reads it, against its bytes read raw:
    // what the reading adds to the file system's own cost.
    auto timed = [&](auto&& read) {
        std::vector<double> times;
        for (int i = 0; i < 200; ++i) {
            QueryPerformanceCounter(&start);
            read();
            QueryPerformanceCounter(&end);
            times.push_back(double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart));
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    double page = timed([&] {
        DayPage read;
        readDayPage(toSystemTime(appState.dateShown), read);
    });
    double raw = timed([&] {
        HANDLE file = CreateFileA(day.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        static char bytes[65536];
        DWORD got = 0;
        ReadFile(file, bytes, sizeof bytes, &got, nullptr);
        CloseHandle(file);
    });
    std::printf("a full day page read: %.0f microseconds; its bytes read raw: %.0f; %.2f times (medians)\n", page, raw,
                page / raw);
    // Ends without closing the window: closing would save the page and the options.
    std::fflush(stdout);
    ExitProcess(same ? 0 : 1);
    (void)window;
}
