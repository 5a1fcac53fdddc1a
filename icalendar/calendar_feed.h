// The calendar file beside Data: the schedule and the to-do lists as iCalendar, kept in step with the day files.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "day/day_page.h"
#include "storage/file_stamp.h"
#include "storage/folder_listing.h"
#include "icalendar/time_zone.h"

constexpr const char* calendarFilePath = ".\\Quillory.ics";

// Events are kept from this many days before today on; to-dos from today on.
constexpr int pastDaysInCalendar = 90;

// A day's items, composed once and kept until its file changes.
struct FeedDay {
    FileStamp stamp;     // of the file as read; none when its items came from the calendar file
    std::string events;  // VEVENT components, folded, each line ending in CRLF
    std::string todos;   // VTODO components
};

struct CalendarFeed {
    ZoneRulesForYear zone = nullptr;
    std::string version;  // of the program, for PRODID
    SystemTime today;
    std::map<int, FeedDay> days;     // by dateKey
    std::vector<SystemTime> toRead;  // the day files of the plan not read yet
    // The calendar file as found, by day: what a day file that cannot be read
    // keeps. Taken apart only when such a day turns up.
    std::map<int, FeedDay> asFound;
    bool asFoundTaken = false;
    std::vector<SystemTime> watched;     // days looked at every tick, the latest first
    std::vector<SystemTime> unreadable;  // days whose file could not be read, tried at every tick
    // The calendar file's bytes as found or last written, shared with the
    // thread that writes them; none when not known.
    std::shared_ptr<const std::string> written;
};

// A day's schedule as VEVENTs in UTC, its to-do lines as VTODOs due on it.
// An event's UID stays while the line keeps its day and slot; a to-do's
// while it keeps its text, a repeated text counted in page order.
void composeDayItems(const DayPage& page, const SystemTime& date, ZoneRulesForYear zone, FeedDay& day);

// The whole calendar file: events of every day from 90 days before today on,
// to-dos from today on. Its bytes depend only on the days and today.
std::string composeCalendar(const CalendarFeed& feed);

// Starts over for today with a listing of the Data folder and the calendar
// file's bytes as they are now (empty when there is none): the days the file
// covers are queued for reading.
void planFeed(CalendarFeed& feed, const SystemTime& today, const std::vector<FolderFile>& dataFiles,
              std::string calendarFile, bool calendarFileFound);

// Reads the next queued day; false when none is left. A day file that cannot
// be read keeps what the calendar file held for that day.
bool readNextFeedDay(CalendarFeed& feed);

inline bool isFeedRead(const CalendarFeed& feed)
{
    return feed.toRead.empty();
}

// Looks at one day's file again, once every day is read; true when its items changed.
bool refreshFeedDay(CalendarFeed& feed, const SystemTime& date);

// A day worth a look at every tick: the day shown, and a day the program has
// just changed. The latest few are kept.
void watchFeedDay(CalendarFeed& feed, const SystemTime& date);

// Reads again each watched day whose file moved, and each that could not be
// read; true when an item changed.
bool refreshWatchedDays(CalendarFeed& feed);

// The calendar file's bytes, when they differ from what was last written or
// found (else none); they count as written from then on, so a writer that
// fails must forget them for the next change to be written again.
std::shared_ptr<const std::string> takeCalendarChange(CalendarFeed& feed);

enum class FeedWrite { unchanged, written, failed };

// Writes the calendar file, whole and atomically, when its bytes would change.
FeedWrite writeCalendarFile(CalendarFeed& feed);
