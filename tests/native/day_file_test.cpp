#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "day/day_file.h"
#include "day/day_page.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/dates.h"

namespace {

bool sameLine(const DayLine& a, const DayLine& b)
{
    return std::strcmp(a.text, b.text) == 0 && a.done == b.done && a.mark == b.mark;
}

class DayFile : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::filesystem::path file(const char* name) { return folder.path() / "Data" / name; }
};

TEST_F(DayFile, FourteenthOfMarchExample)
{
    DayPage page;
    setLineText(page.lines[firstTodoLine], "Buy stamps");
    page.lines[firstTodoLine].done = 1;
    page.lines[firstTodoLine].mark = markImportant;

    EXPECT_EQ(saveDayPage(page, date(2026, 3, 14)), SaveResult::written);
    EXPECT_EQ(readBytes(file("2026_03_14.ini")),
              "; YEAR:2026; MONTH:3; DAY:14;\r\n"
              "\r\n"
              "[SCHEDULE]\r\n"
              "\r\n"
              "[TODO]\r\n"
              "TEXT_0 = Buy stamps\r\n"
              "DONE_0 = 1\r\n"
              "MARK_0 = 0\r\n"
              "\r\n"
              "[NOTE]\r\n");
}

TEST_F(DayFile, OnlyANoteLineStillWritesEveryHeader)
{
    DayPage page;
    setLineText(page.lines[firstNoteLine + 1], "Pack umbrella");
    page.lines[firstNoteLine].mark = markSecondary;  // a mark alone is not written
    saveDayPage(page, date(2027, 1, 9));
    EXPECT_EQ(readBytes(file("2027_01_09.ini")),
              "; YEAR:2027; MONTH:1; DAY:9;\r\n"
              "\r\n"
              "[SCHEDULE]\r\n"
              "\r\n"
              "[TODO]\r\n"
              "\r\n"
              "[NOTE]\r\n"
              "TEXT_1 = Pack umbrella\r\n"
              "DONE_1 = 0\r\n"
              "MARK_1 = 1\r\n");
}

TEST_F(DayFile, PathNamesTheDateWithLeadingZeros)
{
    EXPECT_EQ(dayFilePath(date(2027, 1, 9)), ".\\Data\\2027_01_09.ini");
    EXPECT_EQ(dayFilePath(date(2026, 12, 6)), ".\\Data\\2026_12_06.ini");
    EXPECT_EQ(dayFilePath(date(987, 10, 31)), ".\\Data\\987_10_31.ini");
}

TEST_F(DayFile, LargestPageRoundTripsAndSavesIdenticallyTwice)
{
    DayPage page;
    for (int i = 0; i < dayLineCount; ++i) {
        std::string text(259, char('A' + i % 26));
        text[0] = char('a' + i % 26);
        setLineText(page.lines[i], text.c_str());
        page.lines[i].done = i < firstNoteLine ? i % 2 : 0;
        page.lines[i].mark = i % 3;
    }
    saveDayPage(page, date(2026, 5, 1));
    std::string first = readBytes(file("2026_05_01.ini"));
    // first line, three headers, 44 entries, and one more digit in each key of lines 10 and up
    EXPECT_EQ(first.size(), 30u + 14 + 10 + 10 + 44 * (9 + 259 + 2 + 12 + 12) + 22 * 3);
    saveDayPage(page, date(2026, 5, 1));
    EXPECT_EQ(readBytes(file("2026_05_01.ini")), first);

    DayPage back;
    readDayPage(date(2026, 5, 1), back);
    for (int i = 0; i < dayLineCount; ++i) EXPECT_TRUE(sameLine(back.lines[i], page.lines[i])) << i;
}

TEST_F(DayFile, EmptyPageDeletesTheFileAndLoadsAsDefaults)
{
    DayPage page;
    setLineText(page.lines[3], "Dentist");
    saveDayPage(page, date(2026, 6, 1));
    ASSERT_TRUE(std::filesystem::exists(file("2026_06_01.ini")));

    EXPECT_EQ(saveDayPage(DayPage(), date(2026, 6, 1)), SaveResult::deleted);
    EXPECT_FALSE(std::filesystem::exists(file("2026_06_01.ini")));
    EXPECT_EQ(saveDayPage(DayPage(), date(2026, 6, 2)), SaveResult::deleted);  // none to delete

    DayPage back;
    setLineText(back.lines[0], "stale");
    back.lines[0].done = 1;
    back.lines[0].mark = 0;
    readDayPage(date(2026, 6, 1), back);
    for (const DayLine& line : back.lines) EXPECT_TRUE(sameLine(line, DayLine()));
}

