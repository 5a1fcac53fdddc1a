// The files Quillory keeps: their exact bytes and reading them back; the INI reader is checked under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "day/day_file.h"
#include "day/stored_page.h"
#include "directory/directory_file.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string dump(const DayPage& page)
{
    std::string s;
    for (const DayLine& l : page.lines)
        s += l.text + (" " + std::to_string(l.done) + std::to_string(l.mark) + "\n");
    return s;
}

class Files : public ::testing::Test {
protected:
    ScratchFolder folder;
    DayPage page, back;
    Directory contacts{}, templates{}, periodicTasks{};
    std::string bytesOf(const char* name) { return readBytes(folder.path() / name); }
};

// A done line without text is kept, a mark alone is not, each section counts
// from 0, a text the reader would change is quoted, and a line break is a blank.
TEST_F(Files, ExactBytesOfADayFile)
{
    page.lines[5].done = 1;
    page.lines[6] = {"x\r\nTEXT_7 = injected", 0, markSecondary};
    page.lines[firstTodoLine + 3].mark = markSecondary;
    page.lines[firstNoteLine] = {"Buy stamps", 1, markImportant};
    page.lines[firstNoteLine + 1] = {"\"Umbrella\""};
    EXPECT_EQ(saveDayPage(page, date(2026, 3, 14)), SaveResult::written);
    EXPECT_EQ(bytesOf("Data/2026_03_14.ini"),
              "; YEAR:2026; MONTH:3; DAY:14;\r\n"
              "\r\n[SCHEDULE]\r\nTEXT_5 = \r\nDONE_5 = 1\r\nMARK_5 = 1\r\n"
              "TEXT_6 = x  TEXT_7 = injected\r\nDONE_6 = 0\r\nMARK_6 = 2\r\n"
              "\r\n[TODO]\r\n"
              "\r\n[NOTE]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\nMARK_0 = 0\r\n"
              "TEXT_1 = \"\"Umbrella\"\"\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n");
}

// The largest page has its exact size and reads back as it was saved; then a done
// box alone still keeps the file, a mark alone deletes it, and nothing is read from it.
TEST_F(Files, DayFileRoundTripsUntilItIsEmpty)
{
    for (int i = 0; i < dayLineCount; ++i) {
        std::string text(300, char('A' + i % 26));
        text[0] = char('a' + i % 26);
        page.lines[i] = {{}, i < firstNoteLine ? i % 2 : 0, i % 3};
        setLineText(page.lines[i], text.c_str());
    }
    saveDayPage(page, date(2026, 5, 1));
    // first line, three headers, 44 entries of 259 characters, and one more digit in each key of lines 10 and up
    EXPECT_EQ(bytesOf("Data/2026_05_01.ini").size(),
              30u + 14 + 10 + 10 + 44 * (9 + 259 + 2 + 12 + 12) + 22 * 3);
    readDayPage(date(2026, 5, 1), back);
    EXPECT_EQ(dump(back), dump(page));

    page = DayPage{};
    page.lines[3].done = 1;
    EXPECT_EQ(saveDayPage(page, date(2026, 5, 1)), SaveResult::written);
    page.lines[3] = {"", 0, markSecondary};
    EXPECT_EQ(saveDayPage(page, date(2026, 5, 1)), SaveResult::deleted);
    readDayPage(date(2026, 5, 1), back);
    EXPECT_EQ(dump(back), dump(DayPage{}));
}

// Texts the reader would change (blanks or quotes at the ends, a lone quote, the end-of-file byte) are
// written so that they read back as typed, up to the full 259 characters. That the platform reads
// such files as our reader does is shown under Wine.
TEST_F(Files, AwkwardTextsReadBackAsTyped)
{
    const std::string texts[] = {"\tlead", "trail\t", "\"both\"", "'both'", "\"", "\"\"", "'", " x ", "a = b",
                                 "[TODO]", "\x1a", "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1 \xf0\x9f\x98\x80",
                                 std::string(259, 'w'), "\t" + std::string(258, 'w'), "\"" + std::string(258, 'w')};
    for (int i = 0; i < int(std::size(texts)); ++i) setLineText(page.lines[i], texts[i].c_str());
    saveDayPage(page, date(2026, 4, 2));
    readDayPage(date(2026, 4, 2), back);
    EXPECT_EQ(dump(back), dump(page));
}

