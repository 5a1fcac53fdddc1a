// Two computers, one folder: changes another program made to a file are merged in, never written over.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "day/day_file.h"
#include "day/file_stamp.h"
#include "day/other_version.h"
#include "day/page_merge.h"
#include "day/stored_page.h"
#include "directory/directory_file.h"
#include "directory/directory_merge.h"
#include "tests/common/dates.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string show(const DayLine& l)
{
    return std::string(l.text) + " " + std::to_string(l.done) + std::to_string(l.mark);
}

// One line's fields on the three sides; every other line alike everywhere.
TEST(PageMerge, EachFieldOfALineOnItsOwn)
{
    struct { const char* what; DayLine base, mine, theirs, merged; bool conflict; } cases[] = {
        {"text changed here", {"a"}, {"b"}, {"a"}, {"b"}, false},
        {"text changed there", {"a"}, {"a"}, {"c"}, {"c"}, false},
        {"text alike on both", {"a"}, {"b"}, {"b"}, {"b"}, false},
        {"text differs on both", {"a"}, {"b"}, {"c"}, {"b"}, true},
        {"text emptied there", {"a", 1, 0}, {"a", 1, 0}, {"", 0, 1}, {"", 0, 1}, false},
        {"done ticked there", {"a", 0}, {"a", 0}, {"a", 1}, {"a", 1}, false},
        {"done ticked on both", {"a", 0}, {"a", 1}, {"a", 1}, {"a", 1}, false},
        {"mark changed there", {"a"}, {"a"}, {"a", 0, 2}, {"a", 0, 2}, false},
        {"mark differs on both", {"a"}, {"a", 0, 0}, {"a", 0, 2}, {"a", 0, 0}, true},
        {"text here, mark and done there", {"a"}, {"b"}, {"a", 1, 0}, {"b", 1, 0}, false},
    };
    for (const auto& c : cases)
        for (int line : {0, firstTodoLine + 7, dayLineCount - 1}) {
            DayPage base, mine, theirs;
            for (DayPage* page : {&base, &mine, &theirs}) setLineText(page->lines[3 - (line == 3)], "same");
            base.lines[line] = c.base, mine.lines[line] = c.mine, theirs.lines[line] = c.theirs;
            PageMerge merged = mergePages(base, mine, theirs);
            EXPECT_EQ(show(merged.page.lines[line]), show(c.merged)) << c.what << ", line " << line;
            EXPECT_EQ(merged.conflict, c.conflict) << c.what;
            EXPECT_STREQ(merged.page.lines[3 - (line == 3)].text, "same") << c.what;
        }
}

// What a hand-edited file shows: outer spaces gone, any done a tick, none on a
// note line, and a mark the window cannot show left as the window has it.
TEST(PageMerge, AFilesPageAsTheWindowShowsIt)
{
    DayPage read, window;
    read.lines[0] = {"  tea  ", 5, 7};
    window.lines[0].mark = markSecondary;
    read.lines[firstNoteLine] = {"note", 1, markImportant};
    pageAsShown(read, window);
    EXPECT_EQ(show(read.lines[0]), "tea 12");
    EXPECT_EQ(show(read.lines[firstNoteLine]), "note 00");
}

std::string names(const Directory& d)
{
    std::string s;
    for (int i = 0; i < directoryCapacity && d[i].name[0]; ++i)
        s += std::string(i ? " " : "") + d[i].name + (d[i].phone[0] ? std::string(":") + d[i].phone : "");
    return s;
}

// "Ann:1" is Ann with the phone 1.
void fill(Directory& d, const std::vector<std::string>& entries)
{
    std::memset(d, 0, sizeof d);
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t colon = entries[i].find(':');
        snprintf(d[i].name, sizeof d[i].name, "%s", entries[i].substr(0, colon).c_str());
        if (colon != std::string::npos) snprintf(d[i].phone, sizeof d[i].phone, "%s", entries[i].c_str() + colon + 1);
    }
}

