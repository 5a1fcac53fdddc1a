// A time zone's year of rules, and local times turned into UTC and back.
#include "icalendar/time_zone.h"

#include <chrono>

namespace {

using namespace std::chrono;

constexpr Minutes minutesPerDay = 24 * 60;

Minutes floorDivide(Minutes a, Minutes b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

bool hasDaylightSaving(const ZoneRules& rules)
{
    return rules.standardDate.wMonth != 0 && rules.daylightDate.wMonth != 0;
}

// The moment a change date falls on in the year, on the clock that it is given in.
Minutes changeMinutes(const SystemTime& change, int year)
{
    int minuteOfDay = change.wHour * 60 + change.wMinute;
    if (change.wYear != 0) return minutesOf({change.wYear, change.wMonth, 0, change.wDay}, minuteOfDay);
    year_month month{std::chrono::year{year} / std::chrono::month{change.wMonth}};
    std::chrono::weekday wanted{change.wDayOfWeek};
    sys_days first{month / 1};
    sys_days day = first + (wanted - std::chrono::weekday{first});
    day += weeks{change.wDay > 0 ? change.wDay - 1 : 0};
    // The fifth weekday of a month means its last.
    while (day >= sys_days{month / last} + days{1}) day -= weeks{1};
    return Minutes(day.time_since_epoch().count()) * minutesPerDay + minuteOfDay;
}

// Whether a wall-clock time falls in daylight saving. The change dates lie on
// different clocks, so each is compared with the wall clock as it runs just
// before that change.
bool isDaylightTime(const ZoneRules& rules, int year, Minutes local)
{
    if (!hasDaylightSaving(rules)) return false;
    Minutes toDaylight = changeMinutes(rules.daylightDate, year);
    Minutes toStandard = changeMinutes(rules.standardDate, year);
    if (toDaylight < toStandard) return local >= toDaylight && local < toStandard;
    return local >= toDaylight || local < toStandard;  // the southern half of the world
}

int yearOf(Minutes minutes)
{
    return int(year_month_day{sys_days{days{floorDivide(minutes, minutesPerDay)}}}.year());
}

}  // namespace

Minutes minutesOf(const SystemTime& date, int minuteOfDay)
{
    sys_days day{year{date.wYear} / month{date.wMonth} / std::chrono::day{date.wDay}};
    return Minutes(day.time_since_epoch().count()) * minutesPerDay + minuteOfDay;
}

SystemTime timeOfMinutes(Minutes minutes)
{
    Minutes dayNumber = floorDivide(minutes, minutesPerDay);
    Minutes minuteOfDay = minutes - dayNumber * minutesPerDay;
    sys_days day{days{dayNumber}};
    year_month_day date{day};
    SystemTime time;
    time.wYear = uint16_t(int(date.year()));
    time.wMonth = uint16_t(unsigned(date.month()));
    time.wDay = uint16_t(unsigned(date.day()));
    time.wDayOfWeek = uint16_t(std::chrono::weekday{day}.c_encoding());
    time.wHour = uint16_t(minuteOfDay / 60);
    time.wMinute = uint16_t(minuteOfDay % 60);
    return time;
}

Minutes localToUtc(ZoneRulesForYear rulesFor, Minutes local)
{
    int year = yearOf(local);
    ZoneRules rules = rulesFor(year);
    bool daylight = isDaylightTime(rules, year, local);
    return local + rules.bias + (daylight ? rules.daylightBias : rules.standardBias);
}

Minutes utcToLocal(ZoneRulesForYear rulesFor, Minutes utc)
{
    // The change dates, each moved from its own clock to UTC, decide.
    int year = yearOf(utc - rulesFor(yearOf(utc)).bias);
    ZoneRules rules = rulesFor(year);
    Minutes standard = utc - rules.bias - rules.standardBias;
    Minutes daylight = utc - rules.bias - rules.daylightBias;
    if (!hasDaylightSaving(rules)) return standard;
    Minutes toDaylight = changeMinutes(rules.daylightDate, year) + rules.bias + rules.standardBias;
    Minutes toStandard = changeMinutes(rules.standardDate, year) + rules.bias + rules.daylightBias;
    bool inDaylight = toDaylight < toStandard ? utc >= toDaylight && utc < toStandard
                                              : utc >= toDaylight || utc < toStandard;
    return inDaylight ? daylight : standard;
}
