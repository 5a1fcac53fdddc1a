// Reading a calendar file: components opened and closed in turn, and the properties of events and time zones.
#include "icalendar/ical_reader.h"

#include "text/legacy_text.h"
#include "text/numbers.h"
#include "text/utf8_text.h"
#include "icalendar/ical_text.h"
#include "icalendar/ical_values.h"

namespace {

std::string upperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return result;
}

// What an open component is to the reader; everything inside a component
// it passes over is passed over too.
enum class Component { calendar, event, zone, observance, skipped };

Component componentOf(std::string_view name, const std::vector<Component>& open)
{
    Component parent = open.empty() ? Component::skipped : open.back();
    if (open.empty() && name == "VCALENDAR") return Component::calendar;
    if (parent == Component::calendar && name == "VEVENT") return Component::event;
    if (parent == Component::calendar && name == "VTIMEZONE") return Component::zone;
    if (parent == Component::zone && (name == "STANDARD" || name == "DAYLIGHT")) return Component::observance;
    return Component::skipped;
}

bool readTime(const ContentLine& line, std::string_view value, IcalTime& time)
{
    DateTimeValue parsed;
    if (!parseDateTime(value, parsed)) return false;
    time.minutes = parsed.minutes;
    time.zone.clear();
    if (parsed.isDate) {
        time.form = TimeForm::date;
    } else if (parsed.isUtc) {
        time.form = TimeForm::utc;
    } else {
        time.zone = parameterValue(line, "TZID");
        time.form = time.zone.empty() ? TimeForm::floating : TimeForm::zoned;
    }
    return true;
}

// EXDATE and RDATE hold comma lists; a period ("start/end" or
// "start/duration") counts by its start. An item that cannot be read is
// left out alone.
void readTimeList(const ContentLine& line, std::vector<IcalTime>& times)
{
    std::string_view list = line.value;
    while (!list.empty()) {
        size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
        IcalTime time;
        if (readTime(line, item.substr(0, item.find('/')), time)) times.push_back(std::move(time));
    }
}

struct Reader {
    explicit Reader(CalendarFile& file) : file(file) {}

    CalendarFile& file;
    std::vector<Component> open;
    CalendarEvent event;
    bool eventReadable = true;
    ZoneDefinition zone;
    ZoneObservance observance;
    bool observanceReadable = true;
    bool hasOffsetFrom = false;

    void begin(Component component, std::string_view name)
    {
        if (component == Component::event) event = {}, eventReadable = true;
        if (component == Component::zone) zone = {};
        if (component == Component::observance) {
            observance = {};
            observance.daylight = name == "DAYLIGHT";
            observanceReadable = true;
            hasOffsetFrom = false;
        }
        open.push_back(component);
    }

    void end()
    {
        Component closed = open.back();
        open.pop_back();
        if (closed == Component::event) {
            if (eventReadable && event.start.form != TimeForm::none) file.events.push_back(std::move(event));
            else ++file.unreadableEvents;
        } else if (closed == Component::observance && observanceReadable &&
                   (!observance.repeats || keepsTimeOfStart(observance.rule, observance.start))) {
            if (!hasOffsetFrom) observance.offsetFrom = observance.offsetTo;
            zone.observances.push_back(std::move(observance));
        } else if (closed == Component::zone && !zone.id.empty() && !zone.observances.empty()) {
            file.zones.push_back(std::move(zone));
        }
    }

    void readEventProperty(const ContentLine& line)
    {
        const std::string& name = line.name;
        if (name == "UID" && event.uid.empty()) event.uid = unescapeText(line.value);
        else if (name == "SUMMARY" && event.summary.empty()) event.summary = unescapeText(line.value);
        else if (name == "LOCATION" && event.location.empty()) event.location = unescapeText(line.value);
        else if (name == "STATUS") event.cancelled = upperCase(line.value) == "CANCELLED";
        else if (name == "DTSTART") eventReadable &= readTime(line, line.value, event.start);
        else if (name == "DTEND" && !readTime(line, line.value, event.end)) event.end = {};
        else if (name == "DURATION") event.hasDuration = parseDuration(line.value, event.duration);
        else if (name == "RRULE" && !event.repeats) {
            event.repeats = parseRepeatRule(line.value, event.rule);
            eventReadable &= event.repeats;
        }
        else if (name == "EXDATE") readTimeList(line, event.exceptionDates);
        else if (name == "RDATE") readTimeList(line, event.extraDates);
        else if (name == "RECURRENCE-ID") {
            eventReadable &= readTime(line, line.value, event.recurrenceId);
            event.thisAndFuture = upperCase(parameterValue(line, "RANGE")) == "THISANDFUTURE";
        }
        else if (name == "SEQUENCE") {
            std::string_view digits = line.value;
            takeDecimal(digits, event.sequence);
        }
        else if (name == "DTSTAMP") event.stamp = upperCase(line.value);
    }