// A day file that cannot be deleted (a folder stands in its place) fails the save; a
// temporary file an earlier failure left behind, here one that cannot be removed, blocks nothing.
TEST_F(Files, SavesFailOnlyWhereTheDayFileItselfIsBlocked)
{
    setLineText(page.lines[0], "Standup");
    std::filesystem::create_directories(folder.path() / "Data/2026_03_14.ini.tmp/left");
    std::filesystem::create_directories(folder.path() / "Data/2026_03_15.ini/in");
    EXPECT_EQ(saveDayPage(page, date(2026, 3, 14)), SaveResult::written);
    EXPECT_EQ(saveDayPage(DayPage{}, date(2026, 3, 15)), SaveResult::failed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "Data"), {}), 3);
}

// The sanitizer run shows a read of the freed buffer; the content shows a stale one.
TEST(TextBuilder, AppendsTextFromItsOwnBuffer)
{
    TextBuilder b("abc");
    std::string expected = "abc";
    for (int i = 0; i < 10; ++i) {
        b.append(b.data() + i % 2);
        expected += expected.substr(i % 2);
    }
    EXPECT_EQ(std::string(b.data(), size_t(b.length())), expected);
}

// Each directory's keys in written order, an empty field ending in the blank,
// quoted where the reader would change the text, line breaks as blanks.
TEST_F(Files, ExactBytesOfEachDirectory)
{
    contacts[0] = {.name = "Ann", .description = "  two\r\nlines", .phone = "555 0101",
                   .email = "ann@example.org", .birthday = "03.07.1980", .period = "unused"};
    templates[0] = {.name = "Dentist"};
    templates[1] = {.name = "Call the bank"};
    periodicTasks[0] = {.name = "Gym", .period = "Day or week", .week = "-+--+--"};
    ASSERT_TRUE(saveDirectory(contactsFile, contacts) && saveDirectory(templatesFile, templates) &&
                saveDirectory(periodicTasksFile, periodicTasks));
    EXPECT_EQ(bytesOf("directory_contact.ini"),
              "\r\n[ITEM_0]\r\nbirthday = 03.07.1980\r\ndescription = \"  two  lines\"\r\n"
              "email = ann@example.org\r\nname = Ann\r\nphone = 555 0101\r\n");
    EXPECT_EQ(bytesOf("directory_template.ini"),
              "\r\n[ITEM_0]\r\nname = Dentist\r\n\r\n[ITEM_1]\r\nname = Call the bank\r\n");
    EXPECT_EQ(bytesOf("directory_periodic.ini"),
              "\r\n[ITEM_0]\r\nname = Gym\r\nperiod = Day or week\r\nweek = -+--+--\r\n"
              "day = \r\nmonth = \r\n");

}

// Sections load by number whatever their order or letter case, up to ITEM_199; a gap or
// an empty name skips only that section; the first of two equal keys counts; the entries
// are packed, cut to their field widths, and nothing stale is left behind them.
TEST_F(Files, HandWrittenDirectoryLoadsPacked)
{
    writeBytes(folder.path() / "directory_periodic.ini",
               "[ITEM_4]\nname=Rent\nperiod=Month\nday=1\n[item_0]\nNAME=Gym\nname=Swim\nweek=+-+-+-+-+\n"
               "[ITEM_1]\nname=\nperiod=Month\nday=5\n[ITEM_3]\nperiod=Year\n"
               "[ITEM_199]\nname=Last\nday=123\nmonth=0012\n[ITEM_200]\nname=Beyond\n");
    periodicTasks[5] = {.name = "stale"};
    loadDirectory(periodicTasksFile, periodicTasks);
    Directory expected{};
    expected[0] = {.name = "Gym", .week = "+-+-+-+"};
    expected[1] = {.name = "Rent", .period = "Month", .day = "1"};
    expected[2] = {.name = "Last", .day = "12", .month = "00"};
    EXPECT_EQ(std::memcmp(periodicTasks, expected, sizeof expected), 0);
}

}  // namespace
