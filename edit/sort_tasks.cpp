// The order of the to-do list.
#include "edit/sort_tasks.h"

#include <utility>

namespace {

// Negative when a belongs before b, positive when after, 0 when neither.
// The done flag plays no part.
int compareTaskLines(const DayLine& a, const DayLine& b, TextCollation collate)
{
    bool aFilled = a.text[0] != '\0';
    bool bFilled = b.text[0] != '\0';
    if (!aFilled || !bFilled) return int(bFilled) - int(aFilled);
    if (a.mark != b.mark) return a.mark < b.mark ? -1 : 1;
    return collate(a.text, b.text);
}

}  // namespace

void sortTodoLines(DayPage& page, TextCollation collate)
{
    // An exchange sort rather than std::sort or std::stable_sort: users see
    // where equal lines land, and this is the order they have always landed in.
    constexpr int last = firstTodoLine + todoLineCount - 1;
    for (int p = firstTodoLine; p < last; ++p)
        for (int q = p + 1; q <= last; ++q)
            if (compareTaskLines(page.lines[p], page.lines[q], collate) > 0)
                std::swap(page.lines[p], page.lines[q]);
}