TEST(DirectoryMerge, WholeEntriesThisRunsFirstThenTheFilesInTheirOrder)
{
    using Entries = std::vector<std::string>;
    struct { const char* what; Entries base, mine, theirs; const char* merged; } cases[] = {
        {"added here", {"A"}, {"A", "B"}, {"A"}, "A B"},
        {"added there", {"A"}, {"A"}, {"C", "A"}, "A C"},
        {"added on both", {"A"}, {"A", "B"}, {"A", "C"}, "A B C"},
        {"added alike on both", {}, {"X"}, {"X"}, "X"},
        {"removed here", {"A", "B"}, {"B"}, {"A", "B"}, "B"},
        {"removed there", {"A", "B"}, {"A", "B"}, {"A"}, "A"},
        {"changed here", {"A:1"}, {"A:2"}, {"A:1"}, "A:2"},
        {"changed there", {"A:1", "B"}, {"B", "A:1"}, {"A:3", "B"}, "B A:3"},
        {"changed alike on both", {"A:1"}, {"A:2"}, {"A:2"}, "A:2"},
        {"changed on both", {"A:1", "B"}, {"A:2", "B"}, {"B", "A:3"}, "A:2 B A:3"},
        {"removed here, changed there", {"A:1"}, {}, {"A:2"}, "A:2"},
        {"one of two alike removed there", {"A", "A"}, {"A", "A"}, {"A"}, "A"},
    };
    for (const auto& c : cases) {
        Directory base, mine, theirs, merged;
        fill(base, c.base), fill(mine, c.mine), fill(theirs, c.theirs);
        ASSERT_TRUE(mergeDirectories(base, mine, theirs, merged)) << c.what;
        EXPECT_EQ(names(merged), c.merged) << c.what;
        ASSERT_TRUE(mergeDirectories(base, mine, theirs, mine)) << c.what << ", merged into this run's";
        EXPECT_EQ(names(mine), c.merged) << c.what << ", merged into this run's";
    }
}

TEST(DirectoryMerge, MoreThanADirectoryHoldsLeavesTheResultAlone)
{
    std::vector<std::string> base, mine, theirs;
    for (int i = 0; i < 150; ++i) base.push_back("old " + std::to_string(i));
    mine = theirs = base;
    for (int i = 0; i < 25; ++i) mine.push_back("here " + std::to_string(i)), theirs.push_back("there " + std::to_string(i));
    mine.push_back("here 25");
    Directory b, m, t, merged;
    fill(b, base), fill(m, mine), fill(t, theirs), fill(merged, {"untouched"});
    EXPECT_FALSE(mergeDirectories(b, m, t, merged));
    EXPECT_EQ(names(merged), "untouched");
    theirs.erase(theirs.begin());  // removed there: room for exactly 200
    fill(t, theirs);
    ASSERT_TRUE(mergeDirectories(b, m, t, merged));
    EXPECT_EQ(names(merged).substr(0, 17), "old 1 old 2 old 3");
    EXPECT_TRUE(merged[199].name[0] && !std::string(merged[199].name).compare("there 24"));
}

constexpr SystemTime at0930 = {2026, 12, 1, 7, 9, 30, 0, 0};

class Sync : public ::testing::Test {
protected:
    ScratchFolder folder;
    SystemTime day = date(2026, 12, 7);
    StoredPage stored;
    DayPage window;
    std::string dayPath = "Data/2026_12_07.ini";

    // The day shown as the window loads it; the other program then writes the file.
    void load(const std::string& bytes)
    {
        writeBytes(dayPath, bytes);
        readDayPage(day, stored.page);
        pageAsShown(stored.page, stored.page);
        window = stored.page;
    }
    std::string bytes(const std::string& path) { return readBytes(path); }
};

const char* firstDay = "; YEAR:2026; MONTH:12; DAY:7;\r\n\r\n[SCHEDULE]\r\nTEXT_2 = Standup\r\nDONE_2 = 0\r\n"
                       "MARK_2 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n";

