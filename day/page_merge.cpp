// The three-way merge of a day page, and a file's page as the window shows it.
#include "day/page_merge.h"

#include <cstring>

namespace {

bool sameText(const char* a, const char* b)
{
    return std::strncmp(a, b, lineTextSize) == 0;
}

bool sameNumber(int32_t a, int32_t b)
{
    return a == b;
}

// The window's value stands unless only the file changed the field.
template <typename Field, typename Same>
Field pick(Field was, Field mine, Field theirs, Same same, bool& conflict)
{
    if (same(mine, was)) return theirs;
    if (!same(theirs, was) && !same(theirs, mine)) conflict = true;
    return mine;
}

}  // namespace

void pageAsShown(DayPage& read, const DayPage& window)
{
    for (int i = 0; i < dayLineCount; ++i) {
        DayLine& line = read.lines[i];
        trimLineText(line);
        line.done = i < firstNoteLine && line.done != 0;
        if (line.mark < markImportant || line.mark > markSecondary) line.mark = window.lines[i].mark;
    }
}

PageMerge mergePages(const DayPage& base, const DayPage& window, const DayPage& file)
{
    PageMerge merged;
    for (int i = 0; i < dayLineCount; ++i) {
        const DayLine& was = base.lines[i];
        const DayLine& mine = window.lines[i];
        const DayLine& theirs = file.lines[i];
        DayLine& line = merged.page.lines[i];
        setLineText(line, pick(was.text, mine.text, theirs.text, sameText, merged.conflict));
        line.done = pick(was.done, mine.done, theirs.done, sameNumber, merged.conflict);
        // A line blank when written and blank in the file had no mark there: the file did not change it.
        bool markUnstored = isBlankLine(was) && isBlankLine(theirs);
        line.mark = pick(was.mark, mine.mark, markUnstored ? was.mark : theirs.mark, sameNumber, merged.conflict);
    }
    return merged;
}
