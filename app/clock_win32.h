// The clock: the time shown, the current slot marked, reminders given, and today followed at midnight.
#pragma once

void startClock();  // the one-second timer, and the time it started at
// Every second, and whenever the time of day may have jumped.
void clockTick();
void markCurrentSlot();
