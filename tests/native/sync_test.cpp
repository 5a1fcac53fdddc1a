// Two computers, one folder: changes another program made to a file are merged in, never written over.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <map>
#include <random>

#include "day/day_file.h"
#include "storage/file_stamp.h"
#include "storage/other_version.h"
#include "day/page_merge.h"
#include "day/stored_page.h"
#include "directory/directory_file.h"
#include "directory/directory_merge.h"
#include "edit/sort_tasks.h"
#include "tests/common/dates.h"
#include "tests/common/saved_files.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string show(const DayLine& l) { return std::string(l.text) + " " + std::to_string(l.done) + std::to_string(l.mark); }

// One line's fields on the three sides; every other line alike everywhere.
TEST(PageMerge, EachFieldOfALineOnItsOwn)
{
    struct { const char* what; DayLine base, mine, theirs, merged; bool conflict; } cases[] = {
        {"text changed here", {"a"}, {"b"}, {"a"}, {"b"}, false},
        {"text changed there", {"a"}, {"a"}, {"c"}, {"c"}, false},
        {"text alike on both", {"a"}, {"b"}, {"b"}, {"b"}, false},
        {"text differs on both", {"a"}, {"b"}, {"c"}, {"b"}, true},
        {"file deleted there", {"a", 1, 0}, {"a", 1, 0}, {}, {}, false},
        {"file deleted there, text changed here", {"a", 1, 0}, {"b", 1, 0}, {}, {"b", 1, 0}, false},
        {"cleared here, text changed there", {"a", 1, 0}, {}, {"c", 1, 0}, {"c", 1, 0}, false},
        {"done ticked there", {"a", 0}, {"a", 0}, {"a", 1}, {"a", 1}, false},
        {"mark differs on both", {"a"}, {"a", 0, 0}, {"a", 0, 2}, {"a", 0, 0}, true},
        {"text here, mark and done there", {"a"}, {"b"}, {"a", 1, 0}, {"b", 1, 0}, false},
        {"a blank line's mark, which no file holds", {"", 0, 0}, {"", 0, 0}, {}, {"", 0, 0}, false},
    };
    for (const auto& c : cases)
        for (int line : {0, firstTodoLine + 7, dayLineCount - 1}) {
            DayPage base, mine, theirs;
            base.lines[line] = c.base, mine.lines[line] = c.mine, theirs.lines[line] = c.theirs;
            PageMerge merged = mergePages(base, mine, theirs);
            EXPECT_EQ(show(merged.page.lines[line]), show(c.merged)) << c.what << ", line " << line;
            EXPECT_EQ(merged.conflict, c.conflict) << c.what;
        }
}

// To-do lists as "Xerox+,Apples": the lines from the first, "+" behind a done one.
DayPage todos(const std::string& list)
{
    DayPage page;
    for (size_t at = 0, line = firstTodoLine; at < list.size(); ++line) {
        size_t end = std::min(list.find(',', at), list.size());
        std::string text = list.substr(at, end - at);
        page.lines[line].done = text.back() == '+';
        setLineText(page.lines[line], text.substr(0, text.size() - page.lines[line].done).c_str());
        at = end + 1;
    }
    return page;
}

std::string todoList(const DayPage& page)
{
    std::string list;
    for (int i = firstTodoLine; i < firstNoteLine; ++i)
        list += std::string(i > firstTodoLine ? "," : "") + page.lines[i].text + (page.lines[i].done ? "+" : "");
    return list.erase(list.find_last_not_of(',') + 1);
}