// Nothing changed in the window: the file's change is shown, and the file, as
// another program wrote it (quotes, a trailing blank), is not written again.
TEST_F(Sync, AnIdleWindowTakesTheFileAsItIs)
{
    load(firstDay);
    std::string elsewhere = "[schedule]\r\ntext_2=Standup\r\ntext_3=\"Call Ann \"\r\n";
    writeBytes(dayPath, elsewhere);
    DaySync sync = syncDayFile(stored, window, day, at0930);
    EXPECT_TRUE(sync.fileChanged);
    EXPECT_EQ(sync.stored, StoreResult::skipped);
    EXPECT_EQ(show(window.lines[3]), "Call Ann 01");
    EXPECT_EQ(bytes(dayPath), elsewhere);
    EXPECT_FALSE(syncDayFile(stored, window, day, at0930).fileChanged) << "taken in once";
}

TEST_F(Sync, ALineTypedHereAndOneWrittenThereAreBothKept)
{
    load(firstDay);
    setLineText(window.lines[firstTodoLine], "Buy stamps");
    writeBytes(dayPath, std::string(firstDay) + "TEXT_0 = Water plants\r\n");
    DaySync sync = syncDayFile(stored, window, day, at0930);
    EXPECT_EQ(sync.stored, StoreResult::stored);
    EXPECT_TRUE(sync.otherVersion.empty());
    DayPage saved;
    readDayPage(day, saved);
    EXPECT_EQ(std::string(saved.lines[2].text) + "|" + saved.lines[firstTodoLine].text + "|" +
                  saved.lines[firstNoteLine].text,
              "Standup|Buy stamps|Water plants");
}

// Both sides changed the same text: the window's stays, and the file is kept,
// byte for byte, beside the day file; a second such merge in the same second
// does not write over the first version.
TEST_F(Sync, BothSidesChangedOneTextTheFileIsKeptAsAnOtherVersion)
{
    load(firstDay);
    std::pair<const char*, std::string> versions[] = {
        {"Standup at ten", ".\\Data\\2026_12_07.conflict-20261207-093000.ini"},
        {"Standup at eleven", ".\\Data\\2026_12_07.conflict-20261207-093001.ini"},
    };
    for (const auto& [theirs, expected] : versions) {
        setLineText(window.lines[2], "Standup moved");
        std::string elsewhere = std::string(firstDay).replace(std::string(firstDay).find("Standup"), 7, theirs);
        writeBytes(dayPath, elsewhere);
        DaySync sync = syncDayFile(stored, window, day, at0930);
        EXPECT_EQ(sync.otherVersion, expected);
        EXPECT_EQ(bytes(expected.substr(2).replace(4, 1, "/")), elsewhere);
        EXPECT_STREQ(window.lines[2].text, "Standup moved");
        EXPECT_EQ(sync.stored, StoreResult::stored);
        stored.page.lines[2] = {"Standup"};
    }
    EXPECT_EQ(keepOtherVersion(".\\Data\\2026_12_07.ini", bytes(dayPath) + "x", at0930),
              ".\\Data\\2026_12_07.conflict-20261207-093002.ini");
    EXPECT_EQ(otherVersionPath(".\\directory_contact.ini", at0930), ".\\directory_contact.conflict-20261207-093000.ini");
}

// A day file deleted elsewhere is an empty page: the idle window empties and
// nothing is written; a line changed here is kept and saved again.
TEST_F(Sync, ADeletedDayFileMergesAsAnEmptyPage)
{
    for (bool changedHere : {false, true}) {
        load(std::string(firstDay) + "TEXT_0 = Water plants\r\n");
        if (changedHere) setLineText(window.lines[firstTodoLine], "Buy stamps");
        std::filesystem::remove(dayPath);
        DaySync sync = syncDayFile(stored, window, day, at0930);
        EXPECT_TRUE(sync.fileChanged && sync.otherVersion.empty()) << changedHere;
        EXPECT_EQ(std::string(window.lines[2].text) + "|" + window.lines[firstTodoLine].text + "|" +
                      window.lines[firstNoteLine].text,
                  changedHere ? "|Buy stamps|" : "||");
        EXPECT_EQ(std::filesystem::exists(dayPath), changedHere);
    }
}

