// Every step of every file operation made to fail in turn on each journey that keeps a file, in three ways
// (alone, with every later step of its kind, with every later step). After each, the typed text is in the window,
// the file or an other version; a failed save is told exactly once; once the fault clears, the next ticks write it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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
const std::string typed = "Dentist at four", mondayFile = "Data/2026_12_07.ini", tuesdayFile = "Data/2026_12_08.ini";
const KeepContext context{"LAPTOP", {2026, 12, 1, 7, 9, 30, 0, 0}, [](int) {}};

struct World {
    StoredPage stored;  // of the day shown, which Close current day moves on
    DayPage window;
    SystemTime shown = monday;
    StoredDirectory storedContacts;
    Directory contacts = {};
    CalendarFeed feed;
    std::vector<KeepAnswer> answers;  // what the window was told
    bool inWindow = false;            // the typed text is still before the user
    KeepAnswer keep(KeepOccasion occasion) { return keepDayFile(stored, window, shown, occasion, context); }
    KeepAnswer keepContacts(KeepOccasion occasion)
    {
        return keepDirectoryFile(contactsFile, contacts, storedContacts, occasion, context);
    }
    bool shows() const { return std::ranges::any_of(window.lines, [](const DayLine& l) { return typed == l.text; }); }
};

size_t count(const std::string& file, const std::string& text)
{
    std::string bytes = readBytes(file);
    size_t n = 0;
    for (size_t at = bytes.find(text); at != std::string::npos; at = bytes.find(text, at + 1)) ++n;
    return n;
}

// In a file whose path begins with stem: the file itself or an other version beside it, never a temporary file.
bool onDisk(const std::string& stem, const std::string& text = typed)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
        std::string path = entry.path().lexically_relative(".").generic_string();
        if (path.starts_with(stem) && path.ends_with(".ini") && count(path, text) > 0) return true;
    }
    return false;
}

void typeOnMonday(World& w, FailingStore& store)
{
    writeBytes(mondayFile, "[TODO]\r\nTEXT_0 = Call Ann\r\n");
    loadStoredPage(w.stored, monday, w.window);
    setLineText(w.window.lines[firstTodoLine + 1], typed);
    store.start();
}

bool tickUntilWritten(World& w)
{
    std::string file = w.shown.wDay == 7 ? mondayFile : tuesdayFile;
    for (int tick = 0; tick < 2 && count(file, typed) == 0; ++tick) w.answers.push_back(w.keep(KeepOccasion::tick));
    return count(file, typed) == 1;
}

// The files that may hold the typed text begin with stem; afterFault is the next ticks once the fault cleared.
struct Journey {
    const char *name, *stem;
    void (*act)(World&, FailingStore&);
    bool (*afterFault)(World&);
};

