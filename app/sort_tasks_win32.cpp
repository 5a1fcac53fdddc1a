// Sorting the to-do lines of the page shown.
#include "app/sort_tasks_win32.h"

#include "app/day_lines_win32.h"
#include "app/locale_text_win32.h"
#include "edit/sort_tasks.h"

void sortTasks()
{
    // Going through a whole page also trims every line and shows the done
    // lines read-only again in their new places.
    DayPage page;
    gatherDayPage(page);
    sortTodoLines(page, collateAsTheUserDoes);
    showDayPage(page);
}
