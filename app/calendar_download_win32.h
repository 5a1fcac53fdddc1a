// A subscribed calendar fetched over HTTP(S) with WinHTTP, or read from its file. Runs on a worker thread.
#pragma once

#include <string>

#include "icalendar/subscriptions.h"

// What the last good reading answered, so the next one asks only for a change.
struct CalendarValidators {
    std::string entityTag;
    std::string lastModified;
};

struct CalendarDownload {
    enum Result { changed, unchanged, failed } result = failed;
    std::string bytes;   // the calendar, when changed
    std::string reason;  // when failed: "404 Not Found", "no answer", "larger than 10 MB"
    CalendarValidators validators;
};

// 15 s to connect, 60 s in all, 10 MB at most, at most 5 redirects and never
// from https to http.
CalendarDownload downloadCalendar(const std::string& address, const CalendarValidators& last);
