// iCalendar's values that carry times: DATE, DATE-TIME, DURATION and UTC-OFFSET.
#pragma once

#include <string_view>

#include "icalendar/time_zone.h"

// "20261208" (a date: its minutes are those of midnight), "20261208T090000"
// or "20261208T090000Z" (UTC). Seconds are dropped: a day page counts in
// minutes. False for anything else, a year before 1 included.
struct DateTimeValue {
    Minutes minutes = 0;
    bool isDate = false;
    bool isUtc = false;
};
bool parseDateTime(std::string_view text, DateTimeValue& value);

// "PT1H30M", "P2D", "P1W", "-PT15M": the length in minutes, negative for a
// duration before its moment.
bool parseDuration(std::string_view text, Minutes& minutes);

// "+0100", "-0500", "+053000": minutes east of UTC.
bool parseUtcOffset(std::string_view text, int& minutes);
