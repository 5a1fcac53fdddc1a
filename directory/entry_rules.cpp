// Entry rules: names, birthdays and periodic tasks, without any dialog.
#include "directory/entry_rules.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "dates/calendar.h"
#include "text/numbers.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// An edit's text as a plain unsigned number with nothing but blanks around it;
// an empty text is 0. False for anything else, or for more than four digits.
bool readDateField(const char* text, int& value)
{
    while (isBlank(*text)) ++text;
    std::string_view rest = text;
    size_t digits = takeDecimal(rest, value);
    while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    return rest.empty() && digits <= 4;
}

// A periodic task has no year, so February allows its 29th day.
int largestPeriodicDay(int month)
{
    return monthDayCount(0, month);
}

void empty(char* field)
{
    field[0] = '\0';
}

}  // namespace

const char* checkEntryName(const char* name)
{
    while (isBlank(*name)) ++name;
    return *name == '\0' ? "Enter a name." : nullptr;
}

int readDecimalNumber(const char* text)
{
    while (isBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    std::string_view digits = text;
    int value;
    takeDecimal(digits, value);
    return negative ? -value : value;
}

void composeBirthday(const char* month, const char* day, const char* year,
                     char (&birthday)[sizeof(DirectoryEntry::birthday)])
{
    empty(birthday);
    int m, d, y;
    if (!readDateField(month, m) || !readDateField(day, d) || !readDateField(year, y)) return;
    if (m < 1 || m > 12 || d < 1 || d > monthDayCount(y, m)) return;
    // Every part is within its digits here; the remainders only tell the compiler so.
    std::snprintf(birthday, sizeof birthday, "%02u.%02u.%04u", unsigned(m) % 100,
                  unsigned(d) % 100, unsigned(y) % 10000);
}

const char* checkPeriodicTask(PeriodicTask& task)
{
    if (const char* message = checkEntryName(task.name)) return message;

    if (std::strcmp(task.period, periodNames[periodDayOrWeek]) == 0) {
        if (std::strcmp(task.week, "-------") == 0) return "Check at least one day of week.";
        empty(task.day);
        empty(task.month);
        return nullptr;
    }
    if (std::strcmp(task.period, periodNames[periodMonth]) == 0) {
        int day = readDecimalNumber(task.day);
        if (day < 1 || day > 31) return "Enter a valid day";
        empty(task.month);
        empty(task.week);
        return nullptr;
    }
    int month = readDecimalNumber(task.month);
    if (month < 1 || month > 12) return "Enter a valid month";
    int day = readDecimalNumber(task.day);
    if (day < 1 || day > largestPeriodicDay(month)) return "Enter a valid day";
    empty(task.week);
    return nullptr;
}
