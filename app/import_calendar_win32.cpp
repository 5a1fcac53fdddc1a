// Calendar files onto the pages: the file read and planned by the core, the day shown changed in the window,
// the other days through the keeper, as any change.
#include "app/import_calendar_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "app/app_state_win32.h"
#include "app/calendar_file_win32.h"
#include "app/day_lines_win32.h"
#include "app/undo_win32.h"
#include "day/day_file.h"
#include "storage/file_stamp.h"
#include "app/locale_text_win32.h"
#include "icalendar/ical_reader.h"
#include "icalendar/import_plan.h"
#include "icalendar/follow_events.h"
#include "icalendar/place_on_days.h"
#include "resources/resource.h"

namespace {

// A zone by its Windows name, as the registry keeps it: the rules of that
// year where the zone changed them over the years, else its present ones.
bool windowsZoneByName(std::string_view windowsName, int year, ZoneRules& rules)
{
    struct {
        LONG bias;
        LONG standardBias;
        LONG daylightBias;
        SYSTEMTIME standardDate;
        SYSTEMTIME daylightDate;
    } stored{};
    std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + std::string(windowsName);
    std::string yearName = std::to_string(year);
    DWORD size = sizeof stored;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, (key + "\\Dynamic DST").c_str(), yearName.c_str(), RRF_RT_REG_BINARY,
                     nullptr, &stored, &size) != ERROR_SUCCESS || size != sizeof stored) {
        size = sizeof stored;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "TZI", RRF_RT_REG_BINARY, nullptr, &stored, &size) !=
                ERROR_SUCCESS ||
            size != sizeof stored)
            return false;
    }
    rules = {int32_t(stored.bias), int32_t(stored.standardBias), int32_t(stored.daylightBias),
             toSystemTime(stored.standardDate), toSystemTime(stored.daylightDate)};
    return true;
}

}  // namespace

// The window is the day shown's live copy; saving as you type writes it.
DayPlacement importIntoShownDay(const DayImport& day)
{
    if (appState.storedDay.unreadable) return nothingPlaced(day);
    DayPage page, before;
    gatherDayPage(page);
    before = page;
    DayPlacement placement = changePage(page, day);
    if (firstChangedLine(page, before) >= 0) showDayPage(page);
    return placement;
}

DayPlacement importIntoDay(const DayImport& day)
{
    return placeOnOtherDays({day}, {appState.computer, toSystemTime(localTime())}).front();
}

void importCalendarFile(const std::string& path)
{
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    std::string bytes;
    CalendarFile file;
    // Too large a file is not read at all.
    if (fileStamp(path.c_str()).size > maxCalendarFileBytes || readWholeFile(path.c_str(), bytes) != ReadResult::read ||
        readCalendarFile(bytes, file) != CalendarFileCheck::read) {
        showMessage(appState.mainWindow, (name + " is not a calendar file Quillory can read.").c_str(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    showMessage(appState.mainWindow, placeCalendar(file, {}).c_str(), MB_OK | MB_ICONINFORMATION);
}

std::string placeCalendar(const CalendarFile& file, const FollowSettings& follow)
{
    SystemTime now = toSystemTime(localTime());
    // The day shown changes as one step of Undo, the other days through the keeper.
    takeUndoStep();
    CalendarImport done = importCalendar(file, {{now.wYear, now.wMonth, 0, now.wDay}, calendarZoneRules, windowsZoneByName},
                                         follow, toSystemTime(appState.dateShown), importIntoShownDay,
                                         {appState.computer, now});
    takeUndoStep();
    std::vector<SYSTEMTIME> written;
    for (const SystemTime& day : done.written) written.push_back(toSYSTEMTIME(day));
    calendarDaysChanged(written);
    return done.summary;
}

void chooseCalendarFile()
{
    char path[MAX_PATH * 4] = "";
    OPENFILENAMEA choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = appState.mainWindow;
    choice.lpstrFilter = "Calendar files (*.ics)\0*.ics\0All files (*.*)\0*.*\0";
    choice.lpstrFile = path;
    choice.nMaxFile = sizeof path;
    choice.lpstrTitle = "Import calendar file";
    // The working folder holds Data: the dialog must not move it.
    choice.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (GetOpenFileNameA(&choice)) importCalendarFile(path);
}

std::string calendarFileArgument()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string path;
    if (arguments && count >= 2 && lstrcmpW(arguments[1], L"-autorun") != 0 && lstrcmpiW(arguments[1], L"/add") != 0) {
        wchar_t whole[MAX_PATH * 4];
        DWORD length = GetFullPathNameW(arguments[1], MAX_PATH * 4, whole, nullptr);
        if (length > 0 && length < MAX_PATH * 4) path = fromWide(whole);
    }
    LocalFree(arguments);
    return path;
}
