// The undo history: steps found by comparing pages, undone and redone.
#include <gtest/gtest.h>

#include <string>

#include "edit/undo_history.h"

namespace {

DayPage changed(DayPage page, int line, const std::string& text)
{
    setLineText(page.lines[line], text.c_str());
    return page;
}

TEST(UndoHistory, BytesAfterALinesTextDoNotCount)
{
    DayPage page = changed({}, 5, "  ab");
    trimLineText(page.lines[5]);  // leaves a stray byte after the terminator
    EXPECT_EQ(firstChangedLine(page, changed({}, 5, "ab")), -1);
}

TEST(UndoHistory, UndoAndRedoWalkTheStepsWithTheirLines)
{
    UndoHistory history;
    startHistory(history, {});
    const int lines[] = {7, 22, 3};
    for (int line : lines) takeStep(history, changed(history.shown, line, "typed"));
    takeStep(history, history.shown);  // no change, no step
    DayPage last = history.shown;
    for (int i = 2; i >= 0; --i) EXPECT_EQ(undoStep(history), lines[i]);
    EXPECT_EQ(firstChangedLine(history.shown, {}), -1);
    EXPECT_EQ(undoStep(history), -1);
    for (int line : lines) EXPECT_EQ(redoStep(history), line);
    EXPECT_EQ(redoStep(history), -1);
    EXPECT_EQ(firstChangedLine(history.shown, last), -1);
}

// A new day starts afresh; after Close current day the next day's history
// holds the carry-over alone, undone to the next day as loaded.
TEST(UndoHistory, ANewStepDropsTheRedoSideAndANewDayAllSteps)
{
    UndoHistory history;
    startHistory(history, {});
    takeStep(history, changed({}, 1, "one"));
    takeStep(history, changed(history.shown, 2, "two"));
    undoStep(history);
    DayPage typed = changed(history.shown, 9, "typed");
    EXPECT_FALSE(canRedo(history, typed));  // typing not yet taken already counts
    takeStep(history, typed);
    EXPECT_EQ(redoStep(history), -1);
    EXPECT_EQ(undoStep(history), 9);

    DayPage loaded = changed({}, 30, "planned");
    startHistory(history, loaded);
    EXPECT_FALSE(canUndo(history, loaded) || canRedo(history, loaded));
    takeStep(history, changed(changed(loaded, 25, "carried"), 2, "meeting"));
    EXPECT_EQ(undoStep(history), 2);
    EXPECT_EQ(firstChangedLine(history.shown, loaded), -1);
    EXPECT_EQ(undoStep(history), -1);
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
    EXPECT_STREQ(history.shown.lines[0].text, "1");
}

}  // namespace
