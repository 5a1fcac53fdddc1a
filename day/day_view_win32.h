// Moving a day between the main window's controls and a DayPage.
#pragma once

#include <windows.h>

#include "day/day_page.h"
#include "resources/resource.h"

// Page line (0..43) to its editor: schedule 1000..1021, then to-do and notes 1101..1122.
constexpr int lineEditorId(int line)
{
    return line < firstTodoLine ? IDC_FIRST_SCHEDULE_LINE + line
                                : IDC_FIRST_TODO_LINE + (line - firstTodoLine);
}

// Page line to its done box; note lines have none (0).
constexpr int doneBoxId(int line)
{
    return line < firstTodoLine  ? IDC_FIRST_SCHEDULE_DONE + line
           : line < firstNoteLine ? IDC_FIRST_TODO_DONE + (line - firstTodoLine)
                                  : 0;
}

// Looks up the 44 editors and 42 boxes of a new main window, once, for the two below.
void findLineControls();
HWND lineEditor(int line);
HWND doneBox(int line);  // null for the note lines

void showDayPage(const DayPage& page);
void gatherDayPage(DayPage& page);
void showDateHeader();
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
bool storeShownPage(const SYSTEMTIME& date);

// The same, telling the user of a failure.
bool saveShownPage(const SYSTEMTIME& date);

// The last save, as the program ends. A failure the user has already been
// told of (and chose to close anyway) is not told again; at a log-off or
// shutdown, where nobody can answer, the page is kept as an other version.
void saveShownPageAtEnd(bool endingSession);

// Run every second: takes in a change another program made to the day's
// file once the file has stayed put for a second, merged with the window's
// page, and saves the day shown if it differs from what its file holds. A
// failure is told only once until a save succeeds.
void saveChangedPage();

// The one message for a file that could not be written.
void reportSaveFailure();

// "<file> could not be read. It is left as it is, and <consequence>"
void reportUnreadableFile(const char* path, const char* consequence);
void tellUnreadableDay();
