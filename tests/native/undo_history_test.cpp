// The undo history: steps taken by comparing pages, undone and redone.
#include <gtest/gtest.h>

#include <string>

#include "edit/undo_history.h"

namespace {

DayPage changed(DayPage page, int line, const std::string& text)
{
    setLineText(page.lines[line], text.c_str());
    return page;
}

std::string textOf(const UndoHistory& history, int line)
{
    return history.shown.lines[line].text;
}

TEST(UndoHistory, LinesDifferByTextDoneOrMarkOnly)
{
    DayPage page = changed({}, 5, "  ab");
    trimLineText(page.lines[5]);  // leaves a stray byte after the terminator
    DayPage done = page, marked = page;
    done.lines[30].done = 1;
    marked.lines[43].mark = markSecondary;
    EXPECT_EQ(firstChangedLine(page, changed({}, 5, "ab")), -1);
    EXPECT_EQ(firstChangedLine(page, done), 30);
    EXPECT_EQ(firstChangedLine(marked, done), 30);
    EXPECT_EQ(firstChangedLine(page, marked), 43);
}

TEST(UndoHistory, UndoAndRedoWalkTheStepsWithTheirLines)
{
    UndoHistory history;
    startHistory(history, {});
    const int lines[] = {7, 22, 3};
    DayPage page;
    for (int line : lines) takeStep(history, page = changed(page, line, "at " + std::to_string(line)));
    takeStep(history, page);  // no change, no step
    EXPECT_FALSE(canRedo(history, page));

    for (int i = 2; i >= 0; --i) {
        EXPECT_EQ(undoStep(history), lines[i]);
        EXPECT_EQ(textOf(history, lines[i]), "");
    }
    EXPECT_EQ(firstChangedLine(history.shown, {}), -1);
    EXPECT_FALSE(canUndo(history, history.shown));
    EXPECT_EQ(undoStep(history), -1);
    for (int line : lines) {
        EXPECT_EQ(redoStep(history), line);
        EXPECT_EQ(textOf(history, line), "at " + std::to_string(line));
    }
    EXPECT_EQ(redoStep(history), -1);
    EXPECT_EQ(firstChangedLine(history.shown, page), -1);
}

TEST(UndoHistory, ANewStepAfterUndoDropsTheRedoSide)
{
    UndoHistory history;
    startHistory(history, {});
    takeStep(history, changed({}, 1, "one"));
    takeStep(history, changed(history.shown, 2, "two"));
    undoStep(history);
    DayPage typed = changed(history.shown, 9, "typed");
    EXPECT_TRUE(canUndo(history, typed));
    EXPECT_FALSE(canRedo(history, typed));  // typing not yet taken already counts
    takeStep(history, typed);
    EXPECT_EQ(redoStep(history), -1);
    EXPECT_EQ(undoStep(history), 9);
    EXPECT_EQ(textOf(history, 2), "");
}

TEST(UndoHistory, HoldsTheLatestHundredSteps)
{
    UndoHistory history;
    startHistory(history, {});
    for (int step = 1; step <= undoStepLimit + 1; ++step)
        takeStep(history, changed(history.shown, 0, std::to_string(step)));
    int undone = 0;
    while (undoStep(history) >= 0) ++undone;
    EXPECT_EQ(undone, undoStepLimit);
    EXPECT_EQ(textOf(history, 0), "1");
}

// After a change of day nothing is left; after Close current day only the
// carry-over, whose undoing gives the next day as it was loaded.
TEST(UndoHistory, ADayShownStartsAfresh)
{
    UndoHistory history;
    startHistory(history, {});
    takeStep(history, changed({}, 4, "old day"));
    takeStep(history, changed({}, 5, "old day"));
    undoStep(history);
    DayPage loaded = changed({}, 30, "planned");
    startHistory(history, loaded);
    EXPECT_FALSE(canUndo(history, loaded));
    EXPECT_FALSE(canRedo(history, loaded));

    DayPage carried = changed(changed(loaded, 25, "carried"), 2, "meeting");
    takeStep(history, carried);
    EXPECT_EQ(undoStep(history), 2);
    EXPECT_EQ(firstChangedLine(history.shown, loaded), -1);
    EXPECT_EQ(undoStep(history), -1);
    EXPECT_EQ(redoStep(history), 2);
    EXPECT_EQ(firstChangedLine(history.shown, carried), -1);
}

}  // namespace
