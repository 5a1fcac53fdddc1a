#include <gtest/gtest.h>

#include <string>

#include "day/day_page.h"

namespace {

std::string contentOf(const TextBuilder& b)
{
    return std::string(b.data(), size_t(b.length()));
}

TEST(TextBuilder, EmptyOrMissingTextChangesNothing)
{
    TextBuilder b("abc");
    b.append("");
    b.append(nullptr);
    EXPECT_EQ(b.length(), 3);
    EXPECT_STREQ(b.data(), "abc");
    TextBuilder empty;
    EXPECT_EQ(empty.length(), 0);
    EXPECT_STREQ(empty.data(), "");
}

TEST(TextBuilder, AcceptsTheLimitExactlyAndRefusesOneMore)
{
    std::string big(TextBuilder::maxLength - 1, 'x');
    TextBuilder b(big.c_str());
    b.append("y");
    ASSERT_EQ(b.length(), TextBuilder::maxLength);
    b.append("z");
    EXPECT_EQ(b.length(), TextBuilder::maxLength);
    EXPECT_EQ(b.data()[TextBuilder::maxLength - 1], 'y');
    EXPECT_EQ(b.data()[TextBuilder::maxLength], '\0');
}

TEST(TextBuilder, ConstructionCountsAtMostTheLimit)
{
    std::string huge(TextBuilder::maxLength + 10, 'x');
    TextBuilder b(huge.c_str());
    EXPECT_EQ(b.length(), TextBuilder::maxLength);
}

TEST(TextBuilder, NumbersAndLineBreaks)
{
    TextBuilder b;
    b.appendLineBreak();
    EXPECT_EQ(contentOf(b), "\r\n");
    b.appendNumber(0);
    b.appendNumber(-7);
    b.appendNumber(2147483647);
    EXPECT_EQ(contentOf(b), "\r\n0-72147483647");
    EXPECT_EQ(b.length(), 2 + 1 + 2 + 10);
}

TEST(TextBuilder, CopyAndAssignAreIndependent)
{
    TextBuilder a("one");
    TextBuilder b(a);
    b.append("two");
    EXPECT_EQ(contentOf(a), "one");
    a.assign(a);
    EXPECT_EQ(contentOf(a), "one");
    a.assign(TextBuilder());
    EXPECT_EQ(a.length(), 0);
    EXPECT_STREQ(a.data(), "");
    a = b;
    EXPECT_EQ(contentOf(a), "onetwo");
}

}  // namespace
