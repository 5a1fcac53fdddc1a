#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "directory/entry_rules.h"

namespace {

void copyField(char* field, size_t width, const char* text)
{
    std::memset(field, 0, width);
    std::strncpy(field, text, width - 1);
}

std::string message(const char* text)
{
    return text ? text : "(none)";
}

TEST(EntryName, EmptyOrBlankNamesAreRefused)
{
    EXPECT_EQ(message(checkEntryName("")), "Enter a name.");
    EXPECT_EQ(message(checkEntryName("   ")), "Enter a name.");
    EXPECT_EQ(message(checkEntryName(" \t ")), "Enter a name.");
    EXPECT_EQ(checkEntryName("Ann"), nullptr);
    EXPECT_EQ(checkEntryName("  Ann  "), nullptr);
    EXPECT_EQ(checkEntryName(std::string(259, 'x').c_str()), nullptr);
}

TEST(Calendar, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(isLeapYear(0));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2023));

    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) EXPECT_EQ(monthDayCount(2023, month), lengths[month - 1]);
    EXPECT_EQ(monthDayCount(2024, 2), 29);
    EXPECT_EQ(monthDayCount(0, 2), 29);
}

struct BirthdayCase {
    const char* month;
    const char* day;
    const char* year;
    const char* birthday;
};

TEST(Birthday, ComposedFromTheThreeEdits)
{
    const BirthdayCase cases[] = {
        {"3", "7", "1980", "03.07.1980"},
        {"02", "29", "2000", "02.29.2000"},
        {"2", "29", "1900", ""},
        {"2", "29", "2023", ""},
        {"2", "28", "2023", "02.28.2023"},
        {"12", "31", "", "12.31.0000"},
        {"2", "29", "", "02.29.0000"},  // year 0 is a leap year
        {"02", "29", "0000", "02.29.0000"},  // an edited contact keeps its birthday
        {"5", "7", "80", "05.07.0080"},
        {"4", "31", "2024", ""},
        {"4", "30", "2024", "04.30.2024"},
        {"13", "1", "2024", ""},
        {"0", "1", "2024", ""},
        {"1", "0", "2024", ""},
        {"", "1", "2024", ""},
        {"1", "", "2024", ""},
        {"", "", "", ""},
        {"1", "1", "9999", "01.01.9999"},
        {" 1 ", "1", "2024", "01.01.2024"},
        {"1", "1", "12345", ""},  // would not fit the field
        {"1x", "1", "2024", ""},
        {"1", "1", "-1", ""},
        {"1", "1", "x", ""},
    };
    for (const BirthdayCase& c : cases) {
        char birthday[sizeof(DirectoryEntry::birthday)];
        std::memset(birthday, 'z', sizeof birthday);
        composeBirthday(c.month, c.day, c.year, birthday);
        EXPECT_STREQ(birthday, c.birthday) << c.month << "/" << c.day << "/" << c.year;
    }
}

TEST(DecimalNumber, ReadAsThePlatformConvertsText)
{
    struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 0},     {"7", 7},       {"07", 7},        {"31", 31},
        {" 5", 5},   {"\t5", 5},     {"+5", 5},        {"-5", -5},
        {"5x", 5},   {"x5", 0},      {"1 2", 1},       {"-", 0},
        {"99999999999", INT_MAX},    {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(readDecimalNumber(c.text), c.value) << '"' << c.text << '"';
}

PeriodicTask task(const char* name, const char* period, const char* week, const char* day,
                  const char* month)
{
    PeriodicTask t{};
    copyField(t.name, sizeof t.name, name);
    copyField(t.period, sizeof t.period, period);
    copyField(t.week, sizeof t.week, week);
    copyField(t.day, sizeof t.day, day);
    copyField(t.month, sizeof t.month, month);
    return t;
}

struct PeriodicCase {
    PeriodicTask entered;
    const char* message;
    // the fields as stored when there is no message
    const char* week = "";
    const char* day = "";
    const char* month = "";
};

TEST(PeriodicTask, ChecksInOrderAndEmptiesUnusedFields)
{
    const PeriodicCase cases[] = {
        // the name comes first, whatever else is wrong
        {task("", "Day or week", "-------", "", ""), "Enter a name."},
        {task("  ", "Year", "-------", "", ""), "Enter a name."},
        {task("Gym", "Day or week", "-------", "", ""), "Check at least one day of week."},
        {task("Gym", "Day or week", "-+--+--", "12", "3"), nullptr, "-+--+--", "", ""},
        {task("Rent", "Month", "+++++++", "31", "4"), nullptr, "", "31", ""},
        {task("Rent", "Month", "", "05", ""), nullptr, "", "05", ""},
        {task("Rent", "Month", "", "32", ""), "Enter a valid day"},
        {task("Rent", "Month", "", "0", ""), "Enter a valid day"},
        {task("Rent", "Month", "", "", ""), "Enter a valid day"},
        {task("Tax", "Year", "+------", "29", "2"), nullptr, "", "29", "2"},
        {task("Tax", "Year", "", "30", "2"), "Enter a valid day"},
        {task("Tax", "Year", "", "31", "4"), "Enter a valid day"},
        {task("Tax", "Year", "", "30", "4"), nullptr, "", "30", "4"},
        {task("Tax", "Year", "", "31", "12"), nullptr, "", "31", "12"},
        {task("Tax", "Year", "", "31", "1"), nullptr, "", "31", "1"},
        {task("Tax", "Year", "", "1", "13"), "Enter a valid month"},
        {task("Tax", "Half-year", "", "1", "0"), "Enter a valid month"},
        {task("Tax", "Half-year", "", "30", "06"), nullptr, "", "30", "06"},
        // a bad month is told before a bad day
        {task("Report", "Quarter", "", "", ""), "Enter a valid month"},
        {task("Report", "Quarter", "", "0", "3"), "Enter a valid day"},
        // a period that is none of the five is checked like the yearly ones
        {task("Odd", "Weekly", "+++++++", "", ""), "Enter a valid month"},
    };
    for (const PeriodicCase& c : cases) {
        PeriodicTask t = c.entered;
        const char* result = checkPeriodicTask(t);
        SCOPED_TRACE(std::string(c.entered.name) + " / " + c.entered.period + " / day " +
                     c.entered.day + " / month " + c.entered.month);
        EXPECT_EQ(message(result), message(c.message));
        if (c.message) {
            EXPECT_EQ(std::memcmp(&t, &c.entered, sizeof t), 0);  // left as entered
        } else {
            EXPECT_STREQ(t.name, c.entered.name);
            EXPECT_STREQ(t.period, c.entered.period);
            EXPECT_STREQ(t.week, c.week);
            EXPECT_STREQ(t.day, c.day);
            EXPECT_STREQ(t.month, c.month);
        }
    }
}

}  // namespace
