// Day files: the INI rules they are read by, their exact bytes, and replacing them safely.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "day/day_file.h"
#include "day/ini_file.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string valueOf(const std::string& file, const char* section, const char* key,
                    size_t width = 260)
{
    std::string buffer(width, '?');
    readIniString(parseIni(file), section, key, "<default>", buffer.data(), width);
    return buffer.c_str();
}

TEST(IniReader, FindsValuesAsThePlatformReaderDoes)
{
    // Every line end the platform knows appears; "[open" is no section header.
    const std::string file = "k=orphan\n[todo]\r\ntext_0=plain\r\n \tTEXT_1 \t= \t spaced \t\r\n"
                             "dup=first\r\ndup=second\r\nbare\r\n[TODO]\r\nlate=x\r\n"
                             "[Q]\ra=\"quoted\"\rb='single'\rc=\"mixed'\rd=\"\re=\"\"\r"
                             "f=\"\"twice\"\"\rg=x\"y\"\r[a]b]\nk=1\n[open\nafter=2\n"
                             "long=" + std::string(300, 'v') + "\n"
                             "[N]\na=42\nb=-7\nc=\nd=12abc\ne=abc\nf=0x1F\ng=+5\nh=4294967295\n";
    struct { const char *section, *key; std::string value; size_t width = 260; } cases[] = {
        {"TODO", "TEXT_0", "plain"},   {"Todo", "text_1", "spaced"},
        {"todo", "dup", "first"},      {"todo", "late", "<default>"},  // second section unread
        {"todo", "bare", "<default>"}, {"", "k", "<default>"},         {"todo", "k", "<default>"},
        {"Q", "a", "quoted"},          {"Q", "b", "single"},           {"Q", "c", "\"mixed'"},
        {"Q", "d", "\""},              {"Q", "e", ""},                 {"Q", "f", "\"twice\""},
        {"Q", "g", "x\"y\""},          {"a]b", "k", "1"},              {"a]b", "after", "2"},
        {"a]b", "long", std::string(259, 'v')},                        {"a]b", "long", "vv", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(valueOf(file, c.section, c.key, c.width), c.value)
            << "[" << c.section << "] " << c.key << " width " << c.width;
    IniFile ini = parseIni(file);
    struct { const char* key; int value; } numbers[] = {
        {"a", 42}, {"b", -7}, {"c", 99}, {"d", 12}, {"e", 0},
        {"f", 31}, {"g", 5},  {"h", -1}, {"missing", 99},
    };
    for (const auto& c : numbers) EXPECT_EQ(readIniInt(ini, "N", c.key, 99), c.value) << c.key;
}

TEST(IniWriter, EveryTextReadsBackAsWritten)
{
    for (const char* text : {"plain", "\tleading tab", "trailing tab\t", "\"both\"", "'both'", "\"",
                             "\"\"", "'", "\" only start", "only end'", " blank ", "x = y",
                             "[NOTE]", "", "\x1a"}) {
        TextBuilder b("[S]\r\nk = ");
        appendIniValue(b, text);
        EXPECT_EQ(valueOf(b.data(), "S", "k"), text) << b.data();
    }
}

std::string dump(const DayPage& page)
{
    std::string s;
    for (const DayLine& l : page.lines)
        s += l.text + (" " + std::to_string(l.done) + std::to_string(l.mark) + "\n");
    return s;
}

class DayFile : public ::testing::Test {
protected:
    ScratchFolder folder;
    DayPage page, back;
    std::string bytesOf(const char* name) { return readBytes(folder.path() / "Data" / name); }
};

TEST_F(DayFile, ExactBytesOfTheFourteenthOfMarchAndOfAwkwardLines)
{
    page.lines[firstTodoLine] = {"Buy stamps", 1, markImportant};
    EXPECT_EQ(saveDayPage(page, date(2026, 3, 14)), SaveResult::written);
    EXPECT_EQ(bytesOf("2026_03_14.ini"),
              "; YEAR:2026; MONTH:3; DAY:14;\r\n"
              "\r\n[SCHEDULE]\r\n"
              "\r\n[TODO]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\nMARK_0 = 0\r\n"
              "\r\n[NOTE]\r\n");

    // A done line without text is kept, a mark alone is not, each section counts
    // from 0, a text the reader would change is quoted, and a line break is a blank.
    page = DayPage{};
    page.lines[5].done = 1;
    page.lines[6] = {"x\r\nTEXT_7 = injected", 0, markSecondary};
    page.lines[firstNoteLine].mark = markSecondary;
    page.lines[firstNoteLine + 1] = {"\"Umbrella\""};
    saveDayPage(page, date(2027, 1, 9));
    EXPECT_EQ(bytesOf("2027_01_09.ini"),
              "; YEAR:2027; MONTH:1; DAY:9;\r\n"
              "\r\n[SCHEDULE]\r\nTEXT_5 = \r\nDONE_5 = 1\r\nMARK_5 = 1\r\n"
              "TEXT_6 = x  TEXT_7 = injected\r\nDONE_6 = 0\r\nMARK_6 = 2\r\n"
              "\r\n[TODO]\r\n"
              "\r\n[NOTE]\r\nTEXT_1 = \"\"Umbrella\"\"\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n");
}

TEST_F(DayFile, LargestPageHasItsExactSizeAndRoundTrips)
{
    for (int i = 0; i < dayLineCount; ++i) {
        std::string text(259, char('A' + i % 26));
        text[0] = char('a' + i % 26);
        page.lines[i] = {{}, i < firstNoteLine ? i % 2 : 0, i % 3};
        setLineText(page.lines[i], text.c_str());
    }
    saveDayPage(page, date(2026, 5, 1));
    // first line, three headers, 44 entries, and one more digit in each key of lines 10 and up
    EXPECT_EQ(bytesOf("2026_05_01.ini").size(),
              30u + 14 + 10 + 10 + 44 * (9 + 259 + 2 + 12 + 12) + 22 * 3);
    readDayPage(date(2026, 5, 1), back);
    EXPECT_EQ(dump(back), dump(page));
}

// A done box alone still keeps the file; a mark alone does not.
TEST_F(DayFile, EmptyPageDeletesTheFileAndReadsAsDefaults)
{
    page.lines[3].done = 1;
    EXPECT_EQ(saveDayPage(page, date(2026, 6, 1)), SaveResult::written);
    ASSERT_TRUE(std::filesystem::exists(folder.path() / "Data/2026_06_01.ini"));
    page.lines[3] = {"", 0, markSecondary};
    EXPECT_EQ(saveDayPage(page, date(2026, 6, 1)), SaveResult::deleted);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Data/2026_06_01.ini"));
    back.lines[0] = {"stale", 1, markImportant};
    readDayPage(date(2026, 6, 1), back);
    EXPECT_EQ(dump(back), dump(DayPage{}));
}

TEST_F(DayFile, FailedWriteLeavesThePreviousFileIntact)
{
    page.lines[0] = {"kept"};
    saveDayPage(page, date(2026, 10, 1));
    std::string before = bytesOf("2026_10_01.ini");
    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directories(folder.path() / "Data/2026_10_01.ini.tmp/x");
    page.lines[0] = {"replacement"};
    EXPECT_EQ(saveDayPage(page, date(2026, 10, 1)), SaveResult::failed);
    EXPECT_EQ(bytesOf("2026_10_01.ini"), before);
}

}  // namespace
