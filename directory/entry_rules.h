// What the add/edit dialogs accept: a name, a contact's birthday and a complete periodic task.
#pragma once

#include "directory/directory_entry.h"

// "Enter a name." when the name is empty or made only of blanks, else null.
// A blank name would read back as no entry at all, so no dialog stores one.
const char* checkEntryName(const char* name);

// The decimal number a text begins with, read as the platform's text-to-number
// conversion reads it: leading blanks and a sign are accepted, reading stops at
// the first non-digit, and a text without digits is 0. Saturates instead of
// overflowing, at INT_MAX or its negative.
int readDecimalNumber(const char* text);

// The birthday made from the texts of the month, day and year edits, as
// "MM.DD.YYYY"; empty when the date is incomplete or impossible, or a part is
// not a number. An empty year is the year 0, which is a leap year.
void composeBirthday(const char* month, const char* day, const char* year,
                     char (&birthday)[sizeof(DirectoryEntry::birthday)]);

// Checks a periodic task as read from its dialog, in the order in which the user
// is told of problems: the message to show, or null when the task is complete.
// A complete task has the fields its period does not use emptied; a task with a
// problem is left as it was.
const char* checkPeriodicTask(PeriodicTask& task);