// Lines moved on one side and left on the other: a line neither side moved keeps its slot while it is free, and a
// line pushed from its own goes to the next free one.
TEST(PageMerge, LinesMovedOnOneSide)
{
    const struct { const char *base, *mine, *theirs, *merged; } cases[] = {
        // One side cleared Xerox and sorted, the other ticked it; either side the window.
        {"Xerox,Apples,Carrots,Bread", "Apples,Bread,Carrots", "Xerox+,Apples,Carrots,Bread",
         "Apples,Bread,Carrots,Xerox+"},
        {"Xerox,Apples,Carrots,Bread", "Xerox+,Apples,Carrots,Bread", "Apples,Bread,Carrots",
         "Apples,Bread,Carrots,Xerox+"},
    };
    for (const auto& c : cases) {
        PageMerge merged = mergePages(todos(c.base), todos(c.mine), todos(c.theirs));
        EXPECT_EQ(todoList(merged.page), c.merged) << c.mine << " | " << c.theirs;
    }
}

// Two copies of a random page, each changed as a user changes a day (typed over, ticked, marked, moved, sorted,
// cleared), merged: nothing doubled, nothing lost that both keep, each done box and mark on its own text wherever
// either side moved it (a task moved down here and ticked there stays ticked), a line neither side moved in its own
// slot, and one side unchanged gives the other.
TEST(PageMerge, RandomEditsOnBothSides)
{
    std::mt19937 random(20261208);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const char* words[] = {"A", "B", "C", "D", "E", "F", "G", "H"};
    // Each filled line as its column's number and its text ("1B": B in the to-do list), as often as it stands there.
    const int columnStart[] = {0, firstTodoLine, firstNoteLine, dayLineCount};
    auto column = [](int line) { return line < firstTodoLine ? 0 : line < firstNoteLine ? 1 : 2; };
    auto counts = [&](const DayPage& page) {
        std::map<std::string, int> n;
        for (int i = 0; i < dayLineCount; ++i)
            if (page.lines[i].text[0]) ++n[std::to_string(column(i)) + page.lines[i].text];
        return n;
    };
    auto lineOf = [&](const DayPage& page, const std::string& key) {
        int i = 0;
        while (std::to_string(column(i)) + page.lines[i].text != key) ++i;
        return page.lines[i];
    };
    auto edit = [&](DayPage& page) {
        int line = pick(dayLineCount), first = columnStart[column(line)], end = columnStart[column(line) + 1];
        DayLine& l = page.lines[line];
        switch (pick(6)) {
        case 0: setLineText(l, words[pick(8)]); break;
        case 1: l.done = l.text[0] && line < firstNoteLine ? !l.done : l.done; break;
        case 2: l.mark = pick(3); break;
        case 3: std::swap(l, page.lines[line + 1 < end ? line + 1 : first]); break;
        case 4: sortTodoLines(page, [](const char* a, const char* b) { return std::strcmp(a, b); }); break;
        case 5: l = DayLine{}; break;
        }
    };
    for (int trial = 0; trial < 3000; ++trial) {
        DayPage base;
        for (DayLine& l : base.lines)
            if (pick(3)) {
                setLineText(l, words[pick(6)]);
                l.mark = pick(3);
                l.done = pick(4) == 0 && &l < &base.lines[firstNoteLine];
            }
        DayPage mine = base, theirs = base;
        for (int n = pick(4); n > 0; --n) edit(mine);
        for (int n = pick(4); n > 0; --n) edit(theirs);
        PageMerge merged = mergePages(base, mine, theirs);
        const std::string at = "trial " + std::to_string(trial);
        for (int i = 0; i < dayLineCount; ++i)
            if (base.lines[i].text[0] && !std::strcmp(base.lines[i].text, mine.lines[i].text) &&
                !std::strcmp(base.lines[i].text, theirs.lines[i].text)) {
                EXPECT_STREQ(merged.page.lines[i].text, base.lines[i].text) << at << ": line " << i << " left";
            }
        EXPECT_TRUE(!sameStoredPage(mine, base) || sameStoredPage(merged.page, theirs)) << at << ": this side unchanged";
        EXPECT_TRUE(!sameStoredPage(theirs, base) || sameStoredPage(merged.page, mine)) << at << ": the file unchanged";
        auto b = counts(base), m = counts(mine), t = counts(theirs), r = counts(merged.page);
        for (auto [text, n] : r) EXPECT_LE(n, std::max(m[text], t[text])) << at << ": " << text << " doubled";
        // A text one side has is kept as often as it has it, unless the other removed some of it, or typed
        // over the same line otherwise: then the file is kept as an other version.
        for (auto [text, n] : m) EXPECT_TRUE(t[text] < b[text] || r[text] >= n) << at << ": " << text << " of this side lost";
        for (auto [text, n] : t)
            EXPECT_TRUE(m[text] < b[text] || merged.conflict || r[text] >= n) << at << ": " << text << " lost";
        for (auto [text, n] : r) {
            if (n != 1 || b[text] != 1 || m[text] != 1 || t[text] != 1) continue;
            DayLine was = lineOf(base, text), mi = lineOf(mine, text), th = lineOf(theirs, text),
                    now = lineOf(merged.page, text);
            EXPECT_EQ(now.done, mi.done != was.done ? mi.done : th.done) << at << ": the done box of " << text;
            EXPECT_EQ(now.mark, mi.mark != was.mark ? mi.mark : th.mark) << at << ": the mark of " << text;
        }
    }
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
        {"added here", {"A"}, {"A", "B"}, {"A"}, "A B"}, {"added there", {"A"}, {"A"}, {"C", "A"}, "A C"},
        {"added on both", {"A"}, {"A", "B"}, {"A", "C"}, "A B C"}, {"added alike on both", {}, {"X"}, {"X"}, "X"},
        {"removed here", {"A", "B"}, {"B"}, {"A", "B"}, "B"}, {"removed there", {"A", "B"}, {"A", "B"}, {"A"}, "A"},
        {"changed here", {"A:1"}, {"A:2"}, {"A:1"}, "A:2"},
        {"changed there", {"A:1", "B"}, {"B", "A:1"}, {"A:3", "B"}, "B A:3"},
        {"changed alike on both", {"A:1"}, {"A:2"}, {"A:2"}, "A:2"},
        {"changed on both", {"A:1", "B"}, {"A:2", "B"}, {"B", "A:3"}, "A:2 B A:3"},
        {"removed here, changed there", {"A:1"}, {}, {"A:2"}, "A:2"},
        {"one of two alike removed there", {"A", "A"}, {"A", "A"}, {"A"}, "A"},
    };
    for (const auto& c : cases) {
        Directory base, mine, theirs;
        fill(base, c.base), fill(mine, c.mine), fill(theirs, c.theirs);
        ASSERT_TRUE(mergeDirectories(base, mine, theirs, mine)) << c.what;  // into this run's, as a tick does
        EXPECT_EQ(names(mine), c.merged) << c.what;
    }
}

