#include <gtest/gtest.h>

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "day/calendar.h"
#include "edit/close_day.h"
#include "tests/common/dates.h"

namespace {

PeriodicTask task(const char* name, const char* period, const char* week, const char* day,
                  const char* month)
{
    PeriodicTask t{};
    std::strcpy(t.name, name);
    std::strcpy(t.period, period);
    std::strcpy(t.week, week);
    std::strcpy(t.day, day);
    std::strcpy(t.month, month);
    return t;
}

PeriodicTask monthly(const char* period, const char* day, const char* month = "")
{
    return task("x", period, "", day, month);
}

PeriodicTask weekly(const char* week)
{
    return task("x", "Day or week", week, "", "");
}

void put(DayLine& line, const char* text, int mark = markPrimary, int done = 0)
{
    setLineText(line, text);
    line.mark = mark;
    line.done = done;
}

// ---- which periodic tasks fall due ----

struct DueCase {
    PeriodicTask task;
    SystemTime date;
    bool due;
};

TEST(PeriodicDue, DayOfMonthFallsOnTheLastDayOfShortMonths)
{
    const DueCase cases[] = {
        {monthly("Month", "31"), date(2026, 4, 30), true},
        {monthly("Month", "31"), date(2026, 4, 29), false},
        {monthly("Month", "31"), date(2023, 2, 28), true},
        {monthly("Month", "31"), date(2024, 2, 28), false},
        {monthly("Month", "31"), date(2024, 2, 29), true},
        {monthly("Month", "31"), date(2026, 3, 31), true},
        {monthly("Month", "31"), date(2026, 3, 30), false},
        {monthly("Year", "29", "2"), date(2023, 2, 28), true},
        {monthly("Year", "29", "2"), date(2024, 2, 28), false},
        // read like the platform's number conversion
        {monthly("Month", " 7"), date(2026, 5, 7), true},
        {monthly("Month", "+7"), date(2026, 5, 7), true},
        {monthly("Month", "07"), date(2026, 5, 7), true},
        {monthly("Month", "7x"), date(2026, 5, 7), true},
        {monthly("Month", "x7"), date(2026, 5, 7), false},
        {monthly("Month", "-7"), date(2026, 5, 7), false},
        // period names must match exactly
        {monthly("month", "7"), date(2026, 5, 7), false},
        {monthly("Month ", "7"), date(2026, 5, 7), false},
        {monthly("", "7"), date(2026, 5, 7), false},
    };
    for (const DueCase& c : cases)
        EXPECT_EQ(isPeriodicTaskDue(c.task, c.date), c.due)
            << c.task.period << " day '" << c.task.day << "' on " << c.date.wMonth << "/"
            << c.date.wDay;
}

TEST(PeriodicDue, EmptyOrZeroDayIsNeverDue)
{
    for (const char* day : {"", "0", " ", "-"})
        for (const char* period : {"Month", "Quarter", "Half-year", "Year"})
            for (SystemTime d = date(2026, 1, 1); d.wYear == 2026; stepDate(d, 1))
                ASSERT_FALSE(isPeriodicTaskDue(monthly(period, day, "1"), d))
                    << period << " '" << day << "' " << d.wMonth << "/" << d.wDay;
}

TEST(PeriodicDue, MonthBasedPeriodsRepeatByRemainder)
{
    struct {
        const char* period;
        const char* month;
        std::vector<int> dueMonths;
    } cases[] = {
        {"Month", "", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"Quarter", "2", {2, 5, 8, 11}},
        {"Quarter", "3", {3, 6, 9, 12}},
        {"Half-year", "6", {6, 12}},
        {"Half-year", "1", {1, 7}},
        {"Year", "11", {11}},
    };
    for (const auto& c : cases) {
        std::vector<int> months;
        for (int m = 1; m <= 12; ++m)
            if (isPeriodicTaskDue(monthly(c.period, "15", c.month), date(2026, m, 15)))
                months.push_back(m);
        EXPECT_EQ(months, c.dueMonths) << c.period << " " << c.month;
    }
}

TEST(PeriodicDue, WeekFlagsFromSunday)
{
    struct {
        const char* week;
        std::vector<int> dueWeekdays;
    } cases[] = {
        {"+++++++", {0, 1, 2, 3, 4, 5, 6}},
        {"-------", {}},
        {"-+--+--", {1, 4}},
        {"+", {0}},  // the text ends before Monday
        {"", {}},
    };
    for (const auto& c : cases) {
        std::vector<int> days;
        // 4 to 10 January 2026 run Sunday to Saturday
        for (int i = 0; i < 7; ++i)
            if (isPeriodicTaskDue(weekly(c.week), date(2026, 1, 4 + i))) days.push_back(i);
        EXPECT_EQ(days, c.dueWeekdays) << c.week;
    }
}

class CloseDay : public ::testing::Test {
protected:
    Directory tasks{};
    DayPage closing;
    DayPage next;
    SystemTime nextDay = date(2026, 4, 30);  // a Thursday

