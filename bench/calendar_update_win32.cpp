// Times keeping Quillory.ics under Wine, in a folder that holds Data: reading the days after start-up, and one
// update of the file after a day changed, on the window thread and on the thread that writes it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "dates/calendar.h"
#include "day/day_file.h"
#include "storage/file_store.h"
#include "icalendar/calendar_feed.h"
#include "tests/common/saved_files.h"

namespace {

// The user's zone as the program asks for it: once a year.
ZoneRules userZone(int year)
{
    static ZoneRules rules[2];
    static int known[2] = {-1, -1};
    if (known[year & 1] != year) {
        TIME_ZONE_INFORMATION zone{};
        GetTimeZoneInformationForYear(USHORT(year), nullptr, &zone);
        rules[year & 1] = {int32_t(zone.Bias), int32_t(zone.StandardBias), int32_t(zone.DaylightBias), {}, {}};
        known[year & 1] = year;
    }
    return rules[year & 1];
}

double milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000 / double(frequency.QuadPart);
}

double threadMilliseconds()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return double(ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart); };
    return (ticks(kernel) + ticks(user)) / 1e4;
}

}  // namespace

// The folder's days are taken as they are; today is the date given (YYYY MM DD), else the real one.
int main(int argc, char** argv)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SystemTime today{now.wYear, now.wMonth, 0, now.wDay};
    if (argc == 4) today = {uint16_t(atoi(argv[1])), uint16_t(atoi(argv[2])), 0, uint16_t(atoi(argv[3]))};
    CalendarFeed feed;
    feed.zone = userZone;
    feed.version = "bench";
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    planFeed(feed, today, listFolder(".\\Data"), "", false);
    while (readNextFeedDay(feed)) {}
    writeCalendarFile(feed);
    QueryPerformanceCounter(&end);
    std::printf("read %zu days and wrote the file: %.1f ms\n", feed.days.size(), milliseconds(start, end));

    SystemTime tomorrow = today;
    stepDate(tomorrow, 1);
    watchFeedDay(feed, tomorrow);
    DayPage page;
    readDayPage(tomorrow, page);
    // The window thread reads the day again and composes the file; the writer thread writes it.
    const int rounds = 20;
    double wall = 0, thread = 0, writing = 0;
    for (int i = 0; i < rounds; ++i) {
        page.lines[0].text[0] = char('A' + i);
        saveDayPage(page, tomorrow);
        double before = threadMilliseconds();
        QueryPerformanceCounter(&start);
        refreshWatchedDays(feed);
        auto bytes = takeCalendarChange(feed);
        QueryPerformanceCounter(&end);
        thread += threadMilliseconds() - before;
        wall += milliseconds(start, end);
        start = end;
        writeFileAtomically(calendarFilePath, bytes->data(), bytes->size());
        QueryPerformanceCounter(&end);
        writing += milliseconds(start, end);
    }
    std::printf("one day changed, a file of %zu bytes: the window thread %.2f ms of its own time, %.2f ms wall clock;"
                " the writer thread %.2f ms wall clock\n",
                feed.written->size(), thread / rounds, wall / rounds, writing / rounds);
    return 0;
}