const Journey journeys[] = {
    {"typing then leaving the day", "Data/2026_12_0",
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         w.answers.push_back(w.keep(KeepOccasion::leaveAsked));
         // The day that could not be saved stays shown, and its ticks try again without telling again.
         w.answers.push_back(w.keep(KeepOccasion::tick));
         w.inWindow = w.shows();
     },
     [](World& w) { return tickUntilWritten(w); }},
    {"Close current day", "Data/2026_12_0",
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         w.answers.push_back(w.keep(KeepOccasion::leaveAsked));
         w.inWindow = w.shows();
         if (isFailure(w.answers.back().saved)) return;  // the day that could not be saved stays shown
         DayPage closing = w.window;
         if (loadStoredPage(w.stored, tuesday, w.window) == ReadResult::unreadable) return;
         w.shown = tuesday;
         static Directory noPeriodicTasks = {};
         carryOverUnfinished(closing, w.window, noPeriodicTasks, tuesday, std::strcmp);
         w.answers.push_back(w.keep(KeepOccasion::tick));
         w.inWindow = w.shows();
     },
     [](World& w) { return tickUntilWritten(w); }},
    {"taking in a change made elsewhere", "Data/2026_12_07",
     // Both sides changed one line: the window's stays.
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         store.clear();
         setLineText(w.window.lines[firstTodoLine], "Call Ann at five");
         writeBytes(mondayFile, "[TODO]\r\nTEXT_0 = Call Ann at six\r\n");
         store.start();
         for (int tick = 0; tick < 3; ++tick) w.answers.push_back(w.keep(KeepOccasion::tick));
         EXPECT_TRUE(onDisk("Data/2026_12_07", "Call Ann at six")) << "the change made elsewhere is lost";
         w.inWindow = w.shows();
     },
     // The file goes beside it; a second such merge in the same second keeps the first.
     [](World& w) {
         const std::string kept = "Data/2026_12_07.conflict-LAPTOP-20261207-0930";
         if (!tickUntilWritten(w) || !onDisk(kept, "Call Ann at six")) return false;
         setLineText(w.window.lines[firstTodoLine], "Call Ann at four");
         writeBytes(mondayFile, "[TODO]\r\nTEXT_0 = Call Ann at seven\r\n");
         w.answers.insert(w.answers.end(), {w.keep(KeepOccasion::tick), w.keep(KeepOccasion::tick)});
         return count(mondayFile, "at four") == 1 && onDisk(kept, "Call Ann at six") && onDisk(kept, "at seven");
     }},
    {"a directory saved", "directory_contact",
     [](World& w, FailingStore& store) {
         writeBytes("directory_contact.ini", "[ITEM_0]\r\nname = Ann\r\n");
         loadStoredDirectory(contactsFile, w.contacts, w.storedContacts);
         std::strcpy(w.contacts[1].name, typed.c_str());
         store.start();
         w.answers.push_back(w.keepContacts(KeepOccasion::leave));
         w.inWindow = typed == w.contacts[1].name;
     },
     [](World& w) {
         w.answers.insert(w.answers.end(), {w.keepContacts(KeepOccasion::tick), w.keepContacts(KeepOccasion::tick)});
         return count("directory_contact.ini", typed) == 1 && count("directory_contact.ini", "Ann") == 1;
     }},
    {"an import writing another day", "Data/2026_12_08",
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
    {"the calendar file written", "Quillory",
     [](World& w, FailingStore& store) {
         setLineText(w.window.lines[4], typed);
         w.feed.zone = berlinRules, w.feed.version = "1.1", w.feed.today = monday;
         composeDayItems(w.window, monday, berlinRules, w.feed.days[dateKey(monday)]);
         store.start();
         bool failed = writeCalendarFile(w.feed) == FeedWrite::failed;  // and told
         EXPECT_EQ(failed, count("Quillory.ics", typed) == 0);
         w.inWindow = true;  // the day's file is not touched
     },
     [](World& w) { return writeCalendarFile(w.feed) != FeedWrite::failed && count("Quillory.ics", typed) == 1; }},
    {"a log-off", "Data/2026_12_07",
     [](World& w, FailingStore& store) {
         typeOnMonday(w, store);
         KeepAnswer answer = w.keep(KeepOccasion::logOff);
         // A page kept beside its file is kept: there is nothing to tell.
         if (!answer.otherVersion.empty()) answer.saved = SaveOutcome::skipped;
         w.answers.push_back(answer);
         // The window goes with the session: only a disk that fails for good leaves the text to the message.
         w.inWindow = store.lasting != FailingStore::once && answer.tell;
     },
     [](World& w) { return tickUntilWritten(w); }},
};

// Returns the number of steps the journey took.
int runJourney(const Journey& journey, int failAt, FailingStore::Lasting lasting)
{
    ScratchFolder folder;
    std::filesystem::create_directory("Data");
    FailingStore store;
    store.failAt = failAt, store.lasting = lasting;
    auto w = std::make_unique<World>();
    SCOPED_TRACE(std::string(journey.name) + ", step " + std::to_string(failAt) + ", way " + std::to_string(lasting));
    journey.act(*w, store);
    int steps = store.steps;
    store.clear();
    EXPECT_TRUE(w->inWindow || onDisk(journey.stem)) << "the typed text is nowhere";
    auto told = [&] { return std::count_if(w->answers.begin(), w->answers.end(), [](auto& a) { return a.tell; }); };
    bool failed = std::any_of(w->answers.begin(), w->answers.end(), [](auto& a) { return isFailure(a.saved); });
    EXPECT_EQ(told(), failed ? 1 : 0) << "a failed save is told once";
    EXPECT_TRUE(journey.afterFault(*w)) << "not written once the fault cleared";
    EXPECT_LE(told(), 1) << "told again";
    return steps;
}

TEST(FailurePoints, EveryFileStepFailsInTurnOnEveryJourney)
{
    int tried = 0;
    for (const Journey& journey : journeys) {
        int steps = runJourney(journey, 0, FailingStore::once);
        EXPECT_GT(steps, 2) << journey.name;
        for (int failAt = 1; failAt <= steps; ++failAt)
            for (auto lasting : {FailingStore::once, FailingStore::sameKind, FailingStore::everything})
                runJourney(journey, failAt, lasting), ++tried;
    }
    std::printf("failure points tried: %d\n", tried);
}

}  // namespace
