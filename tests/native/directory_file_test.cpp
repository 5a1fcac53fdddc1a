#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "day/day_page.h"
#include "directory/directory_file.h"
#include "tests/common/scratch_folder.h"

namespace {

void setField(char* field, size_t width, const std::string& text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text.data(), std::min(text.size(), width - 1));
}

#define SET(entry, field, text) setField((entry).field, sizeof (entry).field, text)

bool isZero(const DirectoryEntry& entry)
{
    static const DirectoryEntry zero{};
    return std::memcmp(&entry, &zero, sizeof entry) == 0;
}

std::string composed(const DirectoryFile& file, const Directory& directory)
{
    TextBuilder text = composeDirectoryFile(file, directory);
    return std::string(text.data(), size_t(text.length()));
}

std::string section(int i, const std::string& keys)
{
    return "\r\n[ITEM_" + std::to_string(i) + "]\r\n" + keys;
}

class DirectoryFiles : public ::testing::Test {
protected:
    ScratchFolder folder;
    Directory contacts{}, templates{}, periodicTasks{};
    std::filesystem::path file(const char* name) { return folder.path() / name; }
};

TEST_F(DirectoryFiles, TwoTemplatesExample)
{
    SET(templates[0], name, "Dentist");
    SET(templates[1], name, "Call the bank");
    ASSERT_TRUE(saveDirectories(contacts, templates, periodicTasks));
    EXPECT_EQ(readBytes(file("directory_template.ini")),
              "\r\n"
              "[ITEM_0]\r\n"
              "name = Dentist\r\n"
              "\r\n"
              "[ITEM_1]\r\n"
              "name = Call the bank\r\n");
    EXPECT_EQ(readBytes(file("directory_contact.ini")), "");
    EXPECT_EQ(readBytes(file("directory_periodic.ini")), "");
}

TEST_F(DirectoryFiles, EveryKeyInWrittenOrderWithEmptyFieldsEndingInTheBlank)
{
    SET(periodicTasks[0], name, "Gym");
    SET(periodicTasks[0], period, "Day or week");
    SET(periodicTasks[0], week, "-+--+--");
    EXPECT_EQ(composed(periodicTasksFile, periodicTasks),
              "\r\n"
              "[ITEM_0]\r\n"
              "name = Gym\r\n"
              "period = Day or week\r\n"
              "week = -+--+--\r\n"
              "day = \r\n"
              "month = \r\n");

    SET(contacts[0], name, "Ann");
    SET(contacts[0], phone, "555 0101");
    SET(contacts[0], email, "ann@example.org");
    SET(contacts[0], birthday, "03.07.1980");
    SET(contacts[0], description, "Neighbour");
    SET(contacts[0], period, "not a contact field");
    EXPECT_EQ(composed(contactsFile, contacts),
              section(0, "birthday = 03.07.1980\r\n"
                         "description = Neighbour\r\n"
                         "email = ann@example.org\r\n"
                         "name = Ann\r\n"
                         "phone = 555 0101\r\n"));
}

TEST_F(DirectoryFiles, EmptyDirectoryIsAZeroByteFileAndBack)
{
    SET(templates[0], name, "gone");
    ASSERT_TRUE(saveDirectory(templatesFile, Directory{}));
    EXPECT_TRUE(std::filesystem::exists(file("directory_template.ini")));
    EXPECT_EQ(std::filesystem::file_size(file("directory_template.ini")), 0u);
    loadDirectory(templatesFile, templates);
    EXPECT_TRUE(isZero(templates[0]));
}

TEST_F(DirectoryFiles, MissingFilesLoadAsEmptyDirectories)
{
    SET(contacts[3], name, "stale");
    SET(periodicTasks[0], day, "7");
    loadDirectories(contacts, templates, periodicTasks);
    for (int i = 0; i < directoryCapacity; ++i)
        EXPECT_TRUE(isZero(contacts[i]) && isZero(templates[i]) && isZero(periodicTasks[i])) << i;
}

