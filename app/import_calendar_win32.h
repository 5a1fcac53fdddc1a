// Importing calendar files (.ics) onto the pages: from the menu, a file dropped on the window, or the command line.
#pragma once

#include <windows.h>

#include <string>

#include "icalendar/follow_events.h"
#include "icalendar/import_plan.h"

// Reads the file, puts its events on their days and says what it did. The
// day shown changes as one undo step; other days' files are merged as any change.
void importCalendarFile(const std::string& path);

// A calendar read already, placed and followed by its events' UIDs as the
// import does (the day shown as one undo step); returns the summary.
std::string placeCalendar(const CalendarFile& file, const FollowSettings& follow);

// The Calendar menu's command: the file is chosen in the open-file dialog.
void chooseCalendarFile();

// The path of the file the program was started with, as a whole path, or empty.
std::string calendarFileArgument();

// One day's items placed as the import places them: the day shown in the
// window (saving as you type writes it), any other day read, placed on and
// merged through the keeper. A day that cannot be read or written takes nothing.
DayPlacement importIntoShownDay(const DayImport& day);
DayPlacement importIntoDay(const DayImport& day);
