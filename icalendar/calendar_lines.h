// The lines placed from calendars, remembered by event and occurrence in a
// file beside the directories, so that an update or a cancellation finds them
// on their days, on every computer that shares the folder.
#pragma once

#include <string>
#include <vector>

#include "dates/calendar.h"
#include "icalendar/import_plan.h"
#include "storage/kept_file.h"

constexpr const char* calendarLinesPath = ".\\calendar_lines.ini";

struct CalendarLine {
    std::string uid;
    std::string occurrence;  // PlannedOccurrence::key
    EventVersion version;    // replaces: the occurrence was named by a RECURRENCE-ID rather than a start
    SystemTime day;
    int line = 0;
    std::string text;          // as placed
    std::string subscription;  // the calendar kept in step that placed it; empty for a file imported
};

using CalendarLines = std::vector<CalendarLine>;

// Sections LINE_0, LINE_1 ... in the file's order; one without a UID, a day
// or a line on the page is passed over.
void readCalendarLines(const IniFile& ini, CalendarLines& lines);
std::string composeCalendarLines(const CalendarLines& lines);

// Lines compared whole against what both sides started from: one added on
// either side is kept once, one removed or changed on one side is so in the
// result. This run's come first, then those only the file holds.
CalendarLines mergeCalendarLines(const CalendarLines& base, const CalendarLines& mine, const CalendarLines& theirs);

struct StoredCalendarLines : FileKeeper {
    std::string held;  // as last read or written, composed
};

ReadResult loadStoredCalendarLines(StoredCalendarLines& stored, CalendarLines& lines);

// The file for the keeper: written when an import changed it, merged with a
// change another computer made meanwhile.
struct CalendarLinesKind {
    using Content = CalendarLines;
    using Held = std::string;
    FileKeeper& keeper;
    std::string& held;
    std::string path = calendarLinesPath;
    const char* folder = nullptr;
    bool deleteWhenEmpty = false;
    bool writtenAtTicks = false;
    CalendarLines theirs = {}, merged = {};

    std::string compose(const CalendarLines& lines) const { return composeCalendarLines(lines); }
    bool changedHere(const CalendarLines& lines) const { return compose(lines) != held; }
    bool changedThere(const std::string& read) const { return read != held; }
    void hold(const CalendarLines& lines) { held = compose(lines); }
    void read(const IniFile& ini, std::string& read, const CalendarLines& window);
    bool merge(const CalendarLines& window, const std::string& read);
    void takeMerged(CalendarLines& window) { window = std::move(merged); }
};

inline CalendarLinesKind calendarLinesKind(StoredCalendarLines& stored)
{
    return {stored, stored.held};
}