// Entries the directory lacks go behind its own, once each; one that differs in any field is another
// entry; past 200 what fits is added and the rest counted.
TEST(DirectoryMerge, AnotherCopysEntriesAddedUpToTheCapacity)
{
    Directory mine, copy, full{};
    fill(mine, {"Ann", "Bob"});
    fill(copy, {"Cem", "Ann", "Bob:555", "Cem", "Dee"});
    EntriesAdded result = addMissingEntries(mine, copy);
    EXPECT_EQ(names(mine), "Ann Bob Cem Bob:555 Dee");
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.leftOut, 0);
    EXPECT_EQ(addMissingEntries(mine, copy).added, 0);

    for (int i = 0; i < directoryCapacity - 1; ++i) std::snprintf(full[i].name, sizeof full[i].name, "E%d", i);
    result = addMissingEntries(full, copy);
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.leftOut, 3);
    EXPECT_EQ(std::string(full[directoryCapacity - 1].name), "Cem");
}

constexpr SystemTime at0930 = {2026, 12, 1, 7, 9, 30, 0, 0};
constexpr SystemTime day = date(2026, 12, 7);
const std::string dayPath = "Data/2026_12_07.ini";
const std::string firstDay = "; YEAR:2026; MONTH:12; DAY:7;\r\n\r\n[SCHEDULE]\r\nTEXT_2 = Standup\r\n";

