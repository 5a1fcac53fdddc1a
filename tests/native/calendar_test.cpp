// The calendar: valid dates, month lengths, weekdays, and steps across month and year ends.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "day/calendar.h"
#include "directory/entry_rules.h"
#include "tests/common/dates.h"

namespace {

int ymd(const SystemTime& d) { return d.wYear * 10000 + d.wMonth * 100 + d.wDay; }

TEST(Calendar, ValidityMonthLengthAndWeekday)
{
    struct { SystemTime d; bool valid; int length; int weekday; } cases[] = {
        {date(2024, 2, 29), true, 29, 4},   {date(2000, 2, 29), true, 29, 2},
        {date(2023, 2, 29), false, 28, -1}, {date(1900, 2, 29), false, 28, -1},
        {date(2100, 2, 1), true, 28, 1},    {date(2026, 4, 31), false, 30, -1},
        {date(2026, 1, 0), false, 31, -1},  {date(2026, 13, 1), false, 0, -1},
        {date(0, 1, 1), false, 0, -1},      {date(10000, 1, 1), false, 0, -1},
        {date(2012, 1, 1), true, 31, 0},    {date(2026, 3, 14), true, 31, 6},
        {date(1, 1, 1), true, 31, 1},       {date(9999, 12, 31), true, 31, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidDate(c.d), c.valid) << ymd(c.d);
        EXPECT_EQ(daysInMonth(c.d), c.length) << ymd(c.d);
        EXPECT_EQ(weekday(c.d), c.weekday) << ymd(c.d);
    }
}

// Birthdays and periodic tasks count their months' days on their own, with a year 0.
TEST(Calendar, EntryMonthLengthsAgree)
{
    for (int year : {1900, 2000, 2023, 2024})
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(monthDayCount(year, month), daysInMonth(date(year, month, 1))) << year << "-" << month;
    EXPECT_EQ(monthDayCount(0, 2), 29);
}

TEST(Calendar, StepsAcrossMonthAndYearEndsButNeverLeavesTheCalendar)
{
    // A refused step (to {}) leaves the date as it was; the far steps would
    // wrap the year round into the calendar if unchecked.
    struct { SystemTime from; int days; SystemTime to; } steps[] = {
        {date(2024, 3, 1), -1, date(2024, 2, 29)},   {date(2023, 3, 1), -1, date(2023, 2, 28)},
        {date(2100, 3, 1), -1, date(2100, 2, 28)},   {date(2000, 3, 1), -1, date(2000, 2, 29)},
        {date(2024, 2, 28), +1, date(2024, 2, 29)},  {date(2024, 2, 29), +1, date(2024, 3, 1)},
        {date(2026, 4, 30), +1, date(2026, 5, 1)},   {date(2026, 5, 1), -1, date(2026, 4, 30)},
        {date(2026, 12, 31), +1, date(2027, 1, 1)},  {date(2027, 1, 1), -1, date(2026, 12, 31)},
        {date(2026, 3, 14), 366, date(2027, 3, 15)}, {date(9999, 12, 30), +1, date(9999, 12, 31)},
        {date(1, 1, 1), -1, {}},                     {date(9999, 12, 31), +1, {}},
        {date(2026, 6, 1), 24'000'000, {}},          {date(2026, 6, 1), INT_MIN, {}},
        {date(2026, 2, 30), +1, {}},                 {date(0, 12, 31), +1, {}},
    };
    for (const auto& s : steps) {
        SystemTime d = s.from;
        bool moves = ymd(s.to) != 0;
        EXPECT_EQ(stepDate(d, s.days), moves) << ymd(s.from) << " by " << s.days;
        EXPECT_EQ(ymd(d), moves ? ymd(s.to) : ymd(s.from)) << ymd(s.from) << " by " << s.days;
    }
}

}  // namespace
