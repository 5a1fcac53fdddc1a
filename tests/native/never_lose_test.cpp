// The change check behind saving as the user types, and a fault that garbled text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "day/stored_page.h"

namespace {

TEST(NeverLose, ChangeCheckSeesTextDoneAndMarkOfEveryLine)
{
    DayPage shown;
    setLineText(shown.lines[dayLineCount - 1], "keys");
    struct Case { void (*change)(DayLine&); bool same; };
    const Case cases[] = {
        {[](DayLine& l) { l.text[8] = 'x'; }, true},  // behind the terminator
        {[](DayLine& l) { l.text[3] = 'Z'; }, false},
        {[](DayLine& l) { l.done = 1; }, false},
        {[](DayLine& l) { l.mark = markImportant; }, false},
    };
    for (const Case& c : cases) {
        DayPage other = shown;
        c.change(other.lines[dayLineCount - 1]);
        EXPECT_EQ(samePage(shown, other), c.same);
    }
}

// The sanitizer run shows a read of the freed buffer; the content shows a stale one.
TEST(NeverLose, BuilderAppendsTextFromItsOwnBuffer)
{
    TextBuilder b("abc");
    std::string expected = "abc";
    for (int i = 0; i < 10; ++i) {
        b.append(b.data() + i % 2);
        expected += expected.substr(i % 2);
    }
    EXPECT_EQ(std::string(b.data(), size_t(b.length())), expected);
}

}  // namespace