// The day shown as the window loaded it, before the other program writes the file.
struct Shown {
    StoredPage stored;
    DayPage window;
    explicit Shown(const std::string& bytes)
    {
        writeBytes(dayPath, bytes);
        loadStoredPage(stored, day, stored.page);
        pageAsShown(stored.page, stored.page);
        window = stored.page;
    }
    KeepAnswer sync() { DayKind kind = dayKind(stored, day); return takeInKept(kind, window, false, {"LAPTOP", at0930}); }
};

// The core's saves pass over what the file already holds: the bytes another program wrote stay, in the old
// code page too, until the page or directory changes (then it is UTF-8). A mark changed alone is a change.
TEST(Sync, UnchangedIsNeverWritten)
{
    ScratchFolder folder;
    const std::string handDay = "[Schedule]\r\nTEXT_2 = \"Standup \"\r\n", handTemplates = "[ITEM_0]\nname='Ren\xe9" "e'\n";
    Shown shown(handDay);
    writeBytes("directory_template.ini", handTemplates);
    Directory templates;
    StoredDirectory held;
    loadStoredDirectory(templatesFile, templates, held);
    EXPECT_EQ(shown.sync().saved, SaveOutcome::skipped);
    DirectoryKind kind = directoryKind(templatesFile, held);
    EXPECT_EQ(writeKept(kind, templates), WriteOutcome::unchanged);
    EXPECT_EQ(takeInKept(kind, templates, true, {"LAPTOP", at0930}).saved, SaveOutcome::skipped);
    EXPECT_EQ(readBytes(dayPath) + readBytes("directory_template.ini"), handDay + handTemplates);
    EXPECT_STREQ(templates[0].name, "Ren\xc3\xa9" "e");
    std::strcpy(templates[1].name, "\xc5\x81ukasz");
    EXPECT_EQ(writeKept(kind, templates), WriteOutcome::written);
    EXPECT_EQ(readBytes("directory_template.ini"),
              "\r\n[ITEM_0]\r\nname = Ren\xc3\xa9" "e\r\n\r\n[ITEM_1]\r\nname = \xc5\x81ukasz\r\n");
    shown.window.lines[5].mark = markImportant;  // a blank line's mark is not stored
    EXPECT_EQ(shown.sync().saved, SaveOutcome::skipped);
    shown.window.lines[2].mark = markImportant;
    EXPECT_EQ(shown.sync().saved, SaveOutcome::saved);
    EXPECT_EQ(shown.sync().step, KeepStep::nothing) << "the file read back is the page written";
    EXPECT_EQ(shown.window.lines[5].mark, markImportant);
}

// A merge that would not fit leaves the directory as this run has it and keeps the file beside it.
TEST(Sync, ADirectoryThatWouldOverflowKeepsTheFileAsAnOtherVersion)
{
    ScratchFolder folder;
    std::vector<std::string> here, there;
    for (int i = 0; i < 101; ++i) here.push_back("Here " + std::to_string(i)), there.push_back("There " + std::to_string(i));
    Directory contacts;
    StoredDirectory held;
    loadStoredDirectory(contactsFile, contacts, held);
    fill(contacts, there);
    saveDirectory(contactsFile, contacts);
    std::string elsewhere = readBytes("directory_contact.ini");
    fill(contacts, here);
    DirectoryKind kind = directoryKind(contactsFile, held);
    KeepAnswer sync = takeInKept(kind, contacts, false, {"LAPTOP", at0930});
    EXPECT_EQ(sync.otherVersion, ".\\directory_contact.conflict-LAPTOP-20261207-093000.ini");
    EXPECT_EQ(readBytes("directory_contact.conflict-LAPTOP-20261207-093000.ini"), elsewhere);
    EXPECT_EQ(names(contacts).substr(0, 13), "Here 0 Here 1");
}

bool heldByAnother(const char*) { return false; }
bool readable(const char*) { return true; }

