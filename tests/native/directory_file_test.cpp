// Directory files: their exact bytes, reading them back, and replacing them safely.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "directory/directory_file.h"
#include "tests/common/scratch_folder.h"

namespace {

class DirectoryFiles : public ::testing::Test {
protected:
    ScratchFolder folder;
    Directory contacts{}, templates{}, periodicTasks{};
    std::string bytesOf(const char* name) { return readBytes(folder.path() / name); }
};

// Each directory's keys in written order, an empty field ending in the blank,
// quoted where the reader would change the text, line breaks as blanks.
TEST_F(DirectoryFiles, ExactBytesOfEachDirectory)
{
    templates[0] = {.name = "Dentist"};
    templates[1] = {.name = "Call the bank"};
    ASSERT_TRUE(saveDirectories(contacts, templates, periodicTasks));
    EXPECT_EQ(bytesOf("directory_template.ini"),
              "\r\n[ITEM_0]\r\nname = Dentist\r\n\r\n[ITEM_1]\r\nname = Call the bank\r\n");
    EXPECT_EQ(bytesOf("directory_contact.ini") + bytesOf("directory_periodic.ini"), "");

    contacts[0] = {.name = "Ann", .description = "  two\r\nlines", .phone = "555 0101",
                   .email = "ann@example.org", .birthday = "03.07.1980", .period = "unused"};
    periodicTasks[0] = {.name = "Gym", .period = "Day or week", .week = "-+--+--"};
    ASSERT_TRUE(saveDirectories(contacts, templates, periodicTasks));
    EXPECT_EQ(bytesOf("directory_contact.ini"),
              "\r\n[ITEM_0]\r\nbirthday = 03.07.1980\r\ndescription = \"  two  lines\"\r\n"
              "email = ann@example.org\r\nname = Ann\r\nphone = 555 0101\r\n");
    EXPECT_EQ(bytesOf("directory_periodic.ini"),
              "\r\n[ITEM_0]\r\nname = Gym\r\nperiod = Day or week\r\nweek = -+--+--\r\n"
              "day = \r\nmonth = \r\n");
}

TEST_F(DirectoryFiles, FullDirectoryRoundTripsAndSectionTwoHundredIsNeverRead)
{
    for (int i = 0; i < directoryCapacity; ++i) {
        std::snprintf(contacts[i].name, sizeof contacts[i].name, "Contact %d", i);
        std::memset(contacts[i].description, 'a' + i % 26, 259);
        std::memset(contacts[i].phone, '7', 19);
        std::memset(contacts[i].email, 'e', 39);
        std::strcpy(contacts[i].birthday, "12.31.0000");
    }
    ASSERT_TRUE(saveDirectory(contactsFile, contacts));
    writeBytes(folder.path() / "directory_contact.ini",
               bytesOf("directory_contact.ini") + "[ITEM_200]\r\nname = Extra\r\n");
    Directory back;
    loadDirectory(contactsFile, back);
    EXPECT_EQ(std::memcmp(back, contacts, sizeof back), 0);
}

// Sections load by number whatever their order or letter case; a gap or an
// empty name skips only that section; the entries are packed, cut to their
// field widths, and nothing stale is left behind them.
TEST_F(DirectoryFiles, HandWrittenFileLoadsPacked)
{
    writeBytes(folder.path() / "directory_periodic.ini",
               "[ITEM_4]\nname=Rent\nperiod=Month\nday=1\n[item_0]\nNAME=Gym\nweek=+-+-+-+-+\n"
               "[ITEM_1]\nname=\nperiod=Month\nday=5\n[ITEM_3]\nperiod=Year\n"
               "[ITEM_199]\nname=Last\nday=123\nmonth=0012\n");
    periodicTasks[5] = {.name = "stale"};
    loadDirectory(periodicTasksFile, periodicTasks);
    Directory expected{};
    expected[0] = {.name = "Gym", .week = "+-+-+-+"};
    expected[1] = {.name = "Rent", .period = "Month", .day = "1"};
    expected[2] = {.name = "Last", .day = "12", .month = "00"};
    EXPECT_EQ(std::memcmp(periodicTasks, expected, sizeof expected), 0);
}

TEST_F(DirectoryFiles, FailedWriteIsReportedLeavesThePreviousFileAndStillWritesTheOthers)
{
    templates[0] = {.name = "kept"};
    ASSERT_TRUE(saveDirectories(contacts, templates, periodicTasks));
    std::string before = bytesOf("directory_template.ini");
    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directories(folder.path() / "directory_template.ini.tmp" / "x");
    templates[0] = {.name = "replacement"};
    periodicTasks[0] = {.name = "changed"};
    EXPECT_FALSE(saveDirectories(contacts, templates, periodicTasks));
    EXPECT_EQ(bytesOf("directory_template.ini"), before);
    EXPECT_EQ(bytesOf("directory_periodic.ini").find("name = changed\r\n"), 12u);
}

}  // namespace
