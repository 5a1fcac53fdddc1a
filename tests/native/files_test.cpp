// The files Quillory keeps: their exact bytes and reading them back; the INI reader is checked under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "day/day_file.h"
#include "directory/directory_file.h"
#include "storage/working_folder.h"
#include "tests/common/dates.h"
#include "tests/common/saved_files.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string dump(const DayPage& page)
{
    std::string s;
    for (const DayLine& l : page.lines) s += l.text + (" " + std::to_string(l.done) + std::to_string(l.mark) + "\n");
    return s;
}

// A done line without text is kept, a mark alone is not; a text the reader would change is quoted. A folder in the
// temporary file's place blocks nothing; one in the day file's place, which cannot be read, is never written over.
TEST(Files, ExactBytesOfADayFile)
{
    ScratchFolder folder;
    std::filesystem::create_directories("Data/2026_03_14.ini.tmp/left");
    std::filesystem::create_directories("Data/2026_03_15.ini/in");
    DayPage page;
    page.lines[5].done = 1;
    page.lines[6] = {"x\r\nTEXT_7 = injected", 0, markSecondary};
    page.lines[firstTodoLine + 3].mark = markSecondary;
    page.lines[firstNoteLine] = {"Buy stamps", 1, markImportant};
    page.lines[firstNoteLine + 1] = {"\"Umbrella\""};
    EXPECT_EQ(saveDayPage(page, date(2026, 3, 14)), WriteOutcome::written);
    EXPECT_EQ(readBytes("Data/2026_03_14.ini"),
              "; YEAR:2026; MONTH:3; DAY:14;\r\n"
              "\r\n[SCHEDULE]\r\nTEXT_5 = \r\nDONE_5 = 1\r\nMARK_5 = 1\r\n"
              "TEXT_6 = x  TEXT_7 = injected\r\nDONE_6 = 0\r\nMARK_6 = 2\r\n"
              "\r\n[TODO]\r\n"
              "\r\n[NOTE]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\nMARK_0 = 0\r\n"
              "TEXT_1 = \"\"Umbrella\"\"\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n");
    EXPECT_EQ(saveDayPage(page, date(2026, 3, 15)), WriteOutcome::unchanged);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("Data"), {}), 3);
}

// Texts the reader would change read back as typed (the platform's reader agrees: see under Wine); a mark alone
// deletes the file.
TEST(Files, DayFileRoundTripsUntilItIsEmpty)
{
    ScratchFolder folder;
    const std::string texts[] = {"\tlead", "trail\t", "\"both\"", "'both'", "\"", "\"\"", "'", " x ", "a = b",
                                 "[TODO]", "\x1a", "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1 \xf0\x9f\x98\x80",
                                 "\t" + std::string(258, 'w'), "\"" + std::string(258, 'w')};
    DayPage page, back;
    for (int i = 0; i < dayLineCount; ++i) {
        page.lines[i] = {{}, i < firstNoteLine ? i % 2 : 0, i % 3};
        setLineText(page.lines[i], i < int(std::size(texts)) ? texts[i] : std::string(300, char('a' + i % 26)));
    }
    saveDayPage(page, date(2026, 5, 1));
    readDayPage(date(2026, 5, 1), back);
    EXPECT_EQ(dump(back), dump(page));

    page = DayPage{};
    page.lines[3] = {"", 0, markSecondary};
    EXPECT_EQ(saveDayPage(page, date(2026, 5, 1)), WriteOutcome::written);
    EXPECT_FALSE(std::filesystem::exists("Data/2026_05_01.ini"));
}

// Hand-written sections load by number up to ITEM_199, whatever their order or case; a gap or an empty name skips
// only that section; the first of two equal keys counts; entries are packed, cut, and nothing stale is left.
TEST(Files, DirectoryFiles)
{
    ScratchFolder folder;
    Directory contacts{}, periodicTasks{};
    contacts[0] = {.name = "Ann", .description = "  two\r\nlines", .phone = "555 0101",
                   .email = "ann@example.org", .birthday = "03.07.1980", .period = "unused"};
    periodicTasks[0] = {.name = "Gym", .period = "Day or week", .week = "-+--+--"};
    ASSERT_TRUE(saveDirectory(contactsFile, contacts) == WriteOutcome::written &&
                saveDirectory(periodicTasksFile, periodicTasks) == WriteOutcome::written);
    EXPECT_EQ(readBytes("directory_contact.ini"),
              "\r\n[ITEM_0]\r\nbirthday = 03.07.1980\r\ndescription = \"  two  lines\"\r\n"
              "email = ann@example.org\r\nname = Ann\r\nphone = 555 0101\r\n");
    EXPECT_EQ(readBytes("directory_periodic.ini"),
              "\r\n[ITEM_0]\r\nname = Gym\r\nperiod = Day or week\r\nweek = -+--+--\r\nday = \r\nmonth = \r\n");

    writeBytes("directory_periodic.ini",
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

// The folder a start works in: the one a user chose to start it in, else the one it last ran in, never a launcher's.
TEST(Files, WorkingFolderOfAStart)
{
    const std::string own = "D:\\Planner", installed = "C:\\Users\\Ann\\AppData\\Local\\Programs\\Quillory",
                      docs = "C:\\Users\\Ann\\Documents\\Quillory", last = "E:\\Sync\\Days";
    struct Case { bool arguments; std::string current, program, recorded, expected; } cases[] = {
        {false, own, own, last, own},  // unzipped, double-clicked
        {false, "C:\\Program Files Old\\Days", installed, "", "C:\\Program Files Old\\Days"},
        {false, installed + "\\", installed, "", docs},  // the Start menu's shortcut
        {false, installed, installed, last, last},
        {false, "c:\\WINDOWS\\system32\\", own, last, last},  // started by another program
        {false, "C:\\Users\\Ann", installed, "", docs},  // the Run box
        {true, "C:\\Mail\\Attachments", installed, last, last},  // Open with
        {true, "C:\\Mail\\Attachments", installed, "", docs},
        {true, "C:\\Windows\\System32", own, "", own},  // the logon entry, nothing recorded yet
    };
    for (const Case& c : cases) {
        StartPlace place{c.arguments, c.current, c.program, c.recorded, docs,
                         {"C:\\Windows", "C:\\Windows\\System32", "C:\\Users\\Ann"},
                         {"C:\\Program Files", "C:\\Users\\Ann\\AppData\\Local\\Programs"}};
        EXPECT_EQ(workingFolder(place), c.expected) << c.current << (c.arguments ? " with arguments" : "");
    }
}

}  // namespace