// The keeper's answers, one look after another at one file. Stamps: R as read,
// H half written elsewhere, F the whole of it, O this program's own write, G
// written elsewhere while the page is left.
TEST(FileKeeper, AnswersLookByLook)
{
    const FileStamp R{true, 10, 1}, H{true, 4, 2}, F{true, 12, 3}, O{true, 14, 4}, G{true, 16, 5}, gone{};
    enum Event { tick, asking, held, leave, readR, readF, readUnreadable, ownWrite };
    struct Look {
        Event event;
        FileStamp now = {};
        bool changedHere = false;
        KeepStep expected = KeepStep::nothing;
        const char* why = "";
    };
    using enum KeepStep;
    const Look looks[] = {
        {readR},
        {tick, R, false, nothing, "as read"},
        {tick, R, true, write, "typed here"},
        {tick, H, true, nothing, "moving: nothing is written over it"},
        {tick, F, true, nothing, "still moving"},
        {asking, F, true, nothing, "settled, but a question is open"},
        {held, F, true, nothing, "settled, but held by another program"},
        {tick, F, true, takeIn, "settled"},
        {readF},
        {leave, F, false, nothing, "left unchanged"},
        {leave, F, true, write, "left with a change"},
        {ownWrite},
        {tick, O, false, takeIn, "an own write is read back once"},
        {readF},
        {leave, G, true, wait, "left while written elsewhere"},
        {leave, G, true, takeIn, "it stayed put"},
        {readUnreadable},
        {tick, F, false, takeIn, "read again until it can be"},
        {leave, F, false, nothing, "an unreadable page was never changed"},
        {tick, gone, false, takeIn, "deleted since: an empty page"},
    };
    FileKeeper keeper;
    for (const Look& look : looks) {
        switch (look.event) {
        case readR: noteRead(keeper, R, false); continue;
        case readF: noteRead(keeper, F, false); continue;
        case readUnreadable: noteRead(keeper, F, true); continue;
        case ownWrite: keeper.watch = {O, O, true}; continue;
        default: break;
        }
        KeepOccasion occasion = look.event == leave    ? KeepOccasion::leave
                                : look.event == asking ? KeepOccasion::tickAsking
                                                       : KeepOccasion::tick;
        EXPECT_EQ(nextKeepStep(keeper, "day", look.now, occasion, look.changedHere,
                               look.event == held ? heldByAnother : readable),
                  look.expected)
            << look.why;
    }
    // A file that never stops moving is waited for about two seconds, then merged as it is.
    noteRead(keeper, F, false);
    int waits = 0;
    while (nextKeepStep(keeper, "day", {true, 1, 10 + waits}, KeepOccasion::leave, true, readable) == KeepStep::wait) ++waits;
    EXPECT_EQ(waits, settleWaitLooks);
}

// A change that arrives between the look and the write is not written over:
// the write gives way, and leaving merges it.
TEST(Sync, AChangeArrivingDuringAWriteIsMergedNotOverwritten)
{
    ScratchFolder folder;
    Shown shown(firstDay);
    setLineText(shown.window.lines[3], "Typed here");
    const std::string elsewhere = firstDay + "TEXT_4 = Typed there\r\n";
    writeBytes(dayPath, elsewhere);
    DayKind kind = dayKind(shown.stored, day);
    EXPECT_EQ(writeKept(kind, shown.window), WriteOutcome::changedMeanwhile);
    EXPECT_EQ(readBytes(dayPath), elsewhere);
    // Another copy of the program on the folder is writing its own temporary file: it is never taken over.
    writeBytes(dayPath + ".tmp", "half written");
    KeepAnswer keep = keepDayFile(shown.stored, shown.window, day, KeepOccasion::leave, {"LAPTOP", at0930, [](int) {}});
    EXPECT_EQ(keep.saved, SaveOutcome::saved);
    EXPECT_STREQ(shown.window.lines[4].text, "Typed there");
    EXPECT_TRUE(fileHolds(dayPath, "TEXT_3 = Typed here\r\nDONE_3 = 0\r\nMARK_3 = 1\r\nTEXT_4 = Typed there"));
    EXPECT_EQ(readBytes(dayPath + ".tmp"), "half written");
}

}  // namespace
