// Closing a day: which periodic tasks fall due, and carrying unfinished tasks to the next day.
#pragma once

#include "day/day_page.h"
#include "directory/directory_entry.h"
#include "edit/sort_tasks.h"

bool isPeriodicTaskDue(const PeriodicTask& task, const SystemTime& date);

// Fills the next day's page from the closing one: unfinished schedule lines
// into their own slot or else the earliest free one, unfinished to-do lines
// and then the periodic tasks due on nextDate into free to-do lines (a text
// already on the list is not added again), and finally sorts the to-do list.
// Returns true when some line or task found no room; everything that fitted is
// in the page all the same, so the caller can let the user keep or drop it.
bool carryOverUnfinished(const DayPage& closing, DayPage& next, const Directory& periodicTasks,
                         const SystemTime& nextDate, TextCollation collate);
