// Finding text on every day: which files count, what matches, in which order, and what is said about it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "day/day_file.h"
#include "day/day_search.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"

namespace {

using Rows = std::vector<std::string>;

class DaySearch : public ::testing::Test {
protected:
    // A folder with a day file's name is listed as a file but cannot be read as one.
    DaySearch() { std::filesystem::create_directories(folder.path() / "Data" / "2026_05_05.ini"); }
    void save(SystemTime day, std::vector<std::pair<int, const char*>> lines)
    {
        DayPage page;
        for (auto [line, text] : lines) setLineText(page.lines[line], text);
        saveDayPage(page, day);
    }
    void index()
    {
        std::vector<FolderFile> files = listFolder(".\\Data");
        files.push_back({"2026_05_05.ini", 0, 0});
        planIndex(days, "Data", files);
        while (readNextDay(days)) {}
    }
    Rows find(const char* typed)
    {
        result = findLines(days, typed);
        Rows rows;
        for (const FoundRow& row : result.rows) {
            char day[24];
            std::snprintf(day, sizeof day, "%d-%d-%d ", row.date.wYear, row.date.wMonth, row.date.wDay);
            rows.push_back(day + lineLabel(row.line) + " " + std::string(row.text));
        }
        return rows;
    }
    ScratchFolder folder;
    DayIndex days;
    FindResult result;
};

TEST_F(DaySearch, EveryLineOfEveryDayNewestFirst)
{
    save(date(2025, 12, 31), {{firstTodoLine, "Dentist"}});
    save(date(2026, 3, 14), {{firstNoteLine + 1, "dentist, dentist"}, {1, "the DENTIST at 9"}, {2, "dent ist"}});
    save(date(2026, 3, 15), {{5, "ordentistry"}});
    for (const char* foreign : {"notes.txt", "2026_02_30.ini", "2026_3_16.ini", "2026_03_16.txt", "0999_01_01.ini", "2026_03_17.ini.tmp"})
        writeBytes(folder.path() / "Data" / foreign, "[NOTE]\r\nTEXT_0 = dentist\r\n");
    // Read by the platform's rules: no key is named with a leading zero, and the first of a name counts.
    writeBytes(folder.path() / "Data" / "2026_03_18.ini", "[todo]\r\nTEXT_05 = dentist\r\nTEXT_5\r\ntext_5 = dentist\r\n");
    writeBytes(folder.path() / "Data" / "2026_04_01.ini", std::string("\xff\0[[=\r\n=]dentist\x1a", 17));
    index();
    EXPECT_EQ(days.days.size(), 6u);

    const Rows all = {"2026-3-15 10:30 ordentistry", "2026-3-14 08:30 the DENTIST at 9",
                      "2026-3-14 Note 2 dentist, dentist", "2025-12-31 To do 1 Dentist"};
    EXPECT_EQ(find("DENTIST"), all);
    EXPECT_EQ(find("  dentist "), all);
    EXPECT_EQ(countText(result), "4 matches; 1 day file could not be read");
    EXPECT_EQ(find("tist a"), Rows{"2026-3-14 08:30 the DENTIST at 9"});
    for (const char* nothing : {"", "   ", "9\ndent", "dentistry at", "dust"}) EXPECT_EQ(find(nothing), Rows{}) << nothing;

    // The day in the window replaces its file.
    DayPage shown;
    setLineText(shown.lines[firstTodoLine + 2], "dentist, not saved");
    setShownDay(days, date(2026, 3, 15), shown);
    EXPECT_EQ(find("dentist").front(), "2026-3-15 To do 3 dentist, not saved");
    EXPECT_EQ(result.total, 4u);
}

TEST_F(DaySearch, NewestThousandShownOfMore)
{
    std::vector<std::pair<int, const char*>> full;
    for (int line = 0; line < dayLineCount; ++line) full.push_back({line, "x"});
    for (int day = 1; day <= 25; ++day) save(date(2026, 1, day), full);
    index();
    Rows rows = find("X");
    EXPECT_EQ(countText(result), "1,000 of 1,100 matches shown; 1 day file could not be read");
    EXPECT_EQ(rows.front(), "2026-1-25 08:00 x");
    EXPECT_EQ(rows.back(), "2026-1-3 To do 10 x");
}

// A later opening reads again only the files that changed, and the one that could not be read.
TEST_F(DaySearch, LaterOpeningsReadOnlyWhatChanged)
{
    for (int day = 1; day <= 3; ++day) save(date(2026, 1, day), {{0, "first"}});
    index();
    index();
    EXPECT_EQ(days.toRead.size(), 1u);
    save(date(2026, 1, 2), {{0, "second"}});
    std::filesystem::remove(folder.path() / "Data" / "2026_01_03.ini");
    index();
    EXPECT_EQ(days.toRead.size(), 2u);
    EXPECT_EQ(find("s"), (Rows{"2026-1-2 08:00 second", "2026-1-1 08:00 first"}));
}

TEST(DaySearchTexts, CountsAndLabels)
{
    EXPECT_EQ(countText({std::vector<FoundRow>(1000), 1000, 2, true}), "1,000 matches; 2 day files could not be read");
    EXPECT_EQ(readingText(1234, 3650), "Reading 1,234 of 3,650 days...");
    EXPECT_EQ(lineLabel(21) + "|" + lineLabel(41) + "|" + lineLabel(42), "18:30|To do 20|Note 1");
}

}  // namespace
