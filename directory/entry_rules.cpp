// Entry rules: names, birthdays and periodic tasks, without any dialog.
#include "directory/entry_rules.h"

#include <climits>
#include <cstdio>
#include <cstring>

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
    value = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (++digits <= 4) value = value * 10 + (*text - '0');
    while (isBlank(*text)) ++text;
    return *text == '\0' && digits <= 4;
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

bool isLeapYear(int year)
{
    return (year % 100 != 0 && year % 4 == 0) || year % 400 == 0;
}

int monthDayCount(int year, int month)
{
    switch (month) {
    case 2: return isLeapYear(year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
    }
}

int readDecimalNumber(const char* text)
{
    while (isBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (value <= INT_MAX) value = value * 10 + (*text - '0');
    if (negative) value = -value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
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