    void addTask(const PeriodicTask& t)
    {
        int n = 0;
        while (tasks[n].name[0] != '\0') ++n;
        tasks[n] = t;
    }
    bool carry() { return carryOverUnfinished(closing, next, tasks, nextDay, std::strcmp); }
    std::vector<std::string> todoTexts() const
    {
        std::vector<std::string> texts;
        for (int i = firstTodoLine; i < firstNoteLine; ++i)
            if (next.lines[i].text[0] != '\0') texts.push_back(next.lines[i].text);
        return texts;
    }
    const DayLine* findTodo(const char* text) const
    {
        for (int i = firstTodoLine; i < firstNoteLine; ++i)
            if (std::strcmp(next.lines[i].text, text) == 0) return &next.lines[i];
        return nullptr;
    }
};

using Texts = std::vector<std::string>;

TEST_F(CloseDay, CollectsDueTasksInOrderUpToTheFirstEmptyName)
{
    addTask(task("Water plants", "Day or week", "++++-++", "", ""));
    addTask(task("Gym", "Day or week", "-+--+--", "", ""));
    addTask(task("Rent", "Month", "", "31", ""));
    tasks[4] = task("Behind the gap", "Month", "", "30", "");
    DueTasks due = collectDuePeriodicTasks(nextDay, tasks);
    ASSERT_EQ(due.count, 2);
    EXPECT_STREQ(due.entries[0]->name, "Gym");
    EXPECT_STREQ(due.entries[1]->name, "Rent");

    for (PeriodicTask& t : tasks) t = task("Daily", "Day or week", "+++++++", "", "");
    EXPECT_EQ(collectDuePeriodicTasks(nextDay, tasks).count, directoryCapacity);
}

TEST_F(CloseDay, ScheduleLineKeepsItsSlotOrTakesTheEarliestFreeOne)
{
    put(closing.lines[4], "Dentist", markImportant);  // 10:00
    EXPECT_FALSE(carry());
    EXPECT_STREQ(next.lines[4].text, "Dentist");
    EXPECT_EQ(next.lines[4].mark, markImportant);

    DayPage busy;
    put(busy.lines[0], "Standup");
    put(busy.lines[1], "Mail", markPrimary, 1);
    put(busy.lines[4], "Meeting");
    busy.lines[2].done = 1;  // an empty slot, ticked: still free
    next = busy;
    EXPECT_FALSE(carry());
    EXPECT_STREQ(next.lines[2].text, "Dentist");
    EXPECT_EQ(next.lines[2].done, 0);
    EXPECT_STREQ(next.lines[4].text, "Meeting");
}

TEST_F(CloseDay, ClosingTwiceCarriesScheduleAgainButNotTheTodos)
{
    put(closing.lines[0], "Call Ann");
    put(closing.lines[3], "Review");
    put(closing.lines[firstTodoLine + 5], "Buy stamps", markSecondary);
    addTask(task("Rent", "Month", "", "30", ""));
    carry();
    carry();
    EXPECT_STREQ(next.lines[0].text, "Call Ann");
    EXPECT_STREQ(next.lines[1].text, "Call Ann");
    EXPECT_STREQ(next.lines[2].text, "Review");
    EXPECT_STREQ(next.lines[3].text, "Review");
    EXPECT_EQ(todoTexts(), (Texts{"Rent", "Buy stamps"}));
}

TEST_F(CloseDay, OnlyUnfinishedTaskLinesAreCarried)
{
    put(closing.lines[1], "Done call", markPrimary, 1);
    put(closing.lines[2], "", markImportant, 1);
    put(closing.lines[firstTodoLine], "Done todo", markPrimary, 1);
    put(closing.lines[firstTodoLine + 1], "", markImportant, 0);
    put(closing.lines[firstNoteLine], "A note");
    put(closing.lines[firstTodoLine + 2], "Urgent", markImportant);
    EXPECT_FALSE(carry());
    DayPage expected;
    put(expected.lines[firstTodoLine], "Urgent", markImportant);
    EXPECT_EQ(std::memcmp(&next, &expected, sizeof next), 0);
}

TEST_F(CloseDay, PeriodicTaskIsAddedOpenAndPrimaryOnceOnly)
{
    for (int i = firstTodoLine; i < firstNoteLine; ++i) put(next.lines[i], "", markSecondary, 1);
    put(next.lines[firstTodoLine + 3], "Gym", markImportant, 1);
    addTask(task("Gym", "Day or week", "++++++-", "", ""));
    addTask(task("Rent", "Month", "", "31", ""));
    addTask(task("Rent", "Quarter", "", "30", "1"));  // same name twice in one run
    EXPECT_FALSE(carry());
    EXPECT_EQ(todoTexts(), (Texts{"Gym", "Rent"}));
    EXPECT_EQ(findTodo("Gym")->done, 1);  // the one already there is left alone
    ASSERT_NE(findTodo("Rent"), nullptr);
    EXPECT_EQ(findTodo("Rent")->done, 0);
    EXPECT_EQ(findTodo("Rent")->mark, markPrimary);
}

TEST_F(CloseDay, DuplicateTestUsesTheGivenCollation)
{
    put(next.lines[firstTodoLine], "call bob");
    put(closing.lines[firstTodoLine], "Call Bob");
    carryOverUnfinished(closing, next, tasks, nextDay, strcasecmp);
    EXPECT_EQ(todoTexts(), (Texts{"call bob"}));
}

TEST_F(CloseDay, CarriedTodosEndUpSorted)
{
    put(next.lines[firstTodoLine], "zeta", markSecondary);
    put(closing.lines[firstTodoLine + 9], "beta");
    put(closing.lines[firstTodoLine + 10], "alpha", markImportant);
    addTask(task("gamma", "Year", "", "30", "4"));
    carry();
    EXPECT_EQ(todoTexts(), (Texts{"alpha", "beta", "gamma", "zeta"}));
}

// The window shows the carried page, gathers it back trimmed and sorts it
// again; equal lines must already stand where that sort leaves them.
TEST_F(CloseDay, PeriodicTaskNameIsComparedTrimmed)
{
    put(next.lines[firstTodoLine], "Rent", markPrimary, 1);
    addTask(task(" Rent ", "Month", "", "30", ""));
    carry();
    EXPECT_EQ(next.lines[firstTodoLine].done, 1);
    EXPECT_STREQ(next.lines[firstTodoLine + 1].text, "");
}

TEST_F(CloseDay, FullTodoListReportsNoRoom)
{
    for (int i = firstTodoLine; i < firstNoteLine; ++i)
        put(next.lines[i], ("T" + std::to_string(i)).c_str());
    EXPECT_FALSE(carry());  // nothing to carry, nothing lost

    put(closing.lines[firstTodoLine + 4], "T30");  // already there
    addTask(task("T31", "Month", "", "30", ""));   // already there
    EXPECT_FALSE(carry());

    DayPage loaded = next;
    put(closing.lines[firstTodoLine + 5], "New");
    EXPECT_TRUE(carry());
    EXPECT_EQ(std::memcmp(&next, &loaded, sizeof next), 0);

    closing = DayPage{};
    addTask(task("Fresh", "Month", "", "30", ""));
    EXPECT_TRUE(carry());
}

TEST_F(CloseDay, FullScheduleStillCarriesTodosAndPeriodicTasks)
{
    for (int i = 0; i < scheduleLineCount; ++i) put(next.lines[i], "Busy");
    put(closing.lines[6], "Lunch");
    put(closing.lines[firstTodoLine], "Report");
    addTask(task("Rent", "Month", "", "31", ""));
    EXPECT_TRUE(carry());
    EXPECT_EQ(todoTexts(), (Texts{"Rent", "Report"}));
    for (int i = 0; i < scheduleLineCount; ++i) EXPECT_STREQ(next.lines[i].text, "Busy");
}

}  // namespace
