// Events followed by their UID: an import or a calendar's reading compared
// with the lines placed before, so that an update moves its lines, a
// cancellation takes them off, and a line the user changed stays theirs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "icalendar/calendar_lines.h"
#include "icalendar/import_plan.h"
#include "icalendar/ical_reader.h"

struct FollowSettings {
    std::string subscription;  // the calendar read, named on the lines it places; empty for a file imported
    // A reading of a calendar kept in step: its lines from today to 365 days on
    // that it no longer gives are taken off as cancelled.
    bool inStep = false;
};

// What an import changes: each day's items to place and lines to take off,
// and for each line to take off the record's line it stands for.
struct FollowPlan {
    std::vector<DayImport> days;  // in date order
    std::vector<std::vector<int>> recordOf;  // by day, by LineToTakeOff: the index in the record
    std::vector<bool> cancelling;            // by index in the record: taken off as cancelled
    ImportTally tally;                       // with the replacing occurrences and what was decided before placing
};

// By UID, the occurrences the record holds: what a change of every later occurrence reaches.
std::map<std::string, std::vector<std::string>> placedOccurrences(const CalendarLines& record);

// The plan held against the record. An occurrence the record holds is placed
// again only from a newer revision that puts other text or another day; its
// old lines are then taken off. A newer whole event takes off its lines from
// today on that it no longer gives; a cancellation takes off its event's, its
// occurrence's, or that and every later one's. A line is never taken off
// before today; an older revision changes nothing. The record's revisions of
// lines that stay as they are move up to the plan's.
FollowPlan followEvents(const ImportPlan& plan, CalendarLines& record, const SystemTime& today,
                        ZoneRulesForYear userZone, const FollowSettings& settings);

// The outcomes of the days, in FollowPlan::days' order, noted in the tally and
// the record: lines taken off leave it, lines placed or found join it.
void noteFollowed(FollowPlan& follow, const ImportPlan& plan, CalendarLines& record,
                  const std::vector<DayPlacement>& placements, const FollowSettings& settings);

// A whole import or reading: the record read, the plan followed, the day shown
// changed by the window (changeShown), every other day read, changed and
// written through the keeper, the record written the same way.
struct CalendarImport {
    std::string summary;
    std::vector<SystemTime> written;  // other days whose files changed
};

CalendarImport importCalendar(const CalendarFile& file, const ImportSettings& settings, const FollowSettings& follow,
                              const SystemTime& shown, const std::function<DayPlacement(const DayImport&)>& changeShown,
                              const KeepContext& context);
