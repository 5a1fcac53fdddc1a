// Dates, times, durations and UTC offsets as iCalendar writes them.
#include "icalendar/ical_values.h"

#include "dates/calendar.h"
#include "text/numbers.h"

bool parseDateTime(std::string_view text, DateTimeValue& value)
{
    value = {};
    int year, month, day;
    if (!takeDigits(text, 4, year) || !takeDigits(text, 2, month) || !takeDigits(text, 2, day)) return false;
    SystemTime date{uint16_t(year), uint16_t(month), 0, uint16_t(day)};
    if (!isValidDate(date)) return false;
    int hour = 0, minute = 0, second = 0;
    if (text.empty()) {
        value.isDate = true;
    } else {
        if (text.front() != 'T') return false;
        text.remove_prefix(1);
        if (!takeDigits(text, 2, hour) || !takeDigits(text, 2, minute) || !takeDigits(text, 2, second)) return false;
        if (hour > 23 || minute > 59 || second > 60) return false;  // 60: a leap second
        value.isUtc = text == "Z";
        if (!text.empty() && !value.isUtc) return false;
    }
    value.minutes = minutesOf(date, hour * 60 + minute);
    return true;
}

bool parseDuration(std::string_view text, Minutes& minutes)
{
    minutes = 0;
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty() || text.front() != 'P') return false;
    text.remove_prefix(1);
    bool inTime = false, anyPart = false;
    while (!text.empty()) {
        if (text.front() == 'T' && !inTime) {
            inTime = true;
            text.remove_prefix(1);
            continue;
        }
        // Nine digits at most keep every sum far inside 64 bits.
        int value;
        if (takeDecimal(text, value, 9) == 0 || text.empty()) return false;
        Minutes number = value;
        char unit = text.front();
        text.remove_prefix(1);
        if (!inTime && unit == 'W') number *= 7 * 24 * 60;
        else if (!inTime && unit == 'D') number *= 24 * 60;
        else if (inTime && unit == 'H') number *= 60;
        else if (inTime && unit == 'S') number /= 60;
        else if (!(inTime && unit == 'M')) return false;
        minutes += number;
        anyPart = true;
    }
    if (!anyPart) return false;
    if (negative) minutes = -minutes;
    return true;
}

bool parseUtcOffset(std::string_view text, int& minutes)
{
    if (text.size() != 5 && text.size() != 7) return false;
    if (text.front() != '+' && text.front() != '-') return false;
    bool negative = text.front() == '-';
    text.remove_prefix(1);
    int hours, wholeMinutes, seconds = 0;
    if (!takeDigits(text, 2, hours) || !takeDigits(text, 2, wholeMinutes)) return false;
    if (!text.empty() && !takeDigits(text, 2, seconds)) return false;
    if (hours > 23 || wholeMinutes > 59 || seconds > 59) return false;
    minutes = (negative ? -1 : 1) * (hours * 60 + wholeMinutes);
    return true;
}
