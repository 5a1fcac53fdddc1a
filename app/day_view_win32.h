// The day shown: its header, reading it into the window, and keeping its file.
#pragma once

#include <windows.h>

#include "day/stored_page.h"

// Under the date of the day shown, the time of day when the options show it.
void showTimeOfDay(const SYSTEMTIME& now);
// The hour labels in twelve or twenty-four hours, then the date, and under it
// the time of day or the year.
void showHourLabels();
// Reads the page of dateShown and shows it. A file that exists but cannot be
// read leaves the day shown empty and unchangeable, and is told of once the
// window gets to it (WM_TELL_UNREADABLE).
void loadDayPage();

// The one verb for keeping the day shown: gathers the window, asks the keeper
// about the day's file on the occasion, shows a change taken in and tells a
// failed save as the answer says. Every second it takes in a change another
// program made once the file has stayed put, and saves the page if it differs
// from what its file holds; leaving brings file and page in step now, and a
// log-off keeps a page that cannot be saved as an other version. False when
// the page could not be saved: whoever leaves the day must then stay on it.
// A day whose file could not be read is never saved.
bool keepShownDay(KeepOccasion occasion);

void tellUnreadableDay();
