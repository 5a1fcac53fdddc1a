#include <gtest/gtest.h>

#include <string>

#include "edit/insert_text.h"

namespace {

struct InsertionCase {
    const char* line;
    int start;
    int end;
    const char* text;
    int caret;
};

TEST(InsertText, NameReplacesTheSelectionWithBlanksWhereTextRemains)
{
    const InsertionCase cases[] = {
        {"", 0, 0, "Ann", 3},
        {"Call", 4, 4, "Call Ann", 8},
        {"Call", 0, 0, "Ann Call", 3},
        {"Call Bob now", 5, 8, "Call  Ann  now", 9},  // blanks around the selection are doubled
        {"Call ", 5, 5, "Call  Ann", 9},
        {"Call", 2, 2, "Ca Ann ll", 6},
        {"Call Bob", 0, 8, "Ann", 3},  // everything selected
        {"Call Bob", 5, 8, "Call  Ann", 9},
        // positions beyond the text read count as its end; a reversed selection is the same selection
        {"Call", 40, 60, "Call Ann", 8},
        {"Call", 2, 400, "Ca Ann", 6},
        {"Call Bob now", 8, 5, "Call  Ann  now", 9},
        {"Call", -3, 0, "Ann Call", 3},
    };
    for (const InsertionCase& c : cases) {
        InsertedText result = composeInsertedText(c.line, c.start, c.end, "Ann");
        EXPECT_STREQ(result.text, c.text) << '"' << c.line << "\" " << c.start << "-" << c.end;
        EXPECT_EQ(result.caret, c.caret) << '"' << c.line << "\" " << c.start << "-" << c.end;
    }
}

TEST(InsertText, LongestResultFitsAndLongerInputsAreCut)
{
    std::string line = std::string(259, 'a') + std::string(100, 'z');  // as an editor may hold it
    line[100] = 'b';
    std::string name(300, 'n');
    InsertedText result = composeInsertedText(line.c_str(), 100, 100, name.c_str());
    std::string expected = line.substr(0, 100) + " " + std::string(259, 'n') + " " +
                           line.substr(100, 159);
    EXPECT_EQ(std::string(result.text), expected);
    EXPECT_EQ(result.caret, 100 + 1 + 259);

    // the caret stands right after the name even at the very end
    result = composeInsertedText(line.c_str(), 259, 259, name.c_str());
    EXPECT_EQ(std::string(result.text).size(), 259u + 1 + 259);
    EXPECT_EQ(result.caret, 519);
}

}  // namespace
