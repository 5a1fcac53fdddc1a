// A line typed in the user's own words ("Dentist tomorrow 14:30"): its day, time and text.
#pragma once

#include <array>
#include <string>

#include "dates/calendar.h"

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The user's language as the reader needs it. On Windows it comes from the
// user's locale; the tests give tables. Names are UTF-8, as the locale writes
// them: full and short, weekdays from Sunday, months from January.
struct LocaleNames {
    std::array<std::string, 7> weekdays, shortWeekdays;
    std::array<std::string, 12> months, shortMonths;
    DateOrder order = DateOrder::DayMonthYear;
};

// English names only, day before month.
const LocaleNames& englishNames();

struct QuickLine {
    SystemTime date;            // the day it goes on
    int startMinute = -1;       // of that day; -1 for no time
    int endMinute = -1;         // from "for 45 min"; -1 for none
    bool important = false;     // a "!" alone at its start or end
    bool note = false;          // it began with "note:"
    std::string text;           // what remains once the understood words are taken out
    std::string notUnderstood;  // the first word that looked like a date but was not one
};

// Reads a typed line on the given day and minute of the day. Words that are
// not understood stay in the text; a line with nothing understood is a to-do
// of today, as typed.
QuickLine readQuickLine(const std::string& typed, const SystemTime& today, int nowMinute, const LocaleNames& names);

// The text as a line of the day holds it: its times in front when it has
// them, "14:30-15:15 Dentist", as the import writes a timed event.
std::string timedText(const QuickLine& line);

// "Friday 11 December", in the locale's names.
std::string longDate(const SystemTime& date, const LocaleNames& names);

// "Friday 11 December · 14:30 · Dentist", with the line it would go on
// ("To do 4") in place of the time when one is given, or
// "Not understood: 'tomorow'".
std::string quickPreview(const QuickLine& line, const SystemTime& today, const LocaleNames& names,
                         const std::string& lineName);
