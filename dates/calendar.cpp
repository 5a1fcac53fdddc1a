// Gregorian calendar rules on SystemTime dates.
#include "dates/calendar.h"

#include <chrono>

namespace {

std::chrono::year_month_day toCalendar(const SystemTime& date)
{
    return std::chrono::year{date.wYear} / std::chrono::month{date.wMonth} /
           std::chrono::day{date.wDay};
}

bool isCalendarYear(int year)
{
    return year >= firstCalendarYear && year <= lastCalendarYear;
}

bool isLeapYear(int year)
{
    return (year % 100 != 0 && year % 4 == 0) || year % 400 == 0;
}

}  // namespace

int monthDayCount(int year, int month)
{
    switch (month) {
    case 2: return isLeapYear(year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
    }
}

bool isValidDate(const SystemTime& date)
{
    return isCalendarYear(date.wYear) && date.wMonth >= 1 && date.wMonth <= 12 && date.wDay >= 1 &&
           date.wDay <= monthDayCount(date.wYear, date.wMonth);
}

int weekday(const SystemTime& date)
{
    if (!isValidDate(date)) return -1;
    return int(std::chrono::weekday{std::chrono::sys_days{toCalendar(date)}}.c_encoding());
}

bool stepDate(SystemTime& date, int days)
{
    using namespace std::chrono;
    if (!isValidDate(date)) return false;
    // Bounds are checked on the day count: year_month_day keeps its year in a
    // short, so a far move would wrap round into the calendar instead of failing.
    constexpr sys_days first{year{firstCalendarYear} / January / 1};
    constexpr sys_days last{year{lastCalendarYear} / December / 31};
    sys_days moved = sys_days{toCalendar(date)} + std::chrono::days{days};
    if (moved < first || moved > last) return false;
    year_month_day result{moved};
    date.wYear = uint16_t(int(result.year()));
    date.wMonth = uint16_t(unsigned(result.month()));
    date.wDay = uint16_t(unsigned(result.day()));
    return true;
}

SystemTime oneSecondLater(SystemTime time)
{
    if (++time.wSecond < 60) return time;
    time.wSecond = 0;
    if (++time.wMinute < 60) return time;
    time.wMinute = 0;
    if (++time.wHour < 24) return time;
    time.wHour = 0;
    stepDate(time, 1);
    return time;
}
