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
    const struct { const char* name; const char* expected; } cases[] = {
        {"2026_12_07.conflict-20261207-093005.ini", "quillory 2026-12-07 09:30:05"},
        {"2026_12_07.CONFLICT-20261207-093005.INI", "quillory 2026-12-07 09:30:05"},
        {"2026_12_07.conflict-20261207.ini", "none"}, {"2026_12_07.conflict-20261307-093005.ini", "none"},
        {"2026_12_07.conflict-20261207-246000.ini", "none"},
        {"2026_12_07.conflict-LAPTOP-20261207-093005.ini", "quillory LAPTOP 2026-12-07 09:30:05"},
        {"2026_12_07.Conflict-DESKTOP-AB12CD-20261207-093005.ini", "quillory DESKTOP-AB12CD 2026-12-07 09:30:05"},
        {"2026_12_07.conflict-ABCDEFGHIJKLMNO-20261207-093005.ini", "quillory ABCDEFGHIJKLMNO 2026-12-07 09:30:05"},
        {"2026_12_07.conflict-ABCDEFGHIJKLMNOP-20261207-093005.ini", "none"},
        {"2026_12_07.conflict-laptop-20261207-093005.ini", "none"}, {"2026_12_07.conflict--20261207-093005.ini", "none"},
        {"2026_12_07.conflict-1234-20261207-093005.ini", "none"},
        {"2026_12_07.conflict-LAPTOP20261207-093005.ini", "none"}, {"2026_12_07.conflict-LAPTOP-20261207.ini", "none"},
        {"2026_12_07.conflict-20261207-093005-LAPTOP.ini", "none"},
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
        {"2026_12_07 (conflicted copy 2026-12-07).ini", "none"}, {"2026_12_07-DESKTOP.ini", "onedrive DESKTOP"},
        {"2026_12_07-DESKTOP-2.ini", "onedrive DESKTOP"}, {"2026_12_07-DESKTOP-AB12CD.ini", "onedrive DESKTOP-AB12CD"},
        {"2026_12_07-DESKTOP-AB12CD-12.ini", "onedrive DESKTOP-AB12CD"},
        {"2026_12_07-DESKTOP-1234567.ini", "onedrive DESKTOP-1234567"},  // as Windows setup names a computer
        {"2026_12_07-LAPTOP-7K3J2QF-3.ini", "onedrive LAPTOP-7K3J2QF"},
        {"2026_12_07-DESKTOP-123456.ini", "onedrive DESKTOP"},
        {"2026_12_07-ABCDEFGHIJKLMNO.ini", "onedrive ABCDEFGHIJKLMNO"}, {"2026_12_07-ABCDEFGHIJKLMNOP.ini", "none"},
        {"2026_12_07-2.ini", "none"}, {"2026_12_07-PC_1.ini", "none"}, {"2026_12_07-copy.ini", "none"},
        {"2026_12_07-Laptop.ini", "none"}, {"2026_12_07-2024-05.ini", "none"}, {"2026_12_07.ini", "none"},
        {"2026_12_07.ini.tmp", "none"}, {"2026_12_08-DESKTOP.ini", "none"}, {"2026_12_07-DESKTOP.txt", "none"},
        {"2026_12_08.conflict-20261207-093005.ini", "none"},
    };
    for (const auto& c : cases) EXPECT_EQ(described(c.name, "2026_12_07"), c.expected) << c.name;
    EXPECT_EQ(described("directory_contact-old.ini", "directory_contact"), "none");
    EXPECT_EQ(described("directory_template-2024-05.ini", "directory_template"), "none");
    EXPECT_EQ(described("directory_contact-LAPTOP-7.ini", "directory_contact"), "onedrive LAPTOP");
    // The directory files' copies, by the same patterns, are shown in the window and end to end.
}

// This program's copies carry the computer's name as the rule of names allows it, and are "this computer"
// only where that name is this computer's; a sync tool's copy is never, whatever its name.
TEST(OtherVersionNames, KeptUnderTheComputersNameAndLabelledByIt)
{
    const struct { const char* computer; const char* kept; } keeps[] = {
        {"LAPTOP", "2026_12_07.conflict-LAPTOP-20261207-093000.ini"},
        {"my_pc", "2026_12_07.conflict-MY-PC-20261207-093000.ini"},
        {"J\xc3\xbcrgens-PC", "2026_12_07.conflict-J-RGENS-PC-20261207-093000.ini"},  // one hyphen for the "ü"
        {"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e-COMPUTER-NAME",  // cut to 15 characters, not bytes
         "2026_12_07.conflict-----COMPUTER-NA-20261207-093000.ini"},
        {"ABCDEFGHIJKLMNOPQ", "2026_12_07.conflict-ABCDEFGHIJKLMNO-20261207-093000.ini"},
        {"1234", "2026_12_07.conflict-20261207-093000.ini"},
    };
    for (const auto& k : keeps) {
        EXPECT_EQ(otherVersionPath(".\\Data\\2026_12_07.ini", k.computer, {2026, 12, 0, 7, 9, 30, 0, 0}),
                  std::string(".\\Data\\") + k.kept);
        EXPECT_EQ(parseVersionName(k.kept, "2026_12_07").maker, VersionMaker::quillory) << k.kept;
    }
    const struct { const char* name; const char* thisComputer; VersionRead read; const char* label; } labels[] = {
        {"x.conflict-LAPTOP-20261207-093005.ini", "DESK", VersionRead::read, "From LAPTOP, 7 Dec"},
        {"x.conflict-MY-PC-20261207-093005.ini", "my_pc", VersionRead::read, "From this computer, 7 Dec"},
        {"x.conflict-20261207-093005.ini", "DESK", VersionRead::read, "From this computer, 7 Dec"},
        {"x-DESK.ini", "DESK", VersionRead::read, "From DESK, 7 Dec"},
        {"x (conflicted copy 2026-12-07 093005).ini", "DESK", VersionRead::unreadable,
         "From another copy, 7 Dec, could not be read"},
        {"x.sync-conflict-20261207-093005-ABC1234.ini", "DESK", VersionRead::tooLarge,
         "From ABC1234, 7 Dec, too large to compare"},
    };
    for (const auto& l : labels)
        EXPECT_EQ(versionLabel(parseVersionName(l.name, "x"), l.thisComputer, "7 Dec", l.read), l.label) << l.name;
}

