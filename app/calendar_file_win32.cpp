// Keeping Quillory.ics in step: the days read after the window is up, then the days shown looked at every second.
#include "app/calendar_file_win32.h"

#include <chrono>
#include <map>
#include <string>

#include "app/app_state_win32.h"
#include "app/commands_win32.h"
#include "day/file_store.h"
#include "icalendar/calendar_feed.h"
#include "resources/resource.h"
#include "version.h"

namespace {

ZoneRules windowsZoneRules(int year)
{
    // Asked once a year and run: every item asks, and the platform reads the registry.
    static std::map<int, ZoneRules> years;
    auto known = years.find(year);
    if (known != years.end()) return known->second;
    TIME_ZONE_INFORMATION zone{};
    if (!GetTimeZoneInformationForYear(USHORT(year), nullptr, &zone)) GetTimeZoneInformation(&zone);
    ZoneRules rules{int32_t(zone.Bias), int32_t(zone.StandardBias), int32_t(zone.DaylightBias),
                    toSystemTime(zone.StandardDate), toSystemTime(zone.DaylightDate)};
    return years[year] = rules;
}

CalendarFeed feed;
bool failureTold = false;

SystemTime today()
{
    SystemTime now = toSystemTime(localTime());
    return {now.wYear, now.wMonth, 0, now.wDay};
}

bool isToday(const SystemTime& date)
{
    SystemTime now = today();
    return date.wYear == now.wYear && date.wMonth == now.wMonth && date.wDay == now.wDay;
}

void planFromFolder()
{
    std::string found;
    bool exists = readWholeFile(calendarFilePath, found) == ReadResult::read;
    feed.zone = calendarZoneRules;
    feed.version = QUILLORY_VERSION_TEXT;
    planFeed(feed, today(), listFolder(".\\Data"), std::move(found), exists);
}

std::string lastErrorText()
{
    DWORD error = GetLastError();
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = text ? text : "Error " + std::to_string(error) + ".";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// A failure is told once a run; the file is tried again at the next change.
FeedWrite writeFeed()
{
    FeedWrite result = writeCalendarFile(feed);
    if (result == FeedWrite::failed && !failureTold) {
        failureTold = true;
        std::string text = "Quillory.ics could not be written. " + lastErrorText();
        showMessage(appState.mainWindow, text.c_str(), MB_OK | MB_ICONERROR);
    }
    return result;
}

void beginReading()
{
    planFromFolder();
    SetTimer(appState.mainWindow, calendarReadTimer, USER_TIMER_MINIMUM, nullptr);
}

void checkMenuItem()
{
    CheckMenuItem(GetMenu(appState.mainWindow), IDM_CALENDAR_FILE,
                  MF_BYCOMMAND | (appState.calendarFile ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

ZoneRulesForYear calendarZoneRules = windowsZoneRules;

void startCalendarFile()
{
    feed = CalendarFeed{};
    failureTold = false;
    checkMenuItem();
    if (appState.calendarFile) beginReading();
}

void readCalendarDaysSlice()
{
    // A slice short enough that a key pressed meanwhile is answered within a frame.
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(8);
    while (std::chrono::steady_clock::now() < end && readNextFeedDay(feed)) {
    }
    if (!isFeedRead(feed)) return;
    KillTimer(appState.mainWindow, calendarReadTimer);
    writeFeed();
}

void watchCalendarDay(const SYSTEMTIME& date)
{
    if (appState.calendarFile) watchFeedDay(feed, toSystemTime(date));
}

void keepCalendarInStep()
{
    if (!appState.calendarFile) return;
    if (!isFeedRead(feed)) return;
    // A new day moves the ninety days on and drops yesterday's to-dos; days
    // changed elsewhere meanwhile come in with the fresh listing.
    if (!isToday(feed.today)) {
        beginReading();
        return;
    }
    watchCalendarDay(appState.dateShown);
    if (refreshWatchedDays(feed)) writeFeed();
}

void toggleCalendarFile()
{
    appState.calendarFile = !appState.calendarFile;
    checkMenuItem();
    writeOptions();
    KillTimer(appState.mainWindow, calendarReadTimer);
    if (!appState.calendarFile) {
        feed = CalendarFeed{};
        return;
    }
    planFromFolder();
    while (readNextFeedDay(feed)) {
    }
    watchCalendarDay(appState.dateShown);
    failureTold = false;  // the user asked for it: a failure is told again
    if (writeFeed() == FeedWrite::failed) return;
    showMessage(appState.mainWindow,
                "Quillory.ics is kept beside the Data folder. A calendar that subscribes to this file shows your "
                "schedule.",
                MB_OK | MB_ICONINFORMATION);
}
