// The clock, the current-slot marks, reminders and the notification-area icon.
#include "app/commands_win32.h"

void clockTick() {}
void markCurrentSlot() {}
void addTrayIcon() {}
void removeTrayIcon() {}
