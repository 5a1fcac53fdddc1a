// Every step of every file operation made to fail in turn, on each journey that
// keeps a file: once alone, and once for good until the fault clears. After
// each, what the user typed is in the window, the file or an other version;
// a failed save is told exactly once; and once the fault clears the next tick
// writes it (a stamp that moved is read once it stayed put, hence two ticks).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "day/page_merge.h"
#include "day/stored_page.h"
#include "directory/directory_file.h"
#include "edit/close_day.h"
#include "icalendar/calendar_feed.h"
#include "icalendar/place_on_days.h"
#include "tests/common/dates.h"
#include "tests/common/failing_store.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/zones.h"

namespace {

const SystemTime monday = date(2026, 12, 7), tuesday = date(2026, 12, 8);
constexpr SystemTime at0930 = {2026, 12, 1, 7, 9, 30, 0, 0};
const std::string typed = "Dentist at four";
const KeepContext context{"LAPTOP", at0930, [](int) {}};

struct Day {
    StoredPage stored;
    DayPage window;
    SystemTime date;
    void load()
    {
        loadStoredPage(stored, date, stored.page);
        pageAsShown(stored.page, stored.page);
        window = stored.page;
    }
    KeepAnswer keep(KeepOccasion occasion) { return keepDayFile(stored, window, date, occasion, context); }
    bool shows(const std::string& text) const
    {
        for (const DayLine& line : window.lines)
            if (text == line.text) return true;
        return false;
    }
};

struct World {
    Day monday{{}, {}, ::monday}, tuesday{{}, {}, ::tuesday};
    Day* shown = &monday;
    StoredDirectory storedContacts;
    Directory contacts = {};
    CalendarFeed feed;
    std::vector<KeepAnswer> answers;  // what the window was told
    bool inWindow = false;             // the typed text is still before the user
};

size_t count(const std::string& file, const std::string& text)
{
    std::string bytes = readBytes(file);
    size_t n = 0;
    for (size_t at = bytes.find(text); at != std::string::npos; at = bytes.find(text, at + 1)) ++n;
    return n;
}

// In a file whose name begins with stem: the file itself or an other version beside it, never a temporary file.
bool onDisk(const std::string& folder, const std::string& stem, const std::string& text = typed)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(stem) && name.ends_with(".ini") && count(entry.path().string(), text) > 0) return true;
    }
    return false;
}

const std::string mondayFile = "Data/2026_12_07.ini", tuesdayFile = "Data/2026_12_08.ini";

void typeOnMonday(World& w, FailingStore& store)
{
    writeBytes(mondayFile, "[TODO]\r\nTEXT_0 = Call Ann\r\n");
    w.monday.load();
    setLineText(w.monday.window.lines[firstTodoLine + 1], typed);
    store.start();
}

bool tickUntilWritten(World& w, const std::string& file)
{
    for (int tick = 0; tick < 2 && count(file, typed) == 0; ++tick) w.answers.push_back(w.shown->keep(KeepOccasion::tick));
    return count(file, typed) == 1;
}

struct Journey {
    const char* name;
    const char* folder;
    const char* stem;  // of the files that may hold the typed text
    void (*act)(World&, FailingStore&);
    bool (*afterFault)(World&);  // the next ticks, or the act tried again, once the fault cleared
};

