// The three-way merge of a day page, and a file's page as the window shows it.
#include "day/page_merge.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

bool sameLine(const DayLine& a, const DayLine& b)
{
    return sameText(a.text, b.text) && a.done == b.done && a.mark == b.mark;
}

constexpr int unmatched = -1;

struct Column {
    int first;
    int end;
};
constexpr Column columns[] = {{0, firstTodoLine}, {firstTodoLine, firstNoteLine}, {firstNoteLine, dayLineCount}};

// Which line of a side each line of the base became: the same text where it
// was; else the same text elsewhere, the n-th left of a text matched to the
// n-th; else a line whose text was typed over in place. Lines without text
// stay with their slot.
void followLines(const DayPage& base, const DayPage& side, Column column, int (&baseToSide)[dayLineCount],
                 bool (&taken)[dayLineCount])
{
    for (int i = column.first; i < column.end; ++i) baseToSide[i] = unmatched, taken[i] = false;
    for (int i = column.first; i < column.end; ++i)
        if (base.lines[i].text[0] != '\0' && sameText(base.lines[i].text, side.lines[i].text))
            baseToSide[i] = i, taken[i] = true;
    for (int i = column.first; i < column.end; ++i) {
        if (base.lines[i].text[0] == '\0' || baseToSide[i] != unmatched) continue;
        for (int j = column.first; j < column.end; ++j)
            if (!taken[j] && sameText(base.lines[i].text, side.lines[j].text)) {
                baseToSide[i] = j, taken[j] = true;
                break;
            }
    }
    for (int i = column.first; i < column.end; ++i)
        if (baseToSide[i] == unmatched && !taken[i] && (base.lines[i].text[0] == '\0') == (side.lines[i].text[0] == '\0'))
            baseToSide[i] = i, taken[i] = true;
}

// A line of the merged page and the slot it would have.
struct Placed {
    DayLine line;
    int slot;
    bool moved;                    // its slot comes from a side that moved it: it goes first
    const DayLine* mine = nullptr;  // the window's line, when the text is the file's change
};

DayLine mergeLine(const DayLine& was, const DayLine& mine, const DayLine& theirs, bool& conflict)
{
    DayLine line;
    setLineText(line, pick(was.text, mine.text, theirs.text, sameText, conflict));
    line.done = pick(was.done, mine.done, theirs.done, sameNumber, conflict);
    // A line blank when written and blank in the file had no mark there: the file did not change it.
    bool markUnstored = isBlankLine(was) && isBlankLine(theirs);
    line.mark = pick(was.mark, mine.mark, markUnstored ? was.mark : theirs.mark, sameNumber, conflict);
    return line;
}

// Each line to the slot it would have, those a side moved first, then those
// no side moved, each keeping its own slot while it is free. Only then does a
// line that found its slot taken go to the nearest free one below it, else
// above, so it never pushes a line out of a slot of its own. A column too
// full for them all keeps what fits.
void place(std::vector<Placed>& lines, Column column, const DayPage& window, DayPage& page, bool& conflict)
{
    std::stable_sort(lines.begin(), lines.end(), [](const Placed& a, const Placed& b) { return a.moved > b.moved; });
    bool used[dayLineCount] = {};
    std::vector<const Placed*> displaced;
    for (const Placed& placed : lines) {
        if (used[placed.slot]) {
            displaced.push_back(&placed);
            continue;
        }
        used[placed.slot] = true;
        page.lines[placed.slot] = placed.line;
    }
    for (const Placed* placed : displaced) {
        int slot = placed->slot;
        while (slot < column.end && used[slot]) ++slot;
        if (slot == column.end)
            for (slot = placed->slot; slot >= column.first && used[slot]; --slot) {
            }
        if (slot < column.first) {
            conflict = true;
            continue;
        }
        used[slot] = true;
        page.lines[slot] = placed->line;
    }
    // A slot left blank keeps the mark the window gives it: no file holds a blank line's mark.
    for (int i = column.first; i < column.end; ++i)
        if (!used[i]) {
            page.lines[i] = DayLine{};
            if (isBlankLine(window.lines[i])) page.lines[i].mark = window.lines[i].mark;
        }
}