TEST_F(DirectoryFiles, FullDirectoryRoundTripsAndSectionTwoHundredIsNeverRead)
{
    for (int i = 0; i < directoryCapacity; ++i) {
        SET(contacts[i], name, "Contact " + std::to_string(i));
        SET(contacts[i], description, std::string(259, char('a' + i % 26)));
        SET(contacts[i], phone, std::string(19, '7'));
        SET(contacts[i], email, std::string(39, 'e'));
        SET(contacts[i], birthday, "12.31.0000");
    }
    ASSERT_TRUE(saveDirectory(contactsFile, contacts));
    std::string bytes = readBytes(file("directory_contact.ini"));
    EXPECT_NE(bytes.find("\r\n[ITEM_199]\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("ITEM_200"), std::string::npos);

    writeBytes(file("directory_contact.ini"), bytes + section(200, "name = Extra\r\n"));
    Directory back;
    loadDirectory(contactsFile, back);
    EXPECT_EQ(std::memcmp(back, contacts, sizeof back), 0);
    ASSERT_TRUE(saveDirectory(contactsFile, back));
    EXPECT_EQ(readBytes(file("directory_contact.ini")), bytes);
}

TEST_F(DirectoryFiles, SectionsLoadByNumberWhateverTheirOrder)
{
    writeBytes(file("directory_template.ini"),
               "[ITEM_2]\nname=Third\n[item_0]\nNAME=First\n[ITEM_1]\nname=Second\n");
    loadDirectory(templatesFile, templates);
    EXPECT_STREQ(templates[0].name, "First");
    EXPECT_STREQ(templates[1].name, "Second");
    EXPECT_STREQ(templates[2].name, "Third");
    EXPECT_EQ(composed(templatesFile, templates),
              section(0, "name = First\r\n") + section(1, "name = Second\r\n") +
                  section(2, "name = Third\r\n"));
}

TEST_F(DirectoryFiles, GapOrEmptyNameSkipsOnlyThatSection)
{
    writeBytes(file("directory_periodic.ini"),
               "[ITEM_0]\nname=Gym\nweek=-+--+--\n"
               "[ITEM_1]\nname=\nperiod=Month\nday=5\n"
               "[ITEM_3]\nperiod=Year\n"
               "[ITEM_4]\nname=Rent\nperiod=Month\nday=1\n"
               "[ITEM_199]\nname=Last\n");
    loadDirectory(periodicTasksFile, periodicTasks);
    EXPECT_STREQ(periodicTasks[0].name, "Gym");
    EXPECT_STREQ(periodicTasks[1].name, "Rent");
    EXPECT_STREQ(periodicTasks[1].period, "Month");
    EXPECT_STREQ(periodicTasks[1].day, "1");
    EXPECT_STREQ(periodicTasks[2].name, "Last");
    EXPECT_STREQ(periodicTasks[2].day, "");
    for (int i = 3; i < directoryCapacity; ++i) EXPECT_TRUE(isZero(periodicTasks[i])) << i;

    ASSERT_TRUE(saveDirectory(periodicTasksFile, periodicTasks));
    std::string bytes = readBytes(file("directory_periodic.ini"));
    EXPECT_NE(bytes.find("[ITEM_2]\r\nname = Last\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("ITEM_3"), std::string::npos);
}

TEST_F(DirectoryFiles, MissingKeysAndEmptyValuesGiveEmptyFields)
{
    writeBytes(file("directory_contact.ini"),
               "[ITEM_0]\nname = Bob\nphone =\nemail\nbirthday =   \n");
    loadDirectory(contactsFile, contacts);
    DirectoryEntry expected{};
    SET(expected, name, "Bob");
    EXPECT_EQ(std::memcmp(&contacts[0], &expected, sizeof expected), 0);
}

TEST_F(DirectoryFiles, LongValuesAreCutToTheirFieldWidth)
{
    writeBytes(file("directory_contact.ini"),
               "[ITEM_0]\nname=" + std::string(300, 'n') + "\nphone=" + std::string(30, '5') +
                   "\nemail=" + std::string(50, 'e') + "\nbirthday=02.29.20000\n");
    writeBytes(file("directory_periodic.ini"),
               "[ITEM_0]\nname=Task\nday=123\nmonth=0012\nweek=+-+-+-+-+\n");
    loadDirectories(contacts, templates, periodicTasks);
    EXPECT_EQ(std::string(contacts[0].name), std::string(259, 'n'));
    EXPECT_EQ(std::string(contacts[0].phone), std::string(19, '5'));
    EXPECT_EQ(std::string(contacts[0].email), std::string(39, 'e'));
    EXPECT_STREQ(contacts[0].birthday, "02.29.2000");
    EXPECT_STREQ(periodicTasks[0].day, "12");
    EXPECT_STREQ(periodicTasks[0].month, "00");
    EXPECT_STREQ(periodicTasks[0].week, "+-+-+-+");
}

TEST_F(DirectoryFiles, AwkwardTextsComeBackAsTheyWere)
{
    const char* names[] = {"  padded  ", "\"quoted\"", "'single'", "   ", "a = b", "[ITEM_5]"};
    for (int i = 0; i < 6; ++i) SET(templates[i], name, names[i]);
    SET(templates[6], name, "two\r\nlines");
    ASSERT_TRUE(saveDirectory(templatesFile, templates));
    Directory back;
    loadDirectory(templatesFile, back);
    for (int i = 0; i < 6; ++i) EXPECT_STREQ(back[i].name, names[i]);
    EXPECT_STREQ(back[6].name, "two  lines");
    EXPECT_TRUE(isZero(back[7]));
}

TEST_F(DirectoryFiles, FailedWriteIsReportedAndLeavesThePreviousFile)
{
    SET(templates[0], name, "kept");
    SET(periodicTasks[0], name, "also written");
    ASSERT_TRUE(saveDirectories(contacts, templates, periodicTasks));
    std::string before = readBytes(file("directory_template.ini"));

    // A folder in the way of the temporary file makes the write fail.
    std::filesystem::create_directories(file("directory_template.ini.tmp") / "x");
    SET(templates[0], name, "replacement");
    SET(periodicTasks[0], name, "changed");
    EXPECT_FALSE(saveDirectories(contacts, templates, periodicTasks));
    EXPECT_EQ(readBytes(file("directory_template.ini")), before);
    // The other files are still written.
    EXPECT_EQ(readBytes(file("directory_periodic.ini")).find("name = changed\r\n"), 12u);
}

}  // namespace
