#include <gtest/gtest.h>

#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "edit/sort_tasks.h"

namespace {

struct Line {
    const char* text;
    int mark = markPrimary;
    int done = 0;
};

DayPage pageWithTodos(const std::vector<Line>& todos)
{
    DayPage page;
    for (size_t i = 0; i < todos.size(); ++i) {
        DayLine& line = page.lines[firstTodoLine + i];
        setLineText(line, todos[i].text);
        line.mark = todos[i].mark;
        line.done = todos[i].done;
    }
    return page;
}

// The to-do lines as "text/mark/done", up to the last line that holds anything.
std::vector<std::string> todosOf(const DayPage& page)
{
    std::vector<std::string> out;
    for (int i = firstTodoLine; i < firstNoteLine; ++i) {
        const DayLine& l = page.lines[i];
        out.push_back(std::string(l.text) + "/" + std::to_string(l.mark) + "/" +
                      std::to_string(l.done));
    }
    while (!out.empty() && out.back() == "/1/0") out.pop_back();
    return out;
}

using Todos = std::vector<std::string>;

TEST(SortTasks, MarkBeforeTextAndFilledBeforeEmpty)
{
    DayPage page =
        pageWithTodos({{"beta"}, {""}, {"alpha", markSecondary}, {"gamma", markImportant}});
    sortTodoLines(page, std::strcmp);
    EXPECT_EQ(todosOf(page), (Todos{"gamma/0/0", "beta/1/0", "alpha/2/0"}));
}

TEST(SortTasks, EmptyLinesDoneOrNotGoBehindEveryFilledLine)
{
    DayPage page = pageWithTodos({{"", markImportant, 1}, {"b"}, {""}, {"a", markSecondary, 1},
                                  {"", markSecondary, 0}, {"c"}});
    sortTodoLines(page, std::strcmp);
    Todos sorted = todosOf(page);
    ASSERT_GE(sorted.size(), 3u);
    EXPECT_EQ(Todos(sorted.begin(), sorted.begin() + 3), (Todos{"b/1/0", "c/1/0", "a/2/1"}));
    for (size_t i = 3; i < sorted.size(); ++i) EXPECT_EQ(sorted[i][0], '/') << sorted[i];
}

TEST(SortTasks, EqualLinesComeOutInTheExchangeOrder)
{
    // The done and the open "pay" compare equal; the exchange with "order"
    // puts the done one last.
    DayPage page = pageWithTodos({{"pay", markPrimary, 1}, {"pay", markPrimary, 0}, {"order"}});
    sortTodoLines(page, std::strcmp);
    EXPECT_EQ(todosOf(page), (Todos{"order/1/0", "pay/1/0", "pay/1/1"}));
}

TEST(SortTasks, SortedListAndOtherColumnsStayAsTheyAre)
{
    DayPage page = pageWithTodos(
        {{"x", markImportant}, {"a"}, {"b", markPrimary, 1}, {"a", markSecondary}});
    setLineText(page.lines[3], "zz schedule");
    setLineText(page.lines[firstNoteLine], "aa note");
    DayPage sorted = page;
    sortTodoLines(sorted, std::strcmp);
    EXPECT_EQ(std::memcmp(&sorted, &page, sizeof page), 0);
}

TEST(SortTasks, TextOrderIsTheGivenCollation)
{
    DayPage page = pageWithTodos({{"apple"}, {"Banana"}});
    sortTodoLines(page, std::strcmp);
    EXPECT_EQ(todosOf(page), (Todos{"Banana/1/0", "apple/1/0"}));
    sortTodoLines(page, strcasecmp);
    EXPECT_EQ(todosOf(page), (Todos{"apple/1/0", "Banana/1/0"}));
}

}  // namespace
