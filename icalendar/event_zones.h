// The zones an event's times are written in: a file's own VTIMEZONE as rules year by year, or a zone the platform knows by name.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "icalendar/ical_reader.h"
#include "icalendar/time_zone.h"

// The rules of a zone the platform knows by its Windows name ("W. Europe
// Standard Time"), for one year; false when it knows none of that name. The
// Windows side reads them from the registry; tests give fixed ones.
using WindowsZoneLookup = bool (*)(std::string_view windowsName, int year, ZoneRules& rules);

// One zone an event names, its years of rules worked out once each.
class EventZone {
public:
    EventZone(const ZoneDefinition* definition, std::string windowsName, WindowsZoneLookup lookup)
        : definition_(definition), windowsName_(std::move(windowsName)), lookup_(lookup)
    {
    }
    ZoneRules rulesFor(int year) const;
    Minutes toUtc(Minutes wallClock) const;
    Minutes fromUtc(Minutes utc) const;

private:
    const ZoneDefinition* definition_;
    std::string windowsName_;
    WindowsZoneLookup lookup_;
    mutable std::unordered_map<int, ZoneRules> years_;
};

// Finds the zone a TZID names: the file's own VTIMEZONE of that id; else a
// Windows name the platform knows; else an IANA name ("Europe/Berlin", also
// behind a prefix such as "/mozilla.org/20050126_1/") mapped to its Windows
// name. Each TZID is looked up once.
class ZoneResolver {
public:
    ZoneResolver(const std::vector<ZoneDefinition>& definitions, WindowsZoneLookup lookup, int someYear)
        : definitions_(definitions), lookup_(lookup), someYear_(someYear)
    {
    }
    // Null when the zone cannot be found.
    const EventZone* find(const std::string& tzid);

private:
    bool platformKnows(std::string_view windowsName) const;

    const std::vector<ZoneDefinition>& definitions_;
    WindowsZoneLookup lookup_;
    int someYear_;  // the year the platform is asked about when a name is tried
    std::map<std::string, std::unique_ptr<EventZone>, std::less<>> found_;
};
