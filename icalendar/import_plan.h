// Importing a calendar file: its events as lines of their days, placed on the day pages, and the summary shown after.
#pragma once

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
};

// A line an event puts on one of its days.
struct ImportedItem {
    int occurrence = 0;     // the same on every day of one occurrence of an event
    int startMinute = -1;   // of its day; -1 for a whole day
    int scheduleLine = -1;  // the schedule line of the half hour it starts in, if it has one
    std::string text;       // for that schedule line, or for a note when it takes whole days
    std::string timedText;  // beginning with its times, for a to-do line; a whole day's has none
    int32_t mark = markPrimary;
};

// An event of the given length (0 for none) starting at a minute of its day,
// with the title after its times: "09:00-10:30 Project review".
ImportedItem timedItem(int minute, long long length, const std::string& title);

struct DayImport {
    SystemTime date;
    std::vector<ImportedItem> items;  // whole days first, then by time
};

struct ImportPlan {
    std::vector<DayImport> days;  // in date order
    int cancelledEvents = 0;
    int unreadableEvents = 0;
    int unknownZoneEvents = 0;  // brought in on the pages' clock as they were written
};

// The events of a file as the items of their days, in the pages' local time.
// A repeating event gives its occurrences from settings.today to 365 days
// later; a single one is kept whatever its date.
ImportPlan planImport(const CalendarFile& file, const ImportSettings& settings);

struct DayPlacement {
    std::vector<int> placed;    // indexes of the items now on the page
    std::vector<int> unplaced;  // of those that found no free line
    int alreadyThere = 0;
};

// Puts a day's items on its page. A timed item goes on the schedule line of
// its half hour, a whole day on the first free note; when that line holds
// text, or the time lies outside the schedule, on the first free to-do line
// with its times in front. No line with text is written over, and an item
// whose text the page holds already is not added again.
DayPlacement placeOnPage(DayPage& page, const std::vector<ImportedItem>& items);

// What the import did, gathered day by day for its summary.
struct ImportTally {
    std::set<int> events;  // occurrences put on at least one page
    int days = 0;
    int alreadyThere = 0;
    std::vector<std::string> unplaced;  // "2026-12-08 09:00-10:30 Project review"
};

void tallyDay(ImportTally& tally, const DayImport& day, const DayPlacement& placement);

// "Imported 14 events on 9 days.", then a line for each thing left out.
std::string importSummary(const ImportPlan& plan, const ImportTally& tally);
