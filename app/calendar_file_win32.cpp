// Keeping Quillory.ics in step: the days read after the window is up, then the days shown looked at every second.
#include "app/calendar_file_win32.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/app_state_win32.h"
#include "app/options_win32.h"
#include "storage/file_store.h"
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
bool planPending = false;  // the days are listed at the first slice, once the window is up

// Writing a file of some megabytes, flushed to the disk, takes the window
// longer than a frame: a thread of its own writes the latest bytes handed to
// it, and the window hears of a failure at its next tick.
struct CalendarWriter {
    std::mutex mutex;
    std::condition_variable wake;
    std::shared_ptr<const std::string> pending;
    bool stopping = false;
    DWORD failure = 0;  // the error of a write that failed, not yet told
    std::thread thread;
};
CalendarWriter writer;

void writeInTheBackground()
{
    std::unique_lock lock(writer.mutex);
    for (;;) {
        writer.wake.wait(lock, [] { return writer.pending || writer.stopping; });
        if (!writer.pending) return;
        std::shared_ptr<const std::string> bytes = std::move(writer.pending);
        lock.unlock();
        bool written = writeFileAtomically(calendarFilePath, bytes->data(), bytes->size());
        DWORD error = written ? 0 : std::max<DWORD>(GetLastError(), 1);
        lock.lock();
        if (!written) writer.failure = error;
    }
}

void handToWriter(std::shared_ptr<const std::string> bytes)
{
    if (!writer.thread.joinable()) {
        writer.stopping = false;
        writer.thread = std::thread(writeInTheBackground);
    }
    std::lock_guard lock(writer.mutex);
    writer.pending = std::move(bytes);
    writer.wake.notify_one();
}

// Waits for the last bytes handed over to be written.
void stopWriter()
{
    if (!writer.thread.joinable()) return;
    {
        std::lock_guard lock(writer.mutex);
        writer.stopping = true;
        writer.wake.notify_one();
    }
    writer.thread.join();
}

SystemTime today()
{
    SystemTime now = toSystemTime(localTime());
    return {now.wYear, now.wMonth, 0, now.wDay};
}

bool isToday(const SystemTime& date)
{
    return isSameDay(date, today());
}

void planFromFolder()
{
    std::string found;
    bool exists = readWholeFile(calendarFilePath, found) == ReadResult::read;
    feed.zone = calendarZoneRules;
    feed.version = QUILLORY_VERSION_TEXT;
    planFeed(feed, today(), listFolder(".\\Data"), std::move(found), exists);
}

std::string errorText(DWORD error)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string reason = text ? text : "Error " + std::to_string(error) + ".";
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

// A failure is told once a run; the file is written again at the next tick.
void tellFailure(DWORD error)
{
    feed.written = nullptr;
    if (failureTold) return;
    failureTold = true;
    std::string text = "Quillory.ics could not be written. " + errorText(error);
    showMessage(appState.mainWindow, text.c_str(), MB_OK | MB_ICONERROR);
}

void writeChange()
{
    if (auto bytes = takeCalendarChange(feed)) handToWriter(std::move(bytes));
}

void tellWriterFailure()
{
    DWORD failure;
    {
        std::lock_guard lock(writer.mutex);
        failure = writer.failure;
        writer.failure = 0;
    }
    if (failure) tellFailure(failure);
}

void beginReading()
{
    planPending = true;
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
    if (planPending) planFromFolder();
    planPending = false;
    while (std::chrono::steady_clock::now() < end && readNextFeedDay(feed)) {
    }
    if (!isFeedRead(feed)) return;
    KillTimer(appState.mainWindow, calendarReadTimer);
    writeChange();
}

void watchCalendarDay(const SYSTEMTIME& date)
{
    if (appState.calendarFile) watchFeedDay(feed, toSystemTime(date));
}

void keepCalendarInStep()
{
    if (!appState.calendarFile || planPending || !isFeedRead(feed)) return;
    // A new day moves the ninety days on and drops yesterday's to-dos; days
    // changed elsewhere meanwhile come in with the fresh listing.
    if (!isToday(feed.today)) {
        beginReading();
        return;
    }
    tellWriterFailure();
    watchCalendarDay(appState.dateShown);
    // A write that failed has forgotten its bytes: it is tried again at each tick.
    if (refreshWatchedDays(feed) || !feed.written) writeChange();
}

// An import changes days by the hundred: each is read again now, and the
// file written once.
void calendarDaysChanged(const std::vector<SYSTEMTIME>& days)
{
    if (!appState.calendarFile || planPending) return;
    bool changed = false;
    for (const SYSTEMTIME& day : days) changed = refreshFeedDay(feed, toSystemTime(day)) || changed;
    if (changed) writeChange();
}

void stopCalendarFile()
{
    KillTimer(appState.mainWindow, calendarReadTimer);
    // The day saved as the window goes is in the file too.
    if (appState.calendarFile && !planPending && feed.zone && isFeedRead(feed)) {
        watchCalendarDay(appState.dateShown);
        if (refreshWatchedDays(feed)) writeChange();
    }
    planPending = false;
    stopWriter();
    feed = CalendarFeed{};
}

void toggleCalendarFile()
{
    appState.calendarFile = !appState.calendarFile;
    checkMenuItem();
    writeOptions();
    stopCalendarFile();
    if (!appState.calendarFile) return;
    // Written here and now, to say how it went.
    planFromFolder();
    while (readNextFeedDay(feed)) {
    }
    watchCalendarDay(appState.dateShown);
    failureTold = false;  // the user asked for it: a failure is told again
    if (writeCalendarFile(feed) == FeedWrite::failed) {
        tellFailure(GetLastError());
        return;
    }
    showMessage(appState.mainWindow,
                "Quillory.ics is kept beside the Data folder. A calendar that subscribes to this file shows your "
                "schedule.",
                MB_OK | MB_ICONINFORMATION);
}
