// The rules behind the day page: calendar, closing a day, entry checks, insertion, undo, reminders.
#include <gtest/gtest.h>

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "day/reminders.h"
#include "dates/calendar.h"
#include "directory/entry_rules.h"
#include "edit/close_day.h"
#include "directory/insert_text.h"
#include "edit/undo_history.h"
#include "tests/common/dates.h"

namespace {

int ymd(const SystemTime& d) { return d.wYear * 10000 + d.wMonth * 100 + d.wDay; }

// A refused step (to {}) leaves the date as it was; a far one must not wrap the year round.
TEST(Calendar, StepsAcrossMonthAndYearEndsButNeverLeavesTheCalendar)
{
    struct { SystemTime from; int days; SystemTime to; } steps[] = {
        {date(2024, 3, 1), -1, date(2024, 2, 29)},   {date(2026, 12, 31), +1, date(2027, 1, 1)},
        {date(2026, 3, 14), 366, date(2027, 3, 15)}, {date(2026, 2, 30), +1, {}},
        {date(1, 1, 1), -1, {}},                     {date(9999, 12, 31), +1, {}},
        {date(2026, 6, 1), 24'000'000, {}},          {date(0, 1, 1), +1, {}},
    };
    for (const auto& s : steps) {
        SystemTime d = s.from;
        bool moves = ymd(s.to) != 0;
        EXPECT_EQ(stepDate(d, s.days), moves) << ymd(s.from) << " by " << s.days;
        EXPECT_EQ(ymd(d), moves ? ymd(s.to) : ymd(s.from)) << ymd(s.from) << " by " << s.days;
    }
    SystemTime late = oneSecondLater({2026, 12, 4, 31, 23, 59, 59}), soon = oneSecondLater({2026, 3, 0, 1, 9, 14, 59});
    EXPECT_EQ(std::vector<int>({ymd(late), late.wHour, late.wSecond, soon.wMinute}), std::vector<int>({20270101, 0, 0, 15}));
}

// Dates as month * 100 + day, over the month given or, for 0, the whole year (2026 begins on a Thursday).
TEST(PeriodicDue, DatesOnWhichATaskFallsDue)
{
    struct { PeriodicTask task; int year, month; std::vector<int> due; } cases[] = {
        {{.period = "Day or week", .week = "-+--+--"}, 2026, 1, {101, 105, 108, 112, 115, 119, 122, 126, 129}},
        {{.period = "Day or week", .week = "------+"}, 2026, 1, {103, 110, 117, 124, 131}},
        {{.period = "Month", .day = "31"}, 2024, 0, {131, 229, 331, 430, 531, 630, 731, 831, 930, 1031, 1130, 1231}},
        {{.period = "Month", .day = " 7"}, 2026, 5, {507}},  // read as the platform reads a number
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
        EXPECT_EQ(due, c.due) << c.task.period << " '" << c.task.week << c.task.day << "/" << c.task.month << "'";
    }
}

using Texts = std::vector<std::string>;
constexpr int todo = firstTodoLine;

void put(DayPage& page, std::initializer_list<std::pair<int, DayLine>> lines)
{
    for (const auto& [i, line] : lines) page.lines[i] = line;
}

// The to-do lines up to the last filled one, as "text mark [done]", an empty one as "".
Texts listed(const DayPage& page)
{
    Texts texts;
    for (int i = firstTodoLine; i < firstNoteLine; ++i) {
        const DayLine& l = page.lines[i];
        texts.push_back(l.text[0] ? l.text + (" " + std::to_string(l.mark)) + (l.done ? " done" : "") : "");
    }
    while (!texts.empty() && texts.back().empty()) texts.pop_back();
    return texts;
}

class CloseDay : public ::testing::Test {
protected:
    Directory tasks{};
    DayPage closing, next;
    bool carry() { return carryOverUnfinished(closing, next, tasks, date(2026, 4, 30), strcasecmp); }  // a Thursday
};

// An empty slot, even ticked, is free.
TEST_F(CloseDay, UnfinishedScheduleLineKeepsItsSlotOrTakesTheEarliestFreeOne)
{
    put(closing, {{1, {"Done call", 1}}, {2, {"", 1, markImportant}}, {4, {"Dentist", 0, markImportant}},
                  {6, {"Lunch"}}, {todo, {"Done todo", 1}}, {todo + 1, {"", 0, markImportant}},
                  {todo + 2, {"Urgent", 0, markImportant}}, {firstNoteLine, {"A note"}}});
    put(next, {{0, {"Standup"}}, {1, {"Mail", 1}}, {2, {"", 1}}, {4, {"Meeting"}}});
    DayPage expected = next;
    put(expected, {{2, {"Dentist", 0, markImportant}}, {6, {"Lunch"}}, {todo, {"Urgent", 0, markImportant}}});
    EXPECT_FALSE(carry());
    EXPECT_EQ(std::memcmp(&next, &expected, sizeof next), 0);
}

// A text already on the list (by the collation given, a task's name trimmed) is not added again; tasks behind the
// first empty name are not read; the list is sorted by mark, then text, equal lines as the exchange sort leaves them.
TEST_F(CloseDay, TodosAndDueTasksAreAddedOnceOpenAndSorted)
{
    put(next, {{todo, {"zeta", 0, markSecondary}}, {todo + 7, {"ZETA", 0, markSecondary}},
               {todo + 2, {"Gym", 1, markImportant}}, {todo + 12, {"", 1, markImportant}},
               {todo + 13, {"omega", 0, markSecondary}}});
    put(closing, {{todo + 9, {"beta"}}, {todo + 10, {"alpha", 0, markImportant}}, {todo + 11, {"Zeta"}}});
    tasks[0] = {.name = "Gym", .period = "Day or week", .week = "++++++-"};
    tasks[1] = {.name = " Rent ", .period = "Month", .day = "31"};
    tasks[2] = {.name = "gamma", .period = "Quarter", .day = "30", .month = "1"};
    tasks[3] = {.name = "gamma", .period = "Year", .day = "30", .month = "4"};
    tasks[4] = {.name = " Rent ", .period = "Year", .day = "30", .month = "4"};
    tasks[6] = {.name = "behind the gap", .period = "Month", .day = "30"};
    EXPECT_FALSE(carry());
    EXPECT_EQ(listed(next), (Texts{"alpha 0", "Gym 0 done", "beta 1", "gamma 1", "Rent 1", "omega 2", "ZETA 2", "zeta 2"}));
}

// What fits is carried all the same, so the user is asked once about the rest.
TEST_F(CloseDay, NoRoomIsReportedAfterCarryingWhatFits)
{
    for (int i = 0; i < firstNoteLine - 2; ++i) setLineText(next.lines[i], "T" + std::to_string(i + 10));
    put(closing, {{6, {"Lunch"}}, {todo, {"Report"}}, {todo + 1, {"Recap"}}});
    tasks[0] = {.name = "Rent", .period = "Month", .day = "31"};
    EXPECT_TRUE(carry());
    const Texts texts = listed(next);
    EXPECT_EQ(std::to_string(texts.size()) + "|" + texts[0] + "|" + texts[1] + "|" + next.lines[6].text,
              "20|Recap 1|Report 1|T16");
}

// A periodic task is checked in the order the user is told, and kept as week|day|month, unused fields emptied.
TEST(EntryRules, DialogsAcceptOnlyCompleteEntries)
{
    struct { const char *month, *day, *year, *birthday; } birthdays[] = {
        {"3", "7", "1980", "03.07.1980"}, {"2", "29", "1900", ""},   {"2", "29", "", "02.29.0000"},
        {"4", "31", "2024", ""},          {"13", "1", "2024", ""},   {" 1 ", "1", "9999", "01.01.9999"},
        {"1", "", "2024", ""},            {"1", "1", "12345", ""},   {"1x", "1", "2024", ""},
    };
    for (const auto& c : birthdays) {
        char birthday[sizeof(DirectoryEntry::birthday)];
        std::memset(birthday, 'z', sizeof birthday);
        composeBirthday(c.month, c.day, c.year, birthday);
        EXPECT_STREQ(birthday, c.birthday) << c.month << "/" << c.day << "/" << c.year;
    }
    struct { PeriodicTask entered; const char* result; } tasks[] = {
        {{.name = " \t ", .period = "Day or week", .week = "-------"}, "Enter a name."},
        {{.name = "Gym", .period = "Day or week", .week = "-------"}, "Check at least one day of week."},
        {{.name = "Gym", .period = "Day or week", .day = "12", .month = "3", .week = "-+--+--"}, "-+--+--||"},
        {{.name = "Rent", .period = "Month", .day = " 5", .month = "4", .week = "+++++++"}, "| 5|"},
        {{.name = "Rent", .period = "Month", .day = "32"}, "Enter a valid day"},
        {{.name = "Tax", .period = "Year", .day = "29", .month = "2", .week = "+------"}, "|29|2"},
        {{.name = "Tax", .period = "Year", .day = "30", .month = "2"}, "Enter a valid day"},
        {{.name = "Report", .period = "Quarter"}, "Enter a valid month"},  // the month is checked first
    };
    for (const auto& c : tasks) {
        PeriodicTask t = c.entered;
        const char* message = checkPeriodicTask(t);
        EXPECT_EQ(message ? message : std::string(t.week) + "|" + t.day + "|" + t.month, c.result) << c.entered.name;
    }
}

// Blanks around the selection are doubled; beyond the text is its end; a reversed selection is the same. The line
// keeps all its own text and the name takes what room is left of 259 characters; with none left the line stays.
TEST(InsertText, NameReplacesTheSelectionWithBlanksWhereTextRemainsAndTheLineHasRoom)
{
    const std::string a(100, 'a'), z(100, 'z'), n(100, 'n'), full(258, 'f');
    struct { std::string line; int start, end; std::string name, text; int caret; } cases[] = {
        {"", 0, 0, "Ann", "Ann", 3},         {"Call", 4, 4, "Ann", "Call Ann", 8}, {"Call", 0, 0, "Ann", "Ann Call", 3},
        {"Call", 1, 1, "Ann", "C Ann all", 5}, {"Call Bob", 0, 8, "Ann", "Ann", 3},  {"Call Bob", 5, 8, "Ann", "Call  Ann", 9},
        {"Call", 40, 60, "Ann", "Call Ann", 8}, {"Call", -3, 0, "Ann", "Ann Call", 3},
        {"Call Bob now", 5, 8, "Ann", "Call  Ann  now", 9}, {"Call Bob now", 8, 5, "Ann", "Call  Ann  now", 9},
        {a + z, 100, 100, n, a + " " + n.substr(0, 57) + " " + z, 158},
        {full.substr(1), 257, 257, "nnnnnnnnn", full.substr(1) + " n", 259},
        {full, 258, 258, "nnnnnnnnn", full, -1},
        {full.substr(1), 0, 0, "nnnnnnnnn", "n " + full.substr(1), 1},
        {std::string(120, 'a') + std::string(139, 's'), 120, 130, std::string(300, 'n'),
         std::string(120, 'a') + " nnnnnnnn " + std::string(129, 's'), 129},
    };
    for (const auto& c : cases) {
        InsertedText result = composeInsertedText(c.line.c_str(), c.start, c.end, c.name.c_str());
        EXPECT_EQ(result.text, c.text) << c.line << " " << c.start << "-" << c.end;
        EXPECT_EQ(result.nameFits ? result.caret : -1, c.caret) << c.line << " " << c.start << "-" << c.end;
    }
}

DayPage changed(DayPage page, int line, const std::string& text)
{
    setLineText(page.lines[line], text.c_str());
    return page;
}

// Stray bytes behind a text's end, as trimming leaves them, are no change; a new step, even one not yet taken,
// drops the redo side; of more than a hundred the oldest go.
TEST(UndoHistory, StepsOfTheDayShown)
{
    UndoHistory history;
    startHistory(history, {});
    for (int line : {7, 22, 3}) takeStep(history, changed(history.shown, line, "typed"));
    const DayPage last = history.shown;
    history.shown.lines[22].text[8] = 'x';
    takeStep(history, last);
    std::vector<int> walked;
    for (int i = 0; i < 4; ++i) walked.push_back(undoStep(history));
    for (int i = 0; i < 4; ++i) walked.push_back(redoStep(history));
    EXPECT_EQ(walked, (std::vector<int>{3, 22, 7, -1, 7, 22, 3, -1}));
    EXPECT_EQ(firstChangedLine(history.shown, last), -1);
    undoStep(history);
    const DayPage typed = changed(history.shown, 9, "typed");
    EXPECT_FALSE(canRedo(history, typed));
    takeStep(history, typed);
    EXPECT_EQ(redoStep(history), -1);
    for (int step = 1; step <= undoStepLimit; ++step) takeStep(history, changed(history.shown, 0, std::to_string(step)));
    int undone = 0;
    while (undoStep(history) >= 0) ++undone;
    EXPECT_EQ(undone, undoStepLimit);
    EXPECT_EQ(firstChangedLine(history.shown, typed), -1);
}

// A tick's local time in December 2026, and what it should do.
struct Tick { int day, hour, minute, second; bool marks = false; const char* balloon = ""; };

// The clock starts at each case's first tick; 08:00, 09:30, 10:00 and 18:30 hold texts.
TEST(Reminders, TicksReachEachBoundaryOnceADay)
{
    auto at = [](const Tick& t) {
        return SystemTime{2026, 12, 0, uint16_t(t.day), uint16_t(t.hour), uint16_t(t.minute), uint16_t(t.second), 0};
    };
    const struct { const char* name; int doneSlot; std::vector<Tick> ticks; } cases[] = {
        {"late tick", -1, {{6, 9, 29, 59}, {6, 9, 30, 1, true, "Dentist"}, {6, 9, 30, 2}}},
        {"sleep", -1, {{6, 9, 29, 59}, {6, 10, 17, 0, true, "09:30 Dentist\n10:00 Call Ann"}}},
        {"sleep, 10:00 done", 4, {{6, 9, 29, 59}, {6, 10, 17, 0, true, "Dentist"}}},
        {"first slot", -1, {{6, 7, 59, 59}, {6, 8, 0, 0, true, "Standup"}}},
        {"last slot", -1, {{6, 18, 29, 59}, {6, 18, 30, 0, true, "Gym"}, {6, 18, 30, 1}}},
        {"evening", -1, {{6, 18, 59, 59}, {6, 19, 0, 0, true}}},
        {"set back", -1, {{6, 9, 59, 55}, {6, 10, 0, 5, true, "Call Ann"}, {6, 9, 59, 50}, {6, 10, 0, 0, true}}},
        {"next day", -1, {{6, 9, 59, 59}, {6, 10, 0, 0, true, "Call Ann"}, {7, 9, 45, 0, true, "08:00 Standup\n09:30 Dentist"},
                          {7, 10, 0, 0, true, "Call Ann"}}},
        {"set back a day", -1, {{6, 9, 59, 59}, {5, 10, 0, 0, true}, {5, 10, 0, 1}}},
    };
    for (const auto& c : cases) {
        DayLine schedule[scheduleLineCount];
        for (auto [slot, text] : {std::pair{0, "Standup"}, {3, "Dentist"}, {4, "Call Ann"}, {21, "Gym"}})
            setLineText(schedule[slot], text);
        if (c.doneSlot >= 0) schedule[c.doneSlot].done = 1;
        ClockMemory memory;
        startClockMemory(memory, at(c.ticks[0]));
        for (size_t i = 1; i < c.ticks.size(); ++i) {
            ReachedBoundaries reached = reachBoundaries(memory, at(c.ticks[i]));
            char text[reminderTextSize];
            composeReminder(schedule, reached.slotsToRemind, text);
            EXPECT_EQ(reached.moveMarks, c.ticks[i].marks) << c.name << ", tick " << i;
            EXPECT_STREQ(text, c.ticks[i].balloon) << c.name << ", tick " << i;
        }
    }
}

// Each slot holds a text of the given length, all of its own letter.
TEST(Reminders, BalloonDropsWholeLinesBeforeCuttingOne)
{
    const std::string a100(100, 'a'), b100(100, 'b');
    for (auto [length, slots, balloon] : {std::tuple{100, 7u, "08:00 " + a100 + "\n08:30 " + b100},
                                          std::tuple{259, 0x3fffffu, "08:00 " + std::string(249, 'a')}}) {
        DayLine schedule[scheduleLineCount];
        for (int slot = 0; slot < scheduleLineCount; ++slot)
            setLineText(schedule[slot], std::string(length, char('a' + slot)));
        char text[reminderTextSize];
        composeReminder(schedule, slots, text);
        EXPECT_EQ(text, balloon) << length << " " << slots;
    }
}

}  // namespace
