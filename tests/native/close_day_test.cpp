// The calendar, and closing a day on it: due periodic tasks, carry-over and the sorted to-do list.
#include <gtest/gtest.h>

#include <strings.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "day/calendar.h"
#include "directory/entry_rules.h"
#include "edit/close_day.h"
#include "tests/common/dates.h"

namespace {

int ymd(const SystemTime& d) { return d.wYear * 10000 + d.wMonth * 100 + d.wDay; }

// Weekdays and month lengths are checked through the due rules below.
TEST(Calendar, StepsAcrossMonthAndYearEndsButNeverLeavesTheCalendar)
{
    // A refused step (to {}), from a date that is no day of the years 1 to 9999
    // or beyond them, leaves the date as it was; the far steps would wrap the
    // year round into the calendar if unchecked.
    struct { SystemTime from; int days; SystemTime to; } steps[] = {
        {date(2024, 3, 1), -1, date(2024, 2, 29)},   {date(2023, 3, 1), -1, date(2023, 2, 28)},
        {date(2100, 3, 1), -1, date(2100, 2, 28)},   {date(2000, 3, 1), -1, date(2000, 2, 29)},
        {date(2024, 2, 29), +1, date(2024, 3, 1)},   {date(2026, 4, 30), +1, date(2026, 5, 1)},
        {date(2026, 12, 31), +1, date(2027, 1, 1)},  {date(2026, 3, 14), 366, date(2027, 3, 15)},
        {date(2026, 2, 30), +1, {}},
        {date(1, 1, 1), -1, {}},                     {date(9999, 12, 31), +1, {}},
        {date(2026, 6, 1), 24'000'000, {}},          {date(2026, 6, 1), INT_MIN, {}},
        {date(1900, 2, 29), +1, {}},                 {date(2026, 4, 31), -1, {}},
        {date(2026, 13, 1), -1, {}},                 {date(0, 1, 1), +1, {}},
    };
    for (const auto& s : steps) {
        SystemTime d = s.from;
        bool moves = ymd(s.to) != 0;
        EXPECT_EQ(stepDate(d, s.days), moves) << ymd(s.from) << " by " << s.days;
        EXPECT_EQ(ymd(d), moves ? ymd(s.to) : ymd(s.from)) << ymd(s.from) << " by " << s.days;
    }
}

using Texts = std::vector<std::string>;
constexpr int todo = firstTodoLine;

void put(DayPage& page, std::initializer_list<std::pair<int, DayLine>> lines)
{
    for (const auto& [i, line] : lines) page.lines[i] = line;
}

// The filled to-do lines as "text mark [done]"; an empty line before a filled one shows as "".
Texts listed(const DayPage& page)
{
    Texts texts;
    for (int i = firstTodoLine; i < firstNoteLine; ++i) {
        const DayLine& l = page.lines[i];
        std::string mark = " " + std::to_string(l.mark) + (l.done ? " done" : "");
        texts.push_back(l.text[0] ? l.text + mark : "");
    }
    while (!texts.empty() && texts.back().empty()) texts.pop_back();
    return texts;
}

TEST(PeriodicDue, DatesOnWhichATaskFallsDue)
{
    // Dates as month * 100 + day, over the month given or, for 0, the whole
    // year. January 2026 begins on a Thursday.
    struct { PeriodicTask task; int year, month; std::vector<int> due; } cases[] = {
        {{.period = "Day or week", .week = "-+--+--"}, 2026, 1,
         {101, 105, 108, 112, 115, 119, 122, 126, 129}},
        {{.period = "Day or week", .week = "------+"}, 2026, 1, {103, 110, 117, 124, 131}},
        {{.period = "Month", .day = "31"}, 2024, 0,
         {131, 229, 331, 430, 531, 630, 731, 831, 930, 1031, 1130, 1231}},
        {{.period = "Month", .day = "0"}, 2026, 5, {}},
        {{.period = "Month", .day = " 7"}, 2026, 5, {507}},  // read as the platform reads a number
        {{.period = "month", .day = "7"}, 2026, 5, {}},  // period names match exactly
        {{.period = "Quarter", .day = "15", .month = "2"}, 2026, 0, {215, 515, 815, 1115}},
        {{.period = "Quarter", .day = "15", .month = "12"}, 2026, 0, {315, 615, 915, 1215}},
        {{.period = "Half-year", .day = "15", .month = "6"}, 2026, 0, {615, 1215}},
        {{.period = "Year", .day = "29", .month = "2"}, 2023, 0, {228}},
    };
    for (const auto& c : cases) {
        std::vector<int> due;
        for (SystemTime d = date(c.year, c.month ? c.month : 1, 1);
             d.wYear == c.year && (c.month == 0 || d.wMonth == c.month); stepDate(d, 1))
            if (isPeriodicTaskDue(c.task, d)) due.push_back(d.wMonth * 100 + d.wDay);
        EXPECT_EQ(due, c.due) << c.task.period << " '" << c.task.week << c.task.day << "/"
                              << c.task.month << "' in " << c.year << "-" << c.month;
    }
}

class CloseDay : public ::testing::Test {
protected:
    Directory tasks{};
    DayPage closing, next;
    // The next day is Thursday 30 April 2026.
    bool carry() { return carryOverUnfinished(closing, next, tasks, date(2026, 4, 30), strcmp); }
};

TEST_F(CloseDay, UnfinishedScheduleLineKeepsItsSlotOrTakesTheEarliestFreeOne)
{
    put(closing, {{1, {"Done call", 1}}, {2, {"", 1, markImportant}},
                  {4, {"Dentist", 0, markImportant}}, {6, {"Lunch"}}, {todo, {"Done todo", 1}},
                  {todo + 1, {"", 0, markImportant}}, {todo + 2, {"Urgent", 0, markImportant}},
                  {firstNoteLine, {"A note"}}});
    // an empty slot, ticked, is still free
    put(next, {{0, {"Standup"}}, {1, {"Mail", 1}}, {2, {"", 1}}, {4, {"Meeting"}}});
    DayPage expected = next;
    put(expected, {{2, {"Dentist", 0, markImportant}}, {6, {"Lunch"}},
                   {todo, {"Urgent", 0, markImportant}}});
    EXPECT_FALSE(carry());
    EXPECT_EQ(std::memcmp(&next, &expected, sizeof next), 0);
}

// A text already on the list is not added again, a task name compared trimmed as
// the window would show it; a due task comes open and Primary; tasks behind the first
// empty name are not read. The list is then sorted by the given collation:
// filled lines first, then by mark, then by text, equal lines in the order the
// exchange sort leaves them.
TEST_F(CloseDay, TodosAndDueTasksAreAddedOnceOpenAndSorted)
{
    put(next, {{todo, {"zeta", 0, markSecondary}}, {todo + 7, {"ZETA", 0, markSecondary}},
               {todo + 2, {"Gym", 1, markImportant}}, {todo + 12, {"", 1, markImportant}},
               {todo + 13, {"omega", 0, markSecondary}}});
    put(closing,
        {{todo + 9, {"beta"}}, {todo + 10, {"alpha", 0, markImportant}}, {todo + 11, {"Zeta"}}});
    tasks[0] = {.name = "Gym", .period = "Day or week", .week = "++++++-"};
    tasks[1] = {.name = " Rent ", .period = "Month", .day = "31"};
    tasks[2] = {.name = "gamma", .period = "Quarter", .day = "30", .month = "1"};
    tasks[3] = {.name = "gamma", .period = "Year", .day = "30", .month = "4"};
    tasks[4] = {.name = " Rent ", .period = "Year", .day = "30", .month = "4"};
    tasks[6] = {.name = "behind the gap", .period = "Month", .day = "30"};
    EXPECT_FALSE(carryOverUnfinished(closing, next, tasks, date(2026, 4, 30), strcasecmp));
    EXPECT_EQ(listed(next), (Texts{"alpha 0", "Gym 0 done", "beta 1", "gamma 1",
                                   "Rent 1", "omega 2", "ZETA 2", "zeta 2"}));
}

// What fits is carried all the same, so the user is asked once about the rest.
TEST_F(CloseDay, NoRoomIsReportedAfterCarryingWhatFits)
{
    for (int i = 0; i < scheduleLineCount; ++i) next.lines[i] = {"Busy"};
    closing.lines[6] = {"Lunch"};
    closing.lines[todo] = {"Report"};
    tasks[0] = {.name = "Rent", .period = "Month", .day = "31"};
    EXPECT_TRUE(carry());
    EXPECT_EQ(listed(next), (Texts{"Rent 1", "Report 1"}));
    EXPECT_STREQ(next.lines[6].text, "Busy");

    for (int i = firstTodoLine; i < firstNoteLine; ++i)
        setLineText(next.lines[i], ("T" + std::to_string(i)).c_str());
    closing = DayPage{};
    tasks[0] = {};
    closing.lines[todo] = {"T26"};  // already there
    EXPECT_FALSE(carry());
    closing.lines[todo + 5] = {"New"};
    EXPECT_TRUE(carry());
}

}  // namespace