const Journey journeys[] = {
    {"typing then leaving the day", "Data", "2026_12_0",
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         w.answers.push_back(w.monday.keep(KeepOccasion::leaveAsked));
         // The day that could not be saved stays shown, and its ticks try again without telling again.
         w.answers.push_back(w.monday.keep(KeepOccasion::tick));
         w.inWindow = w.monday.shows(typed);
     },
     [](World& w) { return tickUntilWritten(w, mondayFile); }},
    {"Close current day", "Data", "2026_12_0",
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         w.answers.push_back(w.monday.keep(KeepOccasion::leaveAsked));
         w.inWindow = w.monday.shows(typed);
         if (isFailure(w.answers.back().saved)) return;  // the day that could not be saved stays shown
         if (loadStoredPage(w.tuesday.stored, tuesday, w.tuesday.window) == ReadResult::unreadable) return;
         w.shown = &w.tuesday;
         w.tuesday.stored.page = w.tuesday.window;
         static Directory noPeriodicTasks = {};
         carryOverUnfinished(w.monday.window, w.tuesday.window, noPeriodicTasks, tuesday, std::strcmp);
         w.answers.push_back(w.tuesday.keep(KeepOccasion::tick));
         w.inWindow = w.inWindow || w.tuesday.shows(typed);
     },
     [](World& w) { return tickUntilWritten(w, w.shown == &w.monday ? mondayFile : tuesdayFile); }},
    {"taking in a change made elsewhere", "Data", "2026_12_07",
     // Both sides changed one line: the window's stays, and the file's goes beside it.
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         store.clear();
         setLineText(w.monday.window.lines[firstTodoLine], "Call Ann at five");
         writeBytes(mondayFile, "[TODO]\r\nTEXT_0 = Call Ann at six\r\n");
         store.start();
         for (int tick = 0; tick < 3; ++tick) w.answers.push_back(w.monday.keep(KeepOccasion::tick));
         EXPECT_TRUE(onDisk("Data", "2026_12_07", "Call Ann at six")) << "the change made elsewhere is lost";
         w.inWindow = w.monday.shows(typed);
     },
     [](World& w) {
         return tickUntilWritten(w, mondayFile) && count(mondayFile, "Call Ann at five") == 1 &&
                onDisk("Data", "2026_12_07.conflict", "Call Ann at six");
     }},
    {"a directory saved", ".", "directory_contact",
     [](World& w, FailingStore& store) {
         writeBytes("directory_contact.ini", "[ITEM_0]\r\nname = Ann\r\n");
         loadStoredDirectory(contactsFile, w.contacts, w.storedContacts);
         std::strcpy(w.contacts[1].name, typed.c_str());
         store.start();
         w.answers.push_back(keepDirectoryFile(contactsFile, w.contacts, w.storedContacts, KeepOccasion::leave, context));
         w.inWindow = typed == w.contacts[1].name;
     },
     [](World& w) {
         for (int tick = 0; tick < 2; ++tick)
             w.answers.push_back(keepDirectoryFile(contactsFile, w.contacts, w.storedContacts, KeepOccasion::tick, context));
         return count("directory_contact.ini", typed) == 1 && count("directory_contact.ini", "Ann") == 1;
     }},
    {"an import writing another day", "Data", "2026_12_08",
     [](World& w, FailingStore& store) {
         writeBytes(tuesdayFile, "[TODO]\r\nTEXT_0 = Call Ann\r\n");
         store.start();
         DayPlacement placed = placeOnOtherDays({{tuesday, {{0, -1, -1, typed, typed}}}}, context)[0];
         // Every item the import could not place is named in its summary.
         EXPECT_EQ(placed.unplaced.size(), count(tuesdayFile, typed) == 0 ? 1u : 0u);
         w.inWindow = !placed.unplaced.empty();
     },
     [](World&) {
         placeOnOtherDays({{tuesday, {{0, -1, -1, typed, typed}}}}, context);
         return count(tuesdayFile, typed) == 1 && count(tuesdayFile, "Call Ann") == 1;
     }},
    {"the calendar file written", ".", "Quillory",
     [](World& w, FailingStore& store) {
         DayPage page;
         setLineText(page.lines[4], typed);
         w.feed.zone = berlinRules;
         w.feed.version = "1.1";
         w.feed.today = monday;
         composeDayItems(page, monday, berlinRules, w.feed.days[dateKey(monday)]);
         store.start();
         // A failed write is told; the day's file is not touched.
         bool failed = writeCalendarFile(w.feed) == FeedWrite::failed;
         EXPECT_EQ(failed, count("Quillory.ics", typed) == 0);
         w.inWindow = true;
     },
     [](World& w) {
         writeCalendarFile(w.feed);
         return count("Quillory.ics", typed) == 1;
     }},
    {"a log-off", "Data", "2026_12_07",
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         KeepAnswer answer = w.monday.keep(KeepOccasion::logOff);
         // A page kept beside its file is kept: there is nothing to tell.
         if (!answer.otherVersion.empty()) answer.saved = SaveOutcome::skipped;
         w.answers.push_back(answer);
         // The window goes with the session: only a disk that fails for good leaves the text to the message.
         w.inWindow = store.lasting != FailingStore::once && w.answers.back().tell;
     },
     [](World& w) { return tickUntilWritten(w, mondayFile); }},
};

// Returns the number of steps the journey took.
int runJourney(const Journey& journey, int failAt, FailingStore::Lasting lasting)
{
    ScratchFolder folder;
    std::filesystem::create_directory("Data");
    FailingStore store;
    store.failAt = failAt;
    store.lasting = lasting;
    auto w = std::make_unique<World>();
    std::string where = std::string(journey.name) + ", step " + std::to_string(failAt) + (lasting == FailingStore::once ? " alone" : lasting == FailingStore::sameKind ? " with its kind" : " with all");
    SCOPED_TRACE(where);
    journey.act(*w, store);
    int steps = store.steps;
    store.clear();
    EXPECT_TRUE(w->inWindow || onDisk(journey.folder, journey.stem))
        << "the typed text is nowhere";
    int told = 0;
    bool failed = false;
    for (const KeepAnswer& answer : w->answers) {
        told += answer.tell;
        failed = failed || isFailure(answer.saved);
    }
    EXPECT_EQ(told, failed ? 1 : 0) << "a failed save is told once";
    EXPECT_TRUE(journey.afterFault(*w)) << "not written once the fault cleared";
    told = 0;
    for (const KeepAnswer& answer : w->answers) told += answer.tell;
    EXPECT_LE(told, 1) << "told again";
    return steps;
}

TEST(FailurePoints, EveryFileStepFailsInTurnOnEveryJourney)
{
    int tried = 0;
    for (const Journey& journey : journeys) {
        int steps = runJourney(journey, 0, FailingStore::once);
        EXPECT_GT(steps, 2) << journey.name;
        for (int failAt = 1; failAt <= steps; ++failAt)
            for (auto lasting : {FailingStore::once, FailingStore::sameKind, FailingStore::everything}) {
                runJourney(journey, failAt, lasting);
                ++tried;
            }
    }
    std::printf("failure points tried: %d\n", tried);
}

}  // namespace