int countOf(const char* text, const DayPage& page, Column column)
{
    int n = 0;
    for (int i = column.first; i < column.end; ++i) n += sameText(text, page.lines[i].text);
    return n;
}

// Two lines typed over alike, one on each side, would give a text more often
// than either side has it: the file's change gives way to the window's line,
// and the file is kept as an other version.
void keepCounts(std::vector<Placed>& lines, const DayPage& mine, const DayPage& theirs, Column column, bool& conflict)
{
    for (Placed& placed : lines) {
        if (!placed.mine || placed.line.text[0] == '\0') continue;
        int most = std::max(countOf(placed.line.text, mine, column), countOf(placed.line.text, theirs, column));
        int now = 0;
        for (const Placed& other : lines) now += sameText(other.line.text, placed.line.text);
        if (now <= most) continue;
        placed.line = *placed.mine;
        conflict = true;
    }
    std::erase_if(lines, [](const Placed& placed) { return isBlankLine(placed.line); });
}

const DayLine blank;  // what the window has of a line new in the file

void mergeColumn(const DayPage& base, const DayPage& mine, const DayPage& theirs, Column column, PageMerge& merged)
{
    int toMine[dayLineCount], toTheirs[dayLineCount];
    bool mineTaken[dayLineCount], theirsTaken[dayLineCount];
    followLines(base, mine, column, toMine, mineTaken);
    followLines(base, theirs, column, toTheirs, theirsTaken);
    std::vector<Placed> lines;
    for (int i = column.first; i < column.end; ++i) {
        const DayLine& was = base.lines[i];
        int m = toMine[i], t = toTheirs[i];
        if (m != unmatched && t != unmatched) {
            DayLine line = mergeLine(was, mine.lines[m], theirs.lines[t], merged.conflict);
            bool mineMoved = m != i;
            bool theirText = !sameText(line.text, mine.lines[m].text);
            if (!isBlankLine(line))
                lines.push_back({line, mineMoved ? m : t, mineMoved || t != i, theirText ? &mine.lines[m] : nullptr});
        } else if (m != unmatched) {
            // Gone from one side: gone, unless the other changed it, and then
            // kept as changed, since nothing of it would be left anywhere.
            if (!sameLine(mine.lines[m], was) && !isBlankLine(mine.lines[m]))
                lines.push_back({mine.lines[m], m, m != i});
        } else if (t != unmatched) {
            if (!sameLine(theirs.lines[t], was) && !isBlankLine(theirs.lines[t]))
                lines.push_back({theirs.lines[t], t, t != i, &blank});
        }
    }
    // Lines new on one side, or new alike on both: the n-th of a text new on
    // both is the same line.
    for (int j = column.first; j < column.end; ++j)
        if (!mineTaken[j] && !isBlankLine(mine.lines[j])) lines.push_back({mine.lines[j], j, false});
    for (int j = column.first; j < column.end; ++j) {
        if (theirsTaken[j] || isBlankLine(theirs.lines[j])) continue;
        bool same = false;
        for (int k = column.first; k < column.end && !same; ++k)
            if (!mineTaken[k] && !isBlankLine(mine.lines[k]) && sameText(mine.lines[k].text, theirs.lines[j].text)) {
                mineTaken[k] = true;  // paired now
                same = true;
                if (!sameLine(mine.lines[k], theirs.lines[j])) merged.conflict = true;
            }
        if (!same) lines.push_back({theirs.lines[j], j, false, &blank});
    }
    keepCounts(lines, mine, theirs, column, merged.conflict);
    place(lines, column, mine, merged.page, merged.conflict);
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
    for (Column column : columns) mergeColumn(base, window, file, column, merged);
    return merged;
}
