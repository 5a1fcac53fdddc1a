#include <gtest/gtest.h>

#include <climits>

#include "day/calendar.h"
#include "tests/common/dates.h"

namespace {

struct Step {
    SystemTime from;
    int days;
    SystemTime to;
};

TEST(Calendar, StepsAcrossMonthAndYearEnds)
{
    const Step steps[] = {
        {date(2024, 3, 1), -1, date(2024, 2, 29)},   {date(2023, 3, 1), -1, date(2023, 2, 28)},
        {date(2100, 3, 1), -1, date(2100, 2, 28)},   {date(2000, 3, 1), -1, date(2000, 2, 29)},
        {date(2023, 2, 28), +1, date(2023, 3, 1)},   {date(2024, 2, 28), +1, date(2024, 2, 29)},
        {date(2024, 2, 29), +1, date(2024, 3, 1)},   {date(2026, 4, 30), +1, date(2026, 5, 1)},
        {date(2026, 5, 1), -1, date(2026, 4, 30)},   {date(2026, 12, 31), +1, date(2027, 1, 1)},
        {date(2027, 1, 1), -1, date(2026, 12, 31)},  {date(2026, 1, 31), +1, date(2026, 2, 1)},
        {date(1, 1, 2), -1, date(1, 1, 1)},          {date(9999, 12, 30), +1, date(9999, 12, 31)},
        {date(2026, 3, 14), 366, date(2027, 3, 15)},
    };
    for (const Step& s : steps) {
        SystemTime d = s.from;
        EXPECT_TRUE(stepDate(d, s.days));
        EXPECT_EQ(d.wYear * 10000 + d.wMonth * 100 + d.wDay,
                  s.to.wYear * 10000 + s.to.wMonth * 100 + s.to.wDay)
            << "from " << s.from.wYear << "-" << s.from.wMonth << "-" << s.from.wDay << " by "
            << s.days;
    }
}

TEST(Calendar, StepLeavesOtherMembersAlone)
{
    SystemTime d = date(2026, 12, 31);
    d.wDayOfWeek = 4;
    d.wHour = 9;
    d.wMilliseconds = 500;
    ASSERT_TRUE(stepDate(d, +1));
    EXPECT_EQ(d.wDayOfWeek, 4);  // stale on purpose: nothing relies on it
    EXPECT_EQ(d.wHour, 9);
    EXPECT_EQ(d.wMilliseconds, 500);
}

TEST(Calendar, NoStepLeavesTheCalendarOrStartsFromAnInvalidDate)
{
    // The far steps would wrap the year round into the calendar if unchecked.
    const Step refused[] = {
        {date(1, 1, 1), -1, {}},           {date(9999, 12, 31), +1, {}},
        {date(2026, 6, 1), 24'000'000, {}}, {date(2026, 6, 1), INT_MAX, {}},
        {date(2026, 6, 1), INT_MIN, {}},   {date(2026, 2, 30), +1, {}},
        {date(0, 12, 31), +1, {}},
    };
    for (const Step& s : refused) {
        SystemTime d = s.from;
        EXPECT_FALSE(stepDate(d, s.days)) << s.from.wYear << " by " << s.days;
        EXPECT_EQ(d.wYear, s.from.wYear);
        EXPECT_EQ(d.wMonth, s.from.wMonth);
        EXPECT_EQ(d.wDay, s.from.wDay);
    }
}

TEST(Calendar, ValidityAndMonthLength)
{
    EXPECT_TRUE(isValidDate(date(2024, 2, 29)));
    EXPECT_TRUE(isValidDate(date(2000, 2, 29)));
    EXPECT_FALSE(isValidDate(date(2023, 2, 29)));
    EXPECT_FALSE(isValidDate(date(1900, 2, 29)));
    EXPECT_FALSE(isValidDate(date(2026, 4, 31)));
    EXPECT_FALSE(isValidDate(date(2026, 1, 0)));
    EXPECT_FALSE(isValidDate(date(2026, 13, 1)));
    EXPECT_FALSE(isValidDate(date(0, 1, 1)));
    EXPECT_FALSE(isValidDate(date(10000, 1, 1)));

    EXPECT_EQ(daysInMonth(date(2023, 2, 1)), 28);
    EXPECT_EQ(daysInMonth(date(2024, 2, 31)), 29);  // the day itself does not matter
    EXPECT_EQ(daysInMonth(date(2100, 2, 1)), 28);
    EXPECT_EQ(daysInMonth(date(2000, 2, 1)), 29);
    EXPECT_EQ(daysInMonth(date(2026, 4, 0)), 30);
    EXPECT_EQ(daysInMonth(date(2026, 12, 1)), 31);
    EXPECT_EQ(daysInMonth(date(2026, 13, 1)), 0);
    EXPECT_EQ(daysInMonth(date(0, 1, 1)), 0);
}

TEST(Calendar, WeekdayCountsFromSunday)
{
    EXPECT_EQ(weekday(date(2012, 1, 1)), 0);
    EXPECT_EQ(weekday(date(2012, 1, 7)), 6);
    EXPECT_EQ(weekday(date(2026, 3, 14)), 6);
    EXPECT_EQ(weekday(date(2024, 2, 29)), 4);
    EXPECT_EQ(weekday(date(1, 1, 1)), 1);
    EXPECT_EQ(weekday(date(9999, 12, 31)), 5);
    EXPECT_EQ(weekday(date(2023, 2, 29)), -1);
}

}  // namespace
