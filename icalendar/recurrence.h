// Repeat rules (RRULE): reading one, and the starts it gives on its event's own wall clock.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "icalendar/time_zone.h"

enum class Frequency : uint8_t { daily, weekly, monthly, yearly, hourly, minutely, secondly };

// One BYDAY entry: a weekday (0 Sunday to 6 Saturday), and for a monthly or
// yearly rule which one of the month or year (2: the second, -1: the last;
// 0: every one).
struct RuleWeekday {
    int8_t weekday = 0;
    int8_t ordinal = 0;
};

struct RepeatRule {
    Frequency frequency = Frequency::daily;
    int interval = 1;
    int count = 0;  // 0: no COUNT
    bool hasUntil = false;
    // UNTIL as written. A UTC one has to be moved onto the clock of the
    // event's start before expanding; a date means the end of that day.
    bool untilInUtc = false;
    Minutes until = 0;
    uint16_t byMonth = 0;  // bit m set for month m
    std::vector<int8_t> byMonthDay;  // 1 to 31, or -31 to -1 from the month's end
    std::vector<RuleWeekday> byDay;
    std::vector<int16_t> bySetPos;
    std::vector<int16_t> byYearDay;  // 1 to 366, or -366 to -1 from the year's end
    std::vector<int8_t> byWeekNo;    // 1 to 53, or -53 to -1, weeks starting on WKST
    int8_t weekStart = 1;  // Monday, unless WKST says otherwise
    // BYHOUR, BYMINUTE and BYSECOND: bit n set for n.
    uint32_t byHour = 0;
    uint64_t byMinute = 0;
    uint64_t bySecond = 0;
};

// Reads "FREQ=MONTHLY;BYDAY=-1FR;COUNT=10". False for a part given twice,
// an unknown one, or a value out of its range.
bool parseRepeatRule(std::string_view value, RepeatRule& rule);

// Whether the rule's BYHOUR, BYMINUTE and BYSECOND, if any, name only the
// time of day of `start`, so that they change none of its starts.
bool keepsTimeOfStart(const RepeatRule& rule, Minutes start);

// The starts of a repeating event from `from` to `to`, in order, all on the
// clock of `start` (wall-clock minutes). `start` is always the first
// occurrence and COUNT counts from it, whether or not it matches the rule.
// Dates a rule names that do not exist (30 February, 31 April) give nothing.
// The search ends at `to`, UNTIL, COUNT or the year 9999, whichever comes
// first, so a rule that matches nothing ends too.
std::vector<Minutes> expandOccurrences(const RepeatRule& rule, Minutes start, Minutes from, Minutes to);

// The same in seconds, keeping only the first start of each slot of
// `slotSeconds` (a divisor of a day; 1 keeps all) on the event's clock:
// leftOut[i] counts the starts within the window that starts[i] stands for.
// The work is bounded by the days searched, not by how often the rule
// repeats within them, so FREQ=SECONDLY over a year is cheap when thinned.
struct RepeatStarts {
    std::vector<int64_t> starts;
    std::vector<int64_t> leftOut;
};
RepeatStarts expandRepeats(const RepeatRule& rule, int64_t startSecond, int64_t fromSecond, int64_t toSecond,
                           int slotSeconds);
