#include <gtest/gtest.h>

#include <string>

#include "day/day_page.h"
#include "day/ini_file.h"

namespace {

std::string valueOf(const std::string& file, const char* section, const char* key,
                    size_t width = 260)
{
    std::string buffer(width, '?');
    readIniString(parseIni(file), section, key, "<default>", buffer.data(), width);
    return buffer.c_str();
}

TEST(IniReader, NamesIgnoreCaseAndBlanksAroundKeysAndValues)
{
    std::string file = "[todo]\r\ntext_0=plain\r\n \tTEXT_1 \t= \t spaced \t\r\n";
    EXPECT_EQ(valueOf(file, "TODO", "TEXT_0"), "plain");
    EXPECT_EQ(valueOf(file, "Todo", "text_1"), "spaced");
}

TEST(IniReader, QuotesArePeeledOncePerMatchingPair)
{
    std::string file =
        "[S]\na=\"quoted\"\nb='single'\nc=\"mixed'\nd=\"\ne=\"\"\nf=\"\"twice\"\"\ng=x\"y\"\n";
    EXPECT_EQ(valueOf(file, "S", "a"), "quoted");
    EXPECT_EQ(valueOf(file, "S", "b"), "single");
    EXPECT_EQ(valueOf(file, "S", "c"), "\"mixed'");
    EXPECT_EQ(valueOf(file, "S", "d"), "\"");
    EXPECT_EQ(valueOf(file, "S", "e"), "");
    EXPECT_EQ(valueOf(file, "S", "f"), "\"twice\"");
    EXPECT_EQ(valueOf(file, "S", "g"), "x\"y\"");
}

TEST(IniReader, FirstKeyAndFirstSectionOfANameCount)
{
    std::string file = "[S]\nk=first\nk=second\n[s]\nk=third\nother=x\n";
    EXPECT_EQ(valueOf(file, "S", "k"), "first");
    EXPECT_EQ(valueOf(file, "S", "other"), "<default>");
}

TEST(IniReader, LinesBeforeTheFirstSectionAndKeysWithoutValuesAreNotRead)
{
    std::string file = "k=orphan\n[S]\nbare\nk\nk=late\n";
    EXPECT_EQ(valueOf(file, "S", "k"), "<default>");
    EXPECT_EQ(valueOf(file, "S", "bare"), "<default>");
    EXPECT_EQ(valueOf(file, "", "k"), "<default>");
}

TEST(IniReader, AnyLineEndWorks)
{
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        std::string file = std::string("[S]") + eol + "a=1" + eol + eol + "b=2";
        EXPECT_EQ(valueOf(file, "S", "a"), "1") << int(eol[0]);
        EXPECT_EQ(valueOf(file, "S", "b"), "2") << int(eol[0]);
    }
}

TEST(IniReader, ValuesAreCutToTheWidth)
{
    std::string file = "[S]\nk=" + std::string(300, 'v') + "\n";
    EXPECT_EQ(valueOf(file, "S", "k"), std::string(259, 'v'));
    EXPECT_EQ(valueOf(file, "S", "k", 3), "vv");
}

TEST(IniReader, SectionHeaderRunsToTheLastBracket)
{
    std::string file = "[a]b]\nk=1\n[open\nk=2\n";
    EXPECT_EQ(valueOf(file, "a]b", "k"), "1");
    EXPECT_EQ(valueOf(file, "a]b", "[open"), "<default>");
}

TEST(IniReader, NumbersReadAsThePlatformReadsThem)
{
    IniFile file = parseIni("[S]\na=42\nb=-7\nc=\nd=12abc\ne=abc\nf=0x1F\ng=+5\nh=4294967295\n");
    EXPECT_EQ(readIniInt(file, "S", "a", 99), 42);
    EXPECT_EQ(readIniInt(file, "S", "b", 99), -7);
    EXPECT_EQ(readIniInt(file, "S", "c", 99), 99);
    EXPECT_EQ(readIniInt(file, "S", "d", 99), 12);
    EXPECT_EQ(readIniInt(file, "S", "e", 99), 0);
    EXPECT_EQ(readIniInt(file, "S", "f", 99), 31);
    EXPECT_EQ(readIniInt(file, "S", "g", 99), 5);
    EXPECT_EQ(readIniInt(file, "S", "h", 99), -1);
    EXPECT_EQ(readIniInt(file, "S", "missing", 99), 99);
}

TEST(IniWriter, EveryTextReadsBackAsWritten)
{
    const char* texts[] = {"plain", "\tleading tab", "trailing tab\t", "\"both\"", "'both'",
                           "\"", "\"\"", "'", "\" only start", "only end'", " blank ",
                           "x = y", "[NOTE]", "", "\x1a"};
    for (const char* text : texts) {
        TextBuilder b("[S]\r\nk = ");
        appendIniValue(b, text);
        EXPECT_EQ(valueOf(b.data(), "S", "k"), text) << b.data();
    }
}

TEST(IniWriter, LineBreaksBecomeBlanksSoNoKeyCanBeInjected)
{
    TextBuilder b("[S]\r\nk = ");
    appendIniValue(b, "x\r\nTEXT_5 = y\n");
    b.appendLineBreak();
    b.append("TEXT_5 = real");
    EXPECT_STREQ(b.data(), "[S]\r\nk = \"x  TEXT_5 = y \"\r\nTEXT_5 = real");
    EXPECT_EQ(valueOf(b.data(), "S", "k"), "x  TEXT_5 = y ");
    EXPECT_EQ(valueOf(b.data(), "S", "TEXT_5"), "real");
}

TEST(IniWriter, OrdinaryTextsAreWrittenUnchanged)
{
    TextBuilder b;
    appendIniValue(b, "Buy stamps; call \"Bob\" at 5");
    EXPECT_STREQ(b.data(), "Buy stamps; call \"Bob\" at 5");
}

}  // namespace