// Every save of the core passes over what the file already holds: bytes another
// program wrote stay as they are.
TEST_F(Sync, UnchangedIsNeverWritten)
{
    std::string handWritten = "[Schedule]\r\nTEXT_2 = \"Standup \"\r\n";
    const std::string templatesPath = "directory_template.ini";
    const std::string handTemplates = "[ITEM_0]\nname=\"Dentist\"\n";
    struct { const char* path; std::function<void()> save; } saves[] = {
        {"day", [&] { EXPECT_EQ(storePage(stored, window, day, true), StoreResult::skipped); }},
        {"day", [&] { EXPECT_EQ(syncDayFile(stored, window, day, at0930).stored, StoreResult::skipped); }},
        {"templates", [&] {
             Directory t;
             StoredDirectory s;
             loadStoredDirectory(templatesFile, t, s);
             EXPECT_EQ(storeDirectory(templatesFile, t, s, true), StoreResult::skipped);
             EXPECT_EQ(syncDirectoryFile(templatesFile, t, s, at0930).stored, StoreResult::skipped);
         }},
    };
    for (const auto& s : saves) {
        load(handWritten);
        writeBytes(templatesPath, handTemplates);
        s.save();
        EXPECT_EQ(bytes(dayPath), handWritten) << s.path;
        EXPECT_EQ(bytes(templatesPath), handTemplates) << s.path;
    }
}

TEST_F(Sync, ADirectoryChangedOnBothSidesHoldsAllItsEntries)
{
    Directory templates;
    StoredDirectory held;
    writeBytes("directory_template.ini", "[ITEM_0]\r\nname = Dentist\r\n");
    loadStoredDirectory(templatesFile, templates, held);
    fill(templates, {"Dentist", "Gym"});
    writeBytes("directory_template.ini", "[ITEM_0]\r\nname = Dentist\r\n[ITEM_1]\r\nname = Call the bank\r\n");
    DirectorySync sync = syncDirectoryFile(templatesFile, templates, held, at0930);
    EXPECT_TRUE(sync.fileChanged);
    EXPECT_EQ(sync.stored, StoreResult::stored);
    EXPECT_EQ(bytes("directory_template.ini"), "\r\n[ITEM_0]\r\nname = Dentist\r\n\r\n[ITEM_1]\r\nname = Gym\r\n"
                                               "\r\n[ITEM_2]\r\nname = Call the bank\r\n");
}

// A merge that would not fit leaves the directory as this run has it and keeps the file beside it.
TEST_F(Sync, ADirectoryThatWouldOverflowKeepsTheFileAsAnOtherVersion)
{
    Directory contacts;
    StoredDirectory held;
    loadStoredDirectory(contactsFile, contacts, held);
    std::vector<std::string> here, there;
    for (int i = 0; i < 120; ++i) here.push_back("Here " + std::to_string(i)), there.push_back("There " + std::to_string(i));
    fill(contacts, there);
    saveDirectory(contactsFile, contacts);
    std::string elsewhere = bytes("directory_contact.ini");
    fill(contacts, here);
    DirectorySync sync = syncDirectoryFile(contactsFile, contacts, held, at0930);
    EXPECT_EQ(sync.otherVersion, ".\\directory_contact.conflict-20261207-093000.ini");
    EXPECT_EQ(bytes("directory_contact.conflict-20261207-093000.ini"), elsewhere);
    EXPECT_EQ(names(contacts).substr(0, 13), "Here 0 Here 1");
    EXPECT_EQ(sync.stored, StoreResult::stored);
}

// A file is read again only once it moved and then stayed put for a look, and once after this program wrote it.
TEST(FileWatch, ReadOnlyOnceTheFileHasSettled)
{
    FileStamp read{true, 10, 1}, half{true, 4, 2}, full{true, 12, 3};
    FileWatch watch = watchFrom(read);
    std::vector<WatchStep> steps;
    for (const FileStamp& now : {read, half, full, full, full, FileStamp{}, read})
        steps.push_back(watchStep(watch, now));
    using enum WatchStep;
    EXPECT_EQ(steps, (std::vector<WatchStep>{still, moving, moving, settled, settled, moving, still}));
    watch = watchAfterWriting(full);  // read back once, in case another program wrote in between
    EXPECT_EQ(watchStep(watch, full), settled);
}

}  // namespace
