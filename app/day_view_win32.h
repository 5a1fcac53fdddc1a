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

// Gathers the window and saves it as the page of the given date if it
// differs from what the file held when last read or written, merged first
// with what another program changed in the file meanwhile; false when the
// file could not be written, and whoever leaves the day must then stay on it.
// A day whose file could not be read is never saved.
StoreResult storeShownPage();

// The same, telling the user of a failure: of every one when the user asked
// for what needs the save, else only of the first since a save succeeded.
bool saveShownPage(bool userAsked = true);

// The last save, as the program ends. A failure the user has already been
// told of (and chose to close anyway) is not told again; at a log-off or
// shutdown, where nobody can answer, the page is kept as an other version.
void saveShownPageAtEnd(bool endingSession);

// Run every second: takes in a change another program made to the day's
// file once the file has stayed put for a second, merged with the window's
// page, and saves the day shown if it differs from what its file holds. A
// failure is told only once until a save succeeds.
void saveChangedPage();

void tellUnreadableDay();
