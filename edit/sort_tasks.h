// The order of the to-do list: filled lines first, then by mark, then by text.
#pragma once

#include "day/day_page.h"

// A case-sensitive text collation, negative/0/positive like strcmp. The program
// passes the platform's locale collation of the user's default locale.
using TextCollation = int (*)(const char*, const char*);

// Puts the to-do lines of the page in order; schedule and note lines stay put.
void sortTodoLines(DayPage& page, TextCollation collate);