    void readObservanceProperty(const ContentLine& line)
    {
        IcalTime time;
        if (line.name == "DTSTART") {
            observanceReadable &= readTime(line, line.value, time);
            observance.start = time.minutes;
        } else if (line.name == "TZOFFSETFROM") {
            hasOffsetFrom = parseUtcOffset(line.value, observance.offsetFrom);
            observanceReadable &= hasOffsetFrom;
        } else if (line.name == "TZOFFSETTO") {
            observanceReadable &= parseUtcOffset(line.value, observance.offsetTo);
        } else if (line.name == "RRULE" && !observance.repeats) {
            observance.repeats = parseRepeatRule(line.value, observance.rule);
            observanceReadable &= observance.repeats;
        } else if (line.name == "RDATE") {
            std::vector<IcalTime> times;
            readTimeList(line, times);
            for (const IcalTime& t : times) observance.extraStarts.push_back(t.minutes);
        }
    }

    void readProperty(const ContentLine& line)
    {
        switch (open.empty() ? Component::skipped : open.back()) {
        case Component::calendar:
            if (line.name == "METHOD") file.method = upperCase(line.value);
            break;
        case Component::event: readEventProperty(line); break;
        case Component::zone:
            if (line.name == "TZID") zone.id = unescapeText(line.value);
            break;
        case Component::observance: readObservanceProperty(line); break;
        case Component::skipped: break;
        }
    }
};

// Folds are undone on the bytes, so a character a writer split across a fold
// is whole again; then each content line is UTF-8 or, where it is not, taken
// in the old code page: one stray byte changes no other value.
std::vector<std::string> contentLines(std::string_view bytes)
{
    std::string converted;
    bool utf16 = bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff"), legacy;
    if (utf16) bytes = fileText(bytes, converted, legacy);
    else if (bytes.starts_with("\xef\xbb\xbf")) bytes.remove_prefix(3);
    std::vector<std::string> lines = unfoldLines(bytes);
    for (std::string& line : lines)
        if (!isValidUtf8(line)) line = legacyToProgramText(line);
    return lines;
}

CalendarFileCheck readLines(const std::vector<std::string>& lines, CalendarFile& file)
{
    Reader reader(file);
    // Names of the open components, to match each END with its BEGIN.
    std::vector<std::string> names;
    ContentLine line;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > maxCalendarLineBytes) return CalendarFileCheck::lineTooLong;
        // A line that is not a content line is passed over, as a program
        // would that does not know it; only the first has to be right.
        bool parsed = parseContentLine(lines[i], line);
        bool opens = parsed && line.name == "BEGIN";
        if (i == 0 && !(opens && upperCase(line.value) == "VCALENDAR")) return CalendarFileCheck::notCalendar;
        if (!parsed) continue;
        if (opens) {
            std::string name = upperCase(line.value);
            reader.begin(componentOf(name, reader.open), name);
            names.push_back(std::move(name));
        } else if (line.name == "END") {
            if (names.empty() || names.back() != upperCase(line.value)) return CalendarFileCheck::cutShort;
            names.pop_back();
            reader.end();
        } else {
            reader.readProperty(line);
        }
    }
    if (lines.empty()) return CalendarFileCheck::notCalendar;
    return names.empty() ? CalendarFileCheck::read : CalendarFileCheck::cutShort;
}

}  // namespace

CalendarFileCheck readCalendarFile(std::string_view bytes, CalendarFile& file)
{
    file = {};
    if (bytes.size() > maxCalendarFileBytes) return CalendarFileCheck::tooLarge;
    if (bytes.find('\0') != std::string_view::npos) return CalendarFileCheck::binary;
    CalendarFileCheck check = readLines(contentLines(bytes), file);
    if (check != CalendarFileCheck::read) file = {};
    return check;
}
