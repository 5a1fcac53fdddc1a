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

HWND lineEditor(int line);

void showDayPage(const DayPage& page);
void gatherDayPage(DayPage& page);
void gatherDayLine(int editorId, int boxId, DayLine& line);
void showDateHeader();
void showHourLabels();
void loadDayPage();

// Gathers the window and saves it as the page of the given date, telling the
// user when the file could not be written.
void saveShownPage(const SYSTEMTIME& date);

// The one message for a file that could not be written.
void reportSaveFailure();
