// Importing a calendar file: its events as lines of their days, placed on the day pages, and the summary shown after.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "day/day_page.h"
#include "icalendar/event_zones.h"
#include "icalendar/ical_reader.h"

struct ImportSettings {
    SystemTime today;               // repeating events come in from this day to 365 days after it
    ZoneRulesForYear userZone;      // the zone the pages' times are in
    WindowsZoneLookup windowsZone;  // may be null: only the file's own zones are known then
    // By UID, the occurrences put on pages before (PlannedOccurrence::key): a
    // change of one occurrence and every later one reaches them when the file
    // does not hold the whole event.
    const std::map<std::string, std::vector<std::string>>* placedBefore = nullptr;
};

// Which revision of an event something came from. The newer has the higher
// SEQUENCE, else the later DTSTAMP; at the same revision an occurrence given on
// its own (RECURRENCE-ID) stands over the one its series gives.
struct EventVersion {
    int sequence = 0;
    std::string stamp;      // DTSTAMP, in UTC as the standard writes it
    bool replaces = false;  // from a component with a RECURRENCE-ID
};

// Below zero when a is older than b, zero for the same revision.
int compareVersions(const EventVersion& a, const EventVersion& b);

// An occurrence of an event, named as a RECURRENCE-ID names it: its first
// start, in UTC where its zone is known ("20261208T080000Z"), else as written
// ("20261208T090000", or "20261208" for a day).
struct PlannedOccurrence {
    std::string uid;
    std::string key;
    EventVersion version;
};

// The first start an occurrence key names, on the pages' clock; false when it names none.
bool localStartOfKey(const std::string& key, ZoneRulesForYear userZone, Minutes& local);

// A cancelled event, one occurrence of it, or one and every later one.
struct Cancellation {
    std::string uid;
    std::string key;  // empty for the whole event
    bool thisAndFuture = false;
    EventVersion version;
};

// A line an event puts on one of its days.
struct ImportedItem {
    int occurrence = 0;     // the same on every day of one occurrence of an event; ImportPlan::occurrences

    int startMinute = -1;   // of its day; -1 for a whole day
    int scheduleLine = -1;  // the schedule line of the half hour it starts in, if it has one
    std::string text;       // for that schedule line, or for a note when it takes whole days
    std::string timedText;  // beginning with its times, for a to-do line; a whole day's has none
    int32_t mark = markPrimary;
};

// An event of the given length (0 for none) starting at a minute of its day,
// with the title after its times: "09:00-10:30 Project review".
ImportedItem timedItem(int minute, long long length, const std::string& title);

// A line put there before, to be taken off only while it holds just that text and is not done.
struct LineToTakeOff {
    int line = 0;
    std::string text;
};

struct DayImport {
    SystemTime date;
    std::vector<ImportedItem> items;  // whole days first, then by time
    std::vector<LineToTakeOff> takeOff = {};  // done before the items are placed
};

struct ImportPlan {
    std::vector<DayImport> days;  // in date order
    std::vector<PlannedOccurrence> occurrences;
    std::vector<Cancellation> cancellations;
    std::map<std::string, EventVersion> series;  // by UID, each event the file gives whole
    int cancelledEvents = 0;
    int unreadableEvents = 0;
    int unknownZoneEvents = 0;  // brought in on the pages' clock as they were written
    int tooFrequent = 0;        // repeats within a half hour of the one before, left out
};

// The events of a file as the items of their days, in the pages' local time.
// A repeating event gives its occurrences from settings.today to 365 days
// later; a single one is kept whatever its date.
ImportPlan planImport(const CalendarFile& file, const ImportSettings& settings);

enum class TakeOff {
    failed,       // the day could not be read or written: nothing changed on it
    taken,
    gone,         // the line was cleared already
    leftChanged,  // the user changed or ticked it: it stays as it is
};

struct DayPlacement {
    std::vector<int> placed;    // indexes of the items now on the page
    std::vector<int> unplaced;  // of those that found no free line
    int alreadyThere = 0;
    std::vector<int> lines = {};       // by item, the line it was put on or found on, or -1
    std::vector<TakeOff> takenOff = {};  // by LineToTakeOff
};

// Puts a day's items on its page. A timed item goes on the schedule line of
// its half hour, a whole day on the first free note; when that line holds
// text, or the time lies outside the schedule, on the first free to-do line
// with its times in front. No line with text is written over, and an item
// whose text the page holds already is not added again.
DayPlacement placeOnPage(DayPage& page, const std::vector<ImportedItem>& items);

// A day's lines taken off, then its items placed.
DayPlacement changePage(DayPage& page, const DayImport& day);

// A placement for a day that could not be changed: nothing placed, nothing taken off.
DayPlacement nothingPlaced(const DayImport& day);

// What the import did, gathered day by day for its summary.
struct ImportTally {
    std::set<int> replacing;  // given before the days: occurrences that replace lines placed before
    std::set<int> events;     // occurrences put on at least one page, not replacing
    std::set<int> moved;      // replacing occurrences now on a page
    int days = 0;             // on which an occurrence that replaces nothing was put
    int alreadyThere = 0;
    int takenOff = 0;            // cancelled occurrences whose lines are off their days
    int cancellationsFound = 0;  // of the plan's cancellations, those that met lines placed before
    int leftChanged = 0;       // lines placed before that the user changed or ticked
    int older = 0;             // events older than the ones placed before
    std::vector<std::string> unplaced;  // "2026-12-08 09:00-10:30 Project review"
};

void tallyDay(ImportTally& tally, const DayImport& day, const DayPlacement& placement);

// "Imported 14 events on 9 days.", then a line for each thing left out.
std::string importSummary(const ImportPlan& plan, const ImportTally& tally);
