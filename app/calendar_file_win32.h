// The calendar file beside Data, kept in step while its option is on.
#pragma once

#include <windows.h>

#include <vector>

#include "icalendar/time_zone.h"

// The timer whose ticks read the days after start-up, a slice at a time, so
// that the window is drawn and answers meanwhile.
constexpr UINT_PTR calendarReadTimer = 2;

// The user's own zone, as Windows keeps it; tests replace it.
extern ZoneRulesForYear calendarZoneRules;

void startCalendarFile();         // at start-up, when the option is on
void readCalendarDaysSlice();     // on calendarReadTimer
void watchCalendarDay(const SYSTEMTIME& date);  // a day shown, left or changed
void keepCalendarInStep();        // every second
void calendarDaysChanged(const std::vector<SYSTEMTIME>& days);  // by the program, beyond the day shown
void toggleCalendarFile();        // the menu command
void stopCalendarFile();          // as the window goes: the last change written
