// Sorting the to-do lines of the page shown, in the user's collation.
#pragma once

void sortTasks();
