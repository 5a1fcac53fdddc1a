// Times what a subscription's reading costs the window's thread under Wine: a calendar of 5,000 events, read on the
// worker as the program does, placed on the real window and on the year's day files through the keeper; then read
// again with every hundredth event an hour later, and once more unchanged, as a reading every 30 minutes mostly is.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/app_state_win32.h"
#include "app/import_calendar_win32.h"
#include "app/main_window_win32.h"
#include "dates/calendar.h"
#include "icalendar/ical_reader.h"
#include "resources/resource.h"

namespace {

std::string calendar(const SystemTime& today, bool moved)
{
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n";
    for (int i = 0; i < 5000; ++i) {
        SystemTime day = today;
        stepDate(day, i % 365);
        int minute = 8 * 60 + (i * 37) % (10 * 60) + (moved && i % 100 == 1 ? 60 : 0);
        char start[32];
        std::snprintf(start, sizeof start, "%04d%02d%02dT%02d%02d00", day.wYear, day.wMonth, day.wDay, minute / 60,
                      minute % 60);
        file += "BEGIN:VEVENT\r\nUID:" + std::to_string(i) + "@example.com\r\nDTSTAMP:20261120T101500Z\r\nSEQUENCE:" +
                (moved ? "1" : "0") + "\r\nDTSTART:" + start + "\r\nDURATION:PT45M\r\nSUMMARY:Meeting " +
                std::to_string(i) + " with the team\r\nEND:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}

void timeReading(const char* what, const std::string& bytes)
{
    CalendarFile file;
    readCalendarFile(bytes, file);  // on the worker
    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelBefore, &userBefore);
    QueryPerformanceCounter(&start);
    std::string summary = placeCalendar(file, {"https://example.com/work.ics", true});
    QueryPerformanceCounter(&end);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernelAfter, &userAfter);
    auto ticks = [](const FILETIME& t) { return double(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart); };
    double wall = double(end.QuadPart - start.QuadPart) * 1e3 / double(frequency.QuadPart);
    double own = (ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore)) / 1e4;
    std::printf("%s: %.0f ms wall, %.0f of the thread's own; %s\n", what, wall, own,
                summary.substr(0, summary.find('\n')).c_str());
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    appState.instance = GetModuleHandleA(nullptr);
    LoadStringA(appState.instance, IDS_CAPTION, appState.caption, 100);
    CreateDirectoryA("Data", nullptr);
    CreateDialogParamA(appState.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    SystemTime today = toSystemTime(appState.dateShown);
    timeReading("first reading, 5,000 events placed", calendar(today, false));
    timeReading("every hundredth event an hour later", calendar(today, true));
    timeReading("nothing changed", calendar(today, true));
}
