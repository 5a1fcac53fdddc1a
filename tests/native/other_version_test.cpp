// Other versions: which names count, what differs from the page, and moving copies aside.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "day/version_lines.h"
#include "storage/other_version.h"
#include "tests/common/scratch_folder.h"

namespace {

// Maker, who, and the time when the name gives one: "syncthing ABC1234 2026-12-07 09:30:05".
std::string described(std::string_view fileName, std::string_view stem)
{
    static const char* makers[] = {"none", "quillory", "syncthing", "dropbox", "nextcloud", "onedrive"};
    VersionName name = parseVersionName(fileName, stem);
    std::string text = makers[int(name.maker)];
    if (!name.who.empty()) text += " " + name.who;
    if (name.timed) {
        char time[40];
        std::snprintf(time, sizeof time, " %04d-%02d-%02d %02d:%02d:%02d", name.time.wYear, name.time.wMonth,
                      name.time.wDay, name.time.wHour, name.time.wMinute, name.time.wSecond);
        text += time;
    }
    return text;
}

TEST(OtherVersionNames, EachToolsNameAndItsNearMisses)
{
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"2026_12_07.conflict-20261207-093005.ini", "quillory 2026-12-07 09:30:05"},
        {"2026_12_07.CONFLICT-20261207-093005.INI", "quillory 2026-12-07 09:30:05"},
        {"2026_12_07.conflict-20261207.ini", "none"},
        {"2026_12_07.conflict-20261307-093005.ini", "none"},
        {"2026_12_07.conflict-20261207-246000.ini", "none"},
        {"2026_12_07.sync-conflict-20261207-093005-ABC1234.ini", "syncthing ABC1234 2026-12-07 09:30:05"},
        {"2026_12_07.sync-conflict-20261207-093005-ABC123.ini", "none"},
        {"2026_12_07.sync-conflict-20261207-093005-ABC12345.ini", "none"},
        {"2026_12_07.sync-conflict-20261207-ABC1234.ini", "none"},
        {"2026_12_07.sync-conflict-20261207-093005-ABC-234.ini", "none"},
        {"2026_12_07 (Ann's conflicted copy 2026-12-07).ini", "dropbox Ann"},
        {"2026_12_07 (O'Neil's Laptop's Conflicted Copy 2026-12-07) (2).ini", "dropbox O'Neil's Laptop"},
        {"2026_12_07 (Ann's conflicted copy 2026-12-07) (x).ini", "none"},
        {"2026_12_07 (Ann's conflicted copy 2026-02-30).ini", "none"},
        {"2026_12_07 (conflicted copy 2026-12-07 093005).ini", "nextcloud 2026-12-07 09:30:05"},
        {"2026_12_07 (conflicted copy 2026-12-07).ini", "none"},
        {"2026_12_07-DESKTOP.ini", "onedrive DESKTOP"},
        {"2026_12_07-DESKTOP-2.ini", "onedrive DESKTOP"},
        {"2026_12_07-DESKTOP-AB12CD.ini", "onedrive DESKTOP-AB12CD"},
        {"2026_12_07-DESKTOP-AB12CD-12.ini", "onedrive DESKTOP-AB12CD"},
        {"2026_12_07-ABCDEFGHIJKLMNO.ini", "onedrive ABCDEFGHIJKLMNO"},
        {"2026_12_07-ABCDEFGHIJKLMNOP.ini", "none"},
        {"2026_12_07-2.ini", "none"},
        {"2026_12_07-PC_1.ini", "none"},
        {"2026_12_07-copy.ini", "none"},
        {"2026_12_07-Laptop.ini", "none"},
        {"2026_12_07-2024-05.ini", "none"},
        {"2026_12_07.ini", "none"},
        {"2026_12_07.ini.tmp", "none"},
        {"2026_12_08.conflict-20261207-093005.ini", "none"},
        {"2026_12_08-DESKTOP.ini", "none"},
        {"2026_12_07-DESKTOP.txt", "none"},
    };
    for (const auto& c : cases) EXPECT_EQ(described(c.name, "2026_12_07"), c.expected) << c.name;
    EXPECT_EQ(described("directory_contact-old.ini", "directory_contact"), "none");
    EXPECT_EQ(described("directory_template-2024-05.ini", "directory_template"), "none");
    EXPECT_EQ(described("directory_contact-LAPTOP-7.ini", "directory_contact"), "onedrive LAPTOP");
    // The directory files' copies, by the same patterns, are shown in the window and end to end.
    // A copy whose name gives no one (those of this computer and of a device are shown in the window).
    EXPECT_EQ(versionLabel(parseVersionName("x (conflicted copy 2026-12-07 093005).ini", "x"), "7 Dec", false),
              "From another copy, 7 Dec, could not be read");
}

// A row for every line that differs by text, done box or mark; checked only where the page's line is
// empty; an empty line's mark, which no file keeps, is no difference.
TEST(OtherVersionLines, DifferingLinesAndTheirChecks)
{
    DayPage page, version;
    page.lines[0] = version.lines[0] = {"Standup"};
    version.lines[1] = {"Dentist"};
    page.lines[2] = {"Call Ann"};
    version.lines[2] = {"Call Ann", 1};
    page.lines[3] = {"Gym", 0, markImportant};
    version.lines[3] = {"Gym"};
    page.lines[firstTodoLine] = {"Buy stamps"};
    page.lines[firstTodoLine + 1].mark = markSecondary;
    version.lines[firstNoteLine + 1].done = 1;
    std::string rows;
    for (DifferingLine row : differingLines(page, version))
        rows += std::to_string(row.line) + (row.checked ? "x " : " ");
    EXPECT_EQ(rows, "1x 2 3 22 43x ");
    EXPECT_EQ(comparedText(version.lines[2]), "Call Ann (done)");
    EXPECT_TRUE(differingLines(version, version).empty());

    takeLines(page, version, {1, 2, firstTodoLine});
    EXPECT_EQ(std::string(page.lines[1].text), "Dentist");
    EXPECT_EQ(page.lines[2].done, 1);
    EXPECT_EQ(page.lines[firstTodoLine].text[0], '\0');
    EXPECT_EQ(page.lines[3].mark, markImportant);
}

// Into "Other versions" beside the file, created when needed; a name taken there gets the next number,
// and no file is replaced. (A directory file's copy goes beside it in the same way: shown in the window.)
TEST(OtherVersionFiles, MovedAsideUnderAFreeName)
{
    ScratchFolder folder;
    auto data = folder.path() / "Data";
    writeBytes(data / "2026_12_07-PC.ini", "first");
    EXPECT_EQ(moveAside(".\\Data\\2026_12_07-PC.ini"), ".\\Data\\Other versions\\2026_12_07-PC.ini");
    writeBytes(data / "2026_12_07-PC.ini", "second");
    writeBytes(data / "Other versions" / "2026_12_07-PC (2).ini", "kept by hand");
    EXPECT_EQ(moveAside(".\\Data\\2026_12_07-PC.ini"), ".\\Data\\Other versions\\2026_12_07-PC (3).ini");
    EXPECT_EQ(readBytes(data / "Other versions" / "2026_12_07-PC.ini"), "first");
    EXPECT_EQ(readBytes(data / "Other versions" / "2026_12_07-PC (2).ini"), "kept by hand");
    EXPECT_EQ(readBytes(data / "Other versions" / "2026_12_07-PC (3).ini"), "second");
    EXPECT_FALSE(std::filesystem::exists(data / "2026_12_07-PC.ini"));
    EXPECT_EQ(moveAside(".\\Data\\2026_12_07-PC.ini"), "");
}

}  // namespace
