// Sorting the to-do lines of the page shown.
#include "app/commands_win32.h"

void sortTasks() {}
