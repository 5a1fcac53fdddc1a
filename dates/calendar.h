// Gregorian calendar rules on SystemTime dates: validity, month length, weekday, stepping.
#pragma once

#include <cstdint>

// Same members, order and widths as the Windows SYSTEMTIME, so the shell can
// copy one into the other; only wYear, wMonth and wDay are relied on.
struct SystemTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

// The years a date may have; the date picker's calendar and the day files cover no more.
constexpr int firstCalendarYear = 1;
constexpr int lastCalendarYear = 9999;

// Whether wYear, wMonth and wDay name a day of the calendar within the years above.
bool isValidDate(const SystemTime& date);

// A number that orders dates as the calendar does (year, month, day).
constexpr int dateKey(const SystemTime& date)
{
    return date.wYear * 10000 + date.wMonth * 100 + date.wDay;
}

// Days in a month of a year; any month number other than 2, 4, 6, 9 and 11
// has 31. Any year counts, 0 among the leap years.
int monthDayCount(int year, int month);

// Whether two times fall on the same day of the calendar.
constexpr bool isSameDay(const SystemTime& a, const SystemTime& b)
{
    return dateKey(a) == dateKey(b);
}

// 0 for Sunday to 6 for Saturday; -1 for a date that is not valid.
int weekday(const SystemTime& date);

// Moves a valid date by the given number of days, changing only wYear, wMonth
// and wDay. A date that is not valid, or a move that would leave the calendar's
// years, leaves the date as it was and gives false.
bool stepDate(SystemTime& date, int days);

// The time a second on, into the next day after 23:59:59 (the date as stepDate moves it).
SystemTime oneSecondLater(SystemTime time);
