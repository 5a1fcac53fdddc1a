// Closing a day: due periodic tasks and the carry-over of unfinished tasks.
#include "edit/close_day.h"

#include <cstring>

#include "dates/calendar.h"
#include "directory/entry_rules.h"

namespace {

constexpr int afterTodoLines = firstTodoLine + todoLineCount;

bool isFilled(const DayLine& line)
{
    return line.text[0] != '\0';
}

bool isUnfinished(const DayLine& line)
{
    return isFilled(line) && line.done == 0;
}

// Directory fields are fixed-width buffers filled elsewhere; every scan stops
// at the end of its field, so a field without a terminator is still safe.
template <size_t N>
bool fieldEquals(const char (&field)[N], const char* text)
{
    size_t length = std::strlen(text);
    return length < N && std::strncmp(field, text, N) == 0;
}

int periodKindOf(const PeriodicTask& task)
{
    for (int kind = 0; kind < periodKindCount; ++kind)
        if (fieldEquals(task.period, periodNames[kind])) return kind;
    return -1;
}

bool isDueOnWeekday(const PeriodicTask& task, int weekdayIndex)
{
    for (int i = 0; i < int(sizeof task.week) - 1 && task.week[i] != '\0'; ++i)
        if (i == weekdayIndex) return task.week[i] == '+';
    return false;
}

int findEmptyLine(const DayPage& page, int first, int end)
{
    for (int i = first; i < end; ++i)
        if (!isFilled(page.lines[i])) return i;
    return -1;
}

bool isOnTodoList(const DayPage& page, const char* text, TextCollation collate)
{
    for (int i = firstTodoLine; i < afterTodoLines; ++i)
        if (collate(page.lines[i].text, text) == 0) return true;
    return false;
}

// The page is shown and gathered again before the window sorts it, which
// trims every text; a periodic task's name is trimmed here already, so the
// order settled now is the one the window's sort leaves standing.
void putLine(DayLine& target, const char* text, int mark)
{
    setLineText(target, text);
    trimLineText(target);
    target.done = 0;
    target.mark = mark;
}

// Each unfinished slot keeps its time where the next day has it free.
bool carryScheduleLines(const DayPage& closing, DayPage& next)
{
    for (int i = 0; i < scheduleLineCount; ++i) {
        const DayLine& line = closing.lines[i];
        if (!isUnfinished(line)) continue;
        int target = i;
        if (isFilled(next.lines[i])) target = findEmptyLine(next, 0, scheduleLineCount);
        if (target < 0) return false;
        putLine(next.lines[target], line.text, line.mark);
    }
    return true;
}

// Adds a text to the first free to-do line unless the list already holds it
// as it would stand there, trimmed: two due tasks named " Rent " make one line.
bool addTodo(DayPage& next, const char* text, int mark, TextCollation collate)
{
    DayLine line;
    putLine(line, text, mark);
    if (isOnTodoList(next, line.text, collate)) return true;
    int target = findEmptyLine(next, firstTodoLine, afterTodoLines);
    if (target < 0) return false;
    next.lines[target] = line;
    return true;
}

bool carryTodoLines(const DayPage& closing, DayPage& next, TextCollation collate)
{
    for (int i = firstTodoLine; i < afterTodoLines; ++i) {
        const DayLine& line = closing.lines[i];
        if (isUnfinished(line) && !addTodo(next, line.text, line.mark, collate)) return false;
    }
    return true;
}

bool addDuePeriodicTasks(DayPage& next, const Directory& periodicTasks, const SystemTime& date,
                         TextCollation collate)
{
    for (const PeriodicTask& task : periodicTasks) {
        if (task.name[0] == '\0') break;
        if (isPeriodicTaskDue(task, date) && !addTodo(next, task.name, markPrimary, collate)) return false;
    }
    return true;
}

}  // namespace

bool isPeriodicTaskDue(const PeriodicTask& task, const SystemTime& date)
{
    int kind = periodKindOf(task);
    if (kind < 0) return false;
    if (kind == periodDayOrWeek) return isDueOnWeekday(task, weekday(date));

    // A day beyond the month's end falls on its last day, so "31" means the
    // last day of every month.
    int day = readDecimalNumber(task.day);
    int length = monthDayCount(date.wYear, date.wMonth);
    if (day > length) day = length;
    if (day != date.wDay) return false;

    int month = readDecimalNumber(task.month);
    int shownMonth = date.wMonth;
    switch (kind) {
    case periodMonth: return true;
    case periodQuarter: return month % 3 == shownMonth % 3;
    case periodHalfYear: return month % 6 == shownMonth % 6;
    case periodYear: return month == shownMonth;
    }
    return false;
}

bool carryOverUnfinished(const DayPage& closing, DayPage& next, const Directory& periodicTasks,
                         const SystemTime& nextDate, TextCollation collate)
{
    // A full schedule does not stop the to-do lines and periodic tasks: the
    // user is asked once, about everything that did not fit.
    bool scheduleFitted = carryScheduleLines(closing, next);
    bool todoFitted = carryTodoLines(closing, next, collate);
    bool tasksFitted = addDuePeriodicTasks(next, periodicTasks, nextDate, collate);
    sortTodoLines(next, collate);
    return !(scheduleFitted && todoFitted && tasksFitted);
}