// A row for every line that differs by text, done box or mark as the window would show them (trimmed, marks in
// range, a note without a done box); checked only where the page's line is empty; an empty line's mark, which no
// file keeps, is no difference.
TEST(OtherVersionLines, DifferingLinesAndTheirChecks)
{
    const struct { int line; DayLine page, version; } lines[] = {
        {0, {"Standup"}, {"Standup"}}, {1, {}, {"Dentist"}}, {2, {"Call Ann"}, {"Call Ann", 1}},
        {3, {"Gym", 0, markImportant}, {"Gym"}}, {4, {"Lunch"}, {"  Lunch "}}, {5, {"Lunch"}, {"\tLunch"}},
        {6, {"Walk", 0, markImportant}, {"Walk", 0, 3}}, {7, {"Walk", 0, markSecondary}, {"Walk", 0, -1}},
        {8, {"Walk", 1}, {"Walk", 2}}, {firstTodoLine, {"Buy stamps"}, {}}, {firstTodoLine + 1, {"", 0, markSecondary}, {}},
        {firstNoteLine, {"Umbrella"}, {"Umbrella", 1}}, {firstNoteLine + 1, {}, {"Umbrella"}},
    };
    DayPage page, version;
    for (const auto& l : lines) page.lines[l.line] = l.page, version.lines[l.line] = l.version;
    std::string rows;
    for (DifferingLine row : differingLines(page, version))
        rows += std::to_string(row.line) + (row.checked ? "x " : " ");
    EXPECT_EQ(rows, "1x 2 3 5 22 43x ");
    EXPECT_EQ(comparedText(version.lines[2]), "Call Ann (done)");
    EXPECT_TRUE(differingLines(page, page).empty());

    takeLines(page, version, {1, 2, firstTodoLine});
    EXPECT_EQ(std::string(page.lines[1].text), "Dentist");
    EXPECT_EQ(page.lines[2].done, 1);
    EXPECT_EQ(page.lines[firstTodoLine].text[0], '\0');
    EXPECT_EQ(page.lines[3].mark, markImportant);
}

// A copy is read up to a megabyte, which no day file comes near, and no further. It moves into "Other versions"
// beside the file, created when needed, where a name taken gets the next number and no file is replaced. (A
// directory file's copy goes beside it in the same way: shown in the window.)
TEST(OtherVersionFiles, ReadUpToAMegabyteAndMovedAsideUnderAFreeName)
{
    ScratchFolder folder;
    auto aside = folder.path() / "Data" / "Other versions";
    writeBytes(aside / "2026_12_07-PC (2).ini", "kept by hand");
    std::string bytes = "[SCHEDULE]\r\nTEXT_0 = Gym\r\n";
    bytes.resize(largestComparedVersion, '\n');
    for (auto [expected, name] :
         {std::pair{VersionRead::read, "2026_12_07-PC.ini"}, {VersionRead::tooLarge, "2026_12_07-PC (3).ini"}}) {
        writeBytes(folder.path() / "Data" / "2026_12_07-PC.ini", bytes);
        std::vector<FoundVersion> found = findVersions(".\\Data", "2026_12_07");
        ASSERT_EQ(found.size(), 1u);
        DayPage page;
        EXPECT_EQ(readVersionPage(found[0], page), expected);
        EXPECT_STREQ(page.lines[0].text, expected == VersionRead::read ? "Gym" : "");
        EXPECT_EQ(moveAside(".\\Data\\2026_12_07-PC.ini"), std::string(".\\Data\\Other versions\\") + name);
        EXPECT_EQ(readBytes(aside / name), bytes);
        bytes += '\n';
    }
    EXPECT_EQ(readBytes(aside / "2026_12_07-PC (2).ini"), "kept by hand");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Data" / "2026_12_07-PC.ini"));
    EXPECT_EQ(moveAside(".\\Data\\2026_12_07-PC.ini"), "");
}

}  // namespace
