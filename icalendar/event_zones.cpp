// A VTIMEZONE's year of rules, a TZID's zone found, and times moved between its clock and UTC.
#include "icalendar/event_zones.h"

#include <algorithm>
#include <utility>

#include "icalendar/zone_names.h"

namespace {

constexpr Minutes minutesPerDay = 24 * 60;

// A change of a VTIMEZONE: the wall-clock moment it happens, on the clock in
// force before it.
struct Onset {
    Minutes at;
    const ZoneObservance* observance;
};

// The onsets of one part from `from` to `to`, and the last one before `from`.
void collectOnsets(const ZoneObservance& part, Minutes from, Minutes to, std::vector<Onset>& within, Onset& lastBefore)
{
    std::vector<Minutes> starts{part.start};
    if (part.repeats) {
        RepeatRule rule = part.rule;
        if (rule.untilInUtc) rule.until += part.offsetFrom;
        // Of the changes before `from` only the last counts: it is looked for
        // in the years just before, and only a rule silent there is walked
        // from its start (a zone repeating daily since year 1 stays quick).
        Minutes near = std::max(part.start, from - 8 * 366 * minutesPerDay);
        starts = expandOccurrences(rule, part.start, near, to);
        if (near > part.start && (starts.empty() || starts.front() >= from))
            starts = expandOccurrences(rule, part.start, part.start, to);
    }
    starts.insert(starts.end(), part.extraStarts.begin(), part.extraStarts.end());
    for (Minutes at : starts) {
        if (at >= from && at <= to) within.push_back({at, &part});
        else if (at < from && (!lastBefore.observance || at > lastBefore.at)) lastBefore = {at, &part};
    }
}

thread_local const EventZone* zoneInUse = nullptr;

ZoneRules rulesOfZoneInUse(int year)
{
    return zoneInUse->rulesFor(year);
}

// localToUtc and utcToLocal take a zone as a plain function of the year; a
// zone found at run time is handed to them here, for the one call.
template <typename Convert>
Minutes convertIn(const EventZone& zone, Convert convert)
{
    const EventZone* outer = std::exchange(zoneInUse, &zone);
    Minutes result = convert(rulesOfZoneInUse);
    zoneInUse = outer;
    return result;
}

// A VTIMEZONE's rules for one year: the standard offset in force, and the
// two changes of that year as dates of that year, whatever rule or list of
// dates the file gives them by. In a year without both changes, the offset
// in force at its end, without daylight saving.
ZoneRules rulesOfDefinition(const ZoneDefinition& zone, int year)
{
    Minutes from = minutesOf({uint16_t(year), 1, 0, 1});
    Minutes to = minutesOf({uint16_t(year), 12, 0, 31}) + minutesPerDay - 1;
    std::vector<Onset> within;
    Onset lastBefore{0, nullptr};
    for (const ZoneObservance& part : zone.observances) collectOnsets(part, from, to, within, lastBefore);
    std::sort(within.begin(), within.end(), [](const Onset& a, const Onset& b) { return a.at < b.at; });

    const Onset* toDaylight = nullptr;
    const Onset* toStandard = nullptr;
    for (const Onset& onset : within) {
        const Onset*& first = onset.observance->daylight ? toDaylight : toStandard;
        if (!first) first = &onset;
    }
    // Dated changes can leave a year one real change (a zone that stopped
    // daylight saving, or whose change only renamed its clock): that offset
    // holds from its moment to the year's end.
    int offset = lastBefore.observance ? lastBefore.observance->offsetTo
                 : within.empty()      ? 0
                                       : within.front().observance->offsetFrom;
    const Onset* onlyChange = nullptr;
    int changes = 0;
    for (const Onset& onset : within)
        if (onset.observance->offsetTo != std::exchange(offset, onset.observance->offsetTo)) onlyChange = &onset, ++changes;
    ZoneRules rules;
    if (changes == 1) {
        rules.bias = -onlyChange->observance->offsetFrom;
        rules.daylightBias = -(onlyChange->observance->offsetTo - onlyChange->observance->offsetFrom);
        rules.daylightDate = timeOfMinutes(onlyChange->at);
        rules.standardDate = timeOfMinutes(to + 1);
        return rules;
    }
    if (toDaylight && toStandard) {
        int standardOffset = toStandard->observance->offsetTo;
        rules.bias = -standardOffset;
        rules.daylightBias = -(toDaylight->observance->offsetTo - standardOffset);
        rules.standardDate = timeOfMinutes(toStandard->at);
        rules.daylightDate = timeOfMinutes(toDaylight->at);
        return rules;
    }
    const Onset* inForce = !within.empty() ? &within.back() : lastBefore.observance ? &lastBefore : nullptr;
    // Before its first part begins, a zone keeps the offset that part changes from.
    if (inForce) rules.bias = -inForce->observance->offsetTo;
    else if (!zone.observances.empty()) rules.bias = -zone.observances.front().offsetFrom;
    return rules;
}

}  // namespace

ZoneRules EventZone::rulesFor(int year) const
{
    auto known = years_.find(year);
    if (known != years_.end()) return known->second;
    ZoneRules rules;
    // A time near the calendar's ends can fall a few hours outside it.
    if (definition_) rules = rulesOfDefinition(*definition_, std::clamp(year, 1, 9999));
    else if (!lookup_ || !lookup_(windowsName_, year, rules)) rules = {};
    years_.emplace(year, rules);
    return rules;
}

Minutes EventZone::toUtc(Minutes wallClock) const
{
    return convertIn(*this, [&](ZoneRulesForYear rules) { return localToUtc(rules, wallClock); });
}

Minutes EventZone::fromUtc(Minutes utc) const
{
    return convertIn(*this, [&](ZoneRulesForYear rules) { return utcToLocal(rules, utc); });
}

bool ZoneResolver::platformKnows(std::string_view windowsName) const
{
    ZoneRules ignored;
    return lookup_ && !windowsName.empty() && lookup_(windowsName, someYear_, ignored);
}

const EventZone* ZoneResolver::find(const std::string& tzid)
{
    auto known = found_.find(tzid);
    if (known != found_.end()) return known->second.get();
    std::unique_ptr<EventZone> zone;
    for (const ZoneDefinition& definition : definitions_)
        if (definition.id == tzid) {
            zone = std::make_unique<EventZone>(&definition, std::string(), lookup_);
            break;
        }
    if (!zone && platformKnows(tzid)) zone = std::make_unique<EventZone>(nullptr, tzid, lookup_);
    for (size_t at = 0; !zone && at != std::string::npos; at = tzid.find('/', at + 1)) {
        std::string_view name = std::string_view(tzid).substr(at == 0 ? 0 : at + 1);
        std::string_view windowsName = windowsZoneOf(name);
        if (platformKnows(windowsName)) zone = std::make_unique<EventZone>(nullptr, std::string(windowsName), lookup_);
    }
    return found_.emplace(tzid, std::move(zone)).first->second.get();
}
