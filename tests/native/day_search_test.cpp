// Finding text on every day: which files count, what matches, in which order, and what is said about it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "day/day_file.h"
#include "day/day_search.h"
#include "tests/common/dates.h"
#include "tests/common/saved_files.h"
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
        for (const FoundRow& row : result.rows)
            rows.push_back(std::to_string(row.date.wYear * 10000 + row.date.wMonth * 100 + row.date.wDay) + " " +
                           lineLabel(row.line) + " " + std::string(row.text));
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
    for (const char* foreign : {"notes.txt", "2026_02_30.ini", "2026_3_16.ini", "2026_03_16.txt", "0999_01_01.ini",
                                "2026_03_17.ini.tmp", "2026_03_15.conflict-20260315-093000.ini", "2026_03_15-LAPTOP.ini"})
        writeBytes(folder.path() / "Data" / foreign, "[NOTE]\r\nTEXT_0 = dentist\r\n");
    // Read by the platform's rules: no key is named with a leading zero, and the first of a name counts.
    writeBytes(folder.path() / "Data" / "2026_03_18.ini", "[todo]\r\nTEXT_05 = dentist\r\nTEXT_5\r\ntext_5 = dentist\r\n");
    writeBytes(folder.path() / "Data" / "2026_04_01.ini", std::string("\xff\0[[=\r\n=]dentist\x1a", 17));
    index();
    index();
    EXPECT_EQ(days.toRead.size(), 1u);  // a later opening reads again only the day that could not be read

    const Rows all = {"20260315 10:30 ordentistry", "20260314 08:30 the DENTIST at 9",
                      "20260314 Note 2 dentist, dentist", "20251231 To do 1 Dentist"};
    EXPECT_EQ(find("DENTIST"), all);
    EXPECT_EQ(find("  dentist "), all);
    EXPECT_EQ(countText(result), "4 matches; 1 day file could not be read");
    EXPECT_EQ(find("tist a"), Rows{"20260314 08:30 the DENTIST at 9"});
    for (const char* nothing : {"", "   ", "9\ndent", "dentistry at", "dust"}) EXPECT_EQ(find(nothing), Rows{}) << nothing;

    // ... and those whose file changed or is gone; the texts they leave behind are let go.
    save(date(2026, 3, 15), {{5, std::string(259, '-').c_str()}});
    index();
    save(date(2026, 3, 15), {{5, "dentist"}});
    std::filesystem::remove(folder.path() / "Data" / "2025_12_31.ini");
    index();
    EXPECT_EQ(days.toRead.size(), 2u);
    EXPECT_EQ(find("dentist"), (Rows{"20260315 10:30 dentist", "20260314 08:30 the DENTIST at 9",
                                     "20260314 Note 2 dentist, dentist"}));

    // The day in the window replaces its file.
    DayPage shown;
    setLineText(shown.lines[firstTodoLine + 2], "dentist, not saved");
    setShownDay(days, date(2026, 3, 15), shown);
    EXPECT_EQ(find("dentist").front(), "20260315 To do 3 dentist, not saved");
    EXPECT_EQ(result.total, 3u);
    // A day shown empty because its file could not be read is no day searched.
    setShownDay(days, date(2026, 5, 5), DayPage{}, true);
    find("dentist");
    EXPECT_EQ(countText(result), "3 matches; 1 day file could not be read");
}

// The date picker's bold days: a file with a line, or the day shown as the window holds it.
TEST_F(DaySearch, DaysHoldingLinesOfAMonth)
{
    save(date(2026, 3, 1), {{0, "a"}});
    save(date(2026, 3, 31), {{firstNoteLine, "b"}});
    save(date(2026, 4, 1), {{0, "c"}});
    writeBytes(folder.path() / "Data" / "2026_03_10.ini", "[NOTE]\r\nDONE_0 = 1\r\n");
    index();
    EXPECT_EQ(daysHoldingLines(days, 2026, 3), 1u | 1u << 30);
    DayPage shown;
    setLineText(shown.lines[3], "typed, not saved");
    setShownDay(days, date(2026, 3, 10), shown);
    EXPECT_EQ(daysHoldingLines(days, 2026, 3), 1u | 1u << 9 | 1u << 30);
    setShownDay(days, date(2026, 3, 1), DayPage{});
    EXPECT_EQ(daysHoldingLines(days, 2026, 3), 1u << 30);
    EXPECT_EQ(daysHoldingLines(days, 2026, 4), 1u);
    EXPECT_EQ(daysHoldingLines(days, 2025, 3), 0u);
}

