// Moving to another day: one step back or forward, or a date picked from a calendar.
#include "app/commands_win32.h"

void stepDay(int) {}
void openDatePicker() {}
