// Which half-hour boundaries a clock tick reaches, and the reminder it shows for them.
#pragma once

#include <cstdint>

#include "day/day_page.h"

// What the clock carries from one tick to the next.
struct ClockMemory {
    SystemTime previous;          // the local time of the last tick, or of the start
    uint32_t remindedSlots = 0;   // bit i: slot i's boundary was reached on previous's day
};

struct ReachedBoundaries {
    bool moveMarks = false;     // a half-hour boundary was reached, or the date changed
    uint32_t slotsToRemind = 0;  // bit i: slot i begins now, for the first time today
    bool dateChanged = false;    // since the tick before, whose date was dayLeft
    SystemTime dayLeft;
};

// A notification balloon holds 255 characters (UTF-16 units); this many bytes
// hold them in UTF-8 with the terminator.
constexpr int reminderCharacterLimit = 255;
constexpr int reminderTextSize = utf8BufferSize(reminderCharacterLimit);

void startClockMemory(ClockMemory& memory, const SystemTime& now);

// A boundary is reached by the first tick at or after it when the tick before ran
// earlier on the same day, so a late or sleeping timer still reaches it. The
// first tick of a later date (after midnight, or a sleep across it) reaches
// every boundary of the new day up to now.
ReachedBoundaries reachBoundaries(ClockMemory& memory, const SystemTime& now);

// The balloon text for the given slots of the schedule that are not done and not
// empty: one slot's text alone, or several as "09:30 text" lines, oldest first,
// within the balloon's 255 characters and never ending inside one.
// Empty when none has a reminder.
void composeReminder(const DayLine (&schedule)[scheduleLineCount], uint32_t slots,
                     char (&text)[reminderTextSize]);
