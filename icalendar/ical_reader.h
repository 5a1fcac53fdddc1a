// Reading a calendar file (.ics): its events and the time zones they name, as written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "icalendar/recurrence.h"
#include "icalendar/time_zone.h"

enum class TimeForm : uint8_t {
    none,      // not given
    date,      // a whole day
    floating,  // a wall-clock time wherever the reader is
    utc,
    zoned,     // a wall-clock time of the zone named by its TZID
};

struct IcalTime {
    Minutes minutes = 0;  // on the clock its form names
    TimeForm form = TimeForm::none;
    std::string zone;  // the TZID of a zoned time
};

// One STANDARD or DAYLIGHT part of a VTIMEZONE. Its onsets are wall-clock
// times on the clock in force before them (offsetFrom).
struct ZoneObservance {
    bool daylight = false;
    int offsetFrom = 0;  // minutes east of UTC
    int offsetTo = 0;
    Minutes start = 0;
    bool repeats = false;
    RepeatRule rule;
    std::vector<Minutes> extraStarts;  // RDATE
};

struct ZoneDefinition {
    std::string id;
    std::vector<ZoneObservance> observances;
};

struct CalendarEvent {
    std::string uid;
    std::string summary;   // unescaped
    std::string location;  // unescaped
    bool cancelled = false;
    IcalTime start;
    IcalTime end;              // DTEND; form none when not given
    bool hasDuration = false;  // DURATION instead of DTEND
    Minutes duration = 0;
    bool repeats = false;
    RepeatRule rule;
    std::vector<IcalTime> exceptionDates;  // EXDATE
    std::vector<IcalTime> extraDates;      // RDATE
    IcalTime recurrenceId;                 // the occurrence of its UID this one replaces
    bool thisAndFuture = false;            // and every later one (RANGE=THISANDFUTURE)
    int sequence = 0;                      // the revision: a higher one is newer
    std::string stamp;                     // DTSTAMP as written: a later one is newer at the same revision
};

struct CalendarFile {
    std::string method;  // upper case; "CANCEL" withdraws every event in it
    std::vector<ZoneDefinition> zones;
    std::vector<CalendarEvent> events;
    int unreadableEvents = 0;  // left out: their start or repeat rule could not be read
};

enum class CalendarFileCheck {
    read,
    notCalendar,  // empty, or not beginning with BEGIN:VCALENDAR
    cutShort,     // a BEGIN without its END, or an END without its BEGIN
    binary,       // holds NUL bytes
    tooLarge,     // over maxCalendarFileBytes
    lineTooLong,  // a content line, its folds undone, over maxCalendarLineBytes
};

constexpr size_t maxCalendarFileBytes = 10 * 1024 * 1024;
constexpr size_t maxCalendarLineBytes = 1024 * 1024;

// Reads a whole .ics file. Anything but `read` means it is not a calendar
// this program can read, and `file` is left empty. Components that carry no
// events (to-dos, journals, free/busy, alarms, X- ones) are passed over with
// everything nested in them. Bytes that are not UTF-8 are taken in the code
// page of earlier versions, as every file the program reads.
CalendarFileCheck readCalendarFile(std::string_view bytes, CalendarFile& file);
