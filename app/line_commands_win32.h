// Clearing, moving, marking and closing lines of the page shown.
#pragma once

#include <cstdint>

void setMark(int32_t mark);  // of the line with the focus
void closeEmptyTasks();
void moveLine(int direction);  // the line with the focus, up (-1) or down (+1) its column
void clearLine();