TEST_F(DayFile, DoneLineWithoutTextIsKept)
{
    DayPage page;
    page.lines[5].done = 1;
    saveDayPage(page, date(2026, 7, 1));
    EXPECT_NE(readBytes(file("2026_07_01.ini")).find("TEXT_5 = \r\nDONE_5 = 1\r\n"),
              std::string::npos);
    DayPage back;
    readDayPage(date(2026, 7, 1), back);
    EXPECT_EQ(back.lines[5].done, 1);
    EXPECT_STREQ(back.lines[5].text, "");
}

TEST_F(DayFile, AwkwardTextsComeBackAsTheyWere)
{
    DayPage page;
    const char* texts[] = {"\"quoted\"", "\ttabbed\t", "'x'", "\"", "a = b", "[NOTE]"};
    for (int i = 0; i < 6; ++i) setLineText(page.lines[i], texts[i]);
    setLineText(page.lines[firstTodoLine], "x\r\nTEXT_5 = injected");
    saveDayPage(page, date(2026, 8, 1));

    DayPage back;
    readDayPage(date(2026, 8, 1), back);
    for (int i = 0; i < 6; ++i) EXPECT_STREQ(back.lines[i].text, texts[i]);
    EXPECT_STREQ(back.lines[firstTodoLine].text, "x  TEXT_5 = injected");
    EXPECT_STREQ(back.lines[firstTodoLine + 5].text, "");
}

TEST_F(DayFile, HandWrittenFileReadsByThePlatformRules)
{
    writeBytes(file("2026_09_01.ini"),
               "TEXT_0=before any section\n"
               "[schedule]\n"
               "text_0=lower case\n"
               "done_0=1\n"
               "mark_0=2\n"
               "TEXT_0=second time\n"
               "TEXT_22=beyond the schedule\n"
               "[TODO]\n"
               "  TEXT_19 \t=\t  last to-do  \n"
               "TEXT_20=beyond the list\n"
               "TEXT_1=" + std::string(300, 'z') + "\n"
               "[NOTE]\n"
               "TEXT_0=\"quoted note\"\n"
               "DONE_0=1\n"
               "TEXT_2=beyond the notes\n");
    DayPage page;
    readDayPage(date(2026, 9, 1), page);
    EXPECT_STREQ(page.lines[0].text, "lower case");
    EXPECT_EQ(page.lines[0].done, 1);
    EXPECT_EQ(page.lines[0].mark, 2);
    EXPECT_STREQ(page.lines[21].text, "");
    EXPECT_STREQ(page.lines[firstTodoLine + 19].text, "last to-do");
    EXPECT_EQ(page.lines[firstTodoLine + 19].mark, markPrimary);
    EXPECT_EQ(std::string(page.lines[firstTodoLine + 1].text), std::string(259, 'z'));
    EXPECT_STREQ(page.lines[firstNoteLine].text, "quoted note");
    EXPECT_EQ(page.lines[firstNoteLine].done, 1);
    EXPECT_STREQ(page.lines[firstNoteLine + 1].text, "");
}

TEST_F(DayFile, MissingFolderReadsAsEmpty)
{
    DayPage page;
    readDayPage(date(2030, 1, 1), page);
    EXPECT_TRUE(isPageEmpty(page));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Data"));
}

TEST_F(DayFile, FailedWriteLeavesThePreviousFileIntact)
{
    DayPage page;
    setLineText(page.lines[0], "kept");
    saveDayPage(page, date(2026, 10, 1));
    std::string before = readBytes(file("2026_10_01.ini"));

    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directory(file("2026_10_01.ini.tmp"));
    std::filesystem::create_directory(file("2026_10_01.ini.tmp") / "x");
    setLineText(page.lines[0], "replacement");
    EXPECT_EQ(saveDayPage(page, date(2026, 10, 1)), SaveResult::failed);
    EXPECT_EQ(readBytes(file("2026_10_01.ini")), before);
}

}  // namespace