// Folded many bytes a step, a stray byte kept; from a letter whose upper case is shorter on, a character at a time.
TEST(LetterCase, EveryCharacterOfALongText)
{
    std::string text, expected;
    for (int i = 0; i < 12; ++i) {
        text += "\xc5\xbc\xc3\xb3\xc5\x82w \xd0\xb1\xd1\x8b\xd1\x82\xd1\x8c \xe6\x97\xa5 \xf0\x90\x90\xa8 ";
        expected += "\xc5\xbb\xc3\x93\xc5\x81W \xd0\x91\xd0\xab\xd0\xa2\xd0\xac \xe6\x97\xa5 \xf0\x90\x90\x80 ";
        if (i == 5) text += "\x80\xc5 ", expected += "\x80\xc5 ";
    }
    std::string folded;
    foldLetterCase(text + "\xc5\xbf\xce\xb1\xe9 \xf0\x9f\x98\x80 \xf0\x9e\xa4\xa2 ok", folded);  // Adlam
    EXPECT_EQ(folded, expected + "S\xce\x91\xe9 \xf0\x9f\x98\x80 \xf0\x9e\xa4\x80 OK");
}

// A folded form of another length still leads to its own line and to whole characters of it.
TEST_F(DaySearch, CaseOfEveryScriptAtCharacterBoundaries)
{
    save(date(2026, 3, 14), {{0, "Call \xc5\x81ukasz"}, {1, "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1"},
                             {2, "\xd0\xb4\xd0\xbe\xd0\xbc"}, {3, "\xc5\xbf\xc5\xbf\xc5\xbf\xc5\xbf"},
                             {4, "ss end"}, {5, "\xe6\x97\xa5\xe6\x9c\xac"},
                             {6, "\xce\xbb\xcf\x8c\xce\xb3\xce\xbf\xcf\x82"},  // a final sigma
                             {7, "\xc9\x90\xc9\x90\xc9\x90\xc9\x90"}});  // longer folded, as line 3 is shorter
    writeBytes(folder.path() / "Data" / "2026_03_13.ini", "[NOTE]\r\nTEXT_0 = Caf\xe9\r\n");  // code page 1252
    index();
    const struct { const char* typed; Rows rows; } cases[] = {
        {"\xd0\x94\xd0\x9e\xd0\x9c", {"20260314 09:00 \xd0\xb4\xd0\xbe\xd0\xbc"}},
        {"END", {"20260314 10:00 ss end"}},
        {"\xce\x9b\xce\x8c\xce\x93\xce\x9f\xce\xa3", {"20260314 11:00 \xce\xbb\xcf\x8c\xce\xb3\xce\xbf\xcf\x82"}},
        {"CAF\xc3\x89", {"20260313 Note 1 Caf\xc3\xa9"}},
        {"\x97\xa5", {}},  // the end of one character and nothing else
    };
    for (const auto& c : cases) EXPECT_EQ(find(c.typed), c.rows) << c.typed;

    const struct { const char* line; const char* typed; TextRange found; } inLine[] = {
        {"Call \xc5\x81ukasz", "\xc5\x82UKASZ", {5, 7}},
        {"\xc5\xbftra\xc3\x9f" "e", "STR", {0, 4}},  // a long s folds to one byte
        {"k\xc4\xb1y\xc4\xb1 Kiel", "KIY", {0, 4}},
        {"\xe6\x97\xa5\xe6\x9c\xac", "\xa5\xe6", {-1, 0}},
    };
    for (const auto& c : inLine) {
        TextRange found = findInLine(c.line, c.typed, foldLetterCase);
        EXPECT_EQ(found.start, c.found.start) << c.line;
        EXPECT_EQ(found.length, c.found.length) << c.line;
    }
}

}  // namespace
