// What the add/edit dialogs accept, and how an entry's name is put into a day line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "directory/entry_rules.h"
#include "edit/insert_text.h"

namespace {

TEST(EntryRules, BirthdayIsComposedOnlyFromACompletePossibleDate)
{
    struct { const char *month, *day, *year, *birthday; } cases[] = {
        {"3", "7", "1980", "03.07.1980"},  {"02", "29", "2000", "02.29.2000"},
        {"2", "29", "1900", ""},           {"12", "31", "", "12.31.0000"},
        {"2", "29", "", "02.29.0000"},     {"5", "7", "80", "05.07.0080"},
        {"4", "31", "2024", ""},           {"13", "1", "2024", ""},
        {"0", "1", "2024", ""},            {"1", "0", "2024", ""},
        {"", "1", "2024", ""},             {"1", "", "2024", ""},
        {" 1 ", "1", "9999", "01.01.9999"}, {"1", "1", "12345", ""},
        {"1x", "1", "2024", ""},           {"1", "1", "-1", ""},
    };
    for (const auto& c : cases) {
        char birthday[sizeof(DirectoryEntry::birthday)];
        std::memset(birthday, 'z', sizeof birthday);
        composeBirthday(c.month, c.day, c.year, birthday);
        EXPECT_STREQ(birthday, c.birthday) << c.month << "/" << c.day << "/" << c.year;
    }
}

// Checked in the order the user is told. A complete task is stored with the
// fields its period does not use emptied, shown here as week|day|month.
TEST(EntryRules, PeriodicTaskChecks)
{
    struct { PeriodicTask entered; const char* result; } cases[] = {
        {{.name = "", .period = "Day or week", .week = "-------"}, "Enter a name."},
        {{.name = " \t ", .period = "Year", .week = "-------"}, "Enter a name."},
        {{.name = "Gym", .period = "Day or week", .week = "-------"},
         "Check at least one day of week."},
        {{.name = "Gym", .period = "Day or week", .day = "12", .month = "3", .week = "-+--+--"},
         "-+--+--||"},
        {{.name = "Rent", .period = "Month", .day = "31", .month = "4", .week = "+++++++"}, "|31|"},
        {{.name = "Rent", .period = "Month", .day = "05"}, "|05|"},  // stored as typed
        {{.name = "Rent", .period = "Month", .day = " 5"}, "| 5|"},  // read as the platform would
        {{.name = "Rent", .period = "Month", .day = "-5"}, "Enter a valid day"},
        {{.name = "Rent", .period = "Month", .day = "32"}, "Enter a valid day"},
        {{.name = "Rent", .period = "Month"}, "Enter a valid day"},
        {{.name = "Tax", .period = "Year", .day = "29", .month = "2", .week = "+------"}, "|29|2"},
        {{.name = "Tax", .period = "Year", .day = "30", .month = "2"}, "Enter a valid day"},
        {{.name = "Tax", .period = "Year", .day = "31", .month = "4"}, "Enter a valid day"},
        {{.name = "Tax", .period = "Year", .day = "31", .month = "12"}, "|31|12"},
        {{.name = "Tax", .period = "Year", .day = "1", .month = "13"}, "Enter a valid month"},
        {{.name = "Report", .period = "Quarter"}, "Enter a valid month"},  // month before day
        // a period that is none of the five is checked like the yearly ones
        {{.name = "Odd", .period = "Weekly", .week = "+++++++"}, "Enter a valid month"},
    };
    for (const auto& c : cases) {
        PeriodicTask t = c.entered;
        const char* message = checkPeriodicTask(t);
        EXPECT_EQ(message ? message : std::string(t.week) + "|" + t.day + "|" + t.month, c.result)
            << c.entered.name << " / " << c.entered.period << " / " << c.entered.day << "."
            << c.entered.month;
    }
}

TEST(InsertText, NameReplacesTheSelectionWithBlanksWhereTextRemains)
{
    // Blanks around the selection are doubled; positions beyond the text count
    // as its end; a reversed selection is the same selection.
    struct { const char* line; int start, end; const char* text; int caret; } cases[] = {
        {"", 0, 0, "Ann", 3},           {"Call", 4, 4, "Call Ann", 8},
        {"Call", 0, 0, "Ann Call", 3},  {"Call Bob now", 5, 8, "Call  Ann  now", 9},
        {"Call", 2, 2, "Ca Ann ll", 6}, {"Call Bob", 0, 8, "Ann", 3},
        {"Call Bob", 5, 8, "Call  Ann", 9}, {"Call", 40, 60, "Call Ann", 8},
        {"Call", 2, 400, "Ca Ann", 6},  {"Call Bob now", 8, 5, "Call  Ann  now", 9},
        {"Call", -3, 0, "Ann Call", 3},
    };
    for (const auto& c : cases) {
        InsertedText result = composeInsertedText(c.line, c.start, c.end, "Ann");
        EXPECT_STREQ(result.text, c.text) << c.line << " " << c.start << "-" << c.end;
        EXPECT_EQ(result.caret, c.caret) << c.line << " " << c.start << "-" << c.end;
    }
    // Only 259 characters of the line and of the name count, however long they are.
    std::string line = std::string(100, 'a') + std::string(159, 'b') + std::string(100, 'z');
    std::string name(300, 'n');
    InsertedText result = composeInsertedText(line.c_str(), 100, 100, name.c_str());
    EXPECT_EQ(std::string(result.text),
              std::string(100, 'a') + " " + std::string(259, 'n') + " " + std::string(159, 'b'));
    EXPECT_EQ(result.caret, 100 + 1 + 259);
}

}  // namespace
