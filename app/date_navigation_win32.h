// Moving to another day: one step back or forward, or a date picked from a calendar.
#pragma once

#include <windows.h>

void stepDay(int days);
void openDatePicker();
// Saves the day left, then shows the date; false when it could not be saved.
// A move the user asked for tells every failure; one the program retries
// each second (following today at midnight) tells it once.
bool moveTo(const SYSTEMTIME& date, bool userAsked = true);
