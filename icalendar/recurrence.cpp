// Repeat rules read and expanded period by period, as RFC 5545 describes them.
#include "icalendar/recurrence.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <string>

#include "icalendar/ical_values.h"

namespace {

using namespace std::chrono;

constexpr Minutes minutesPerDay = 24 * 60;
constexpr int lastYear = 9999;

int64_t floorDivide(int64_t a, int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

int64_t dayNumber(int y, int m, int d)
{
    return sys_days{year{y} / month{unsigned(m)} / day{unsigned(d)}}.time_since_epoch().count();
}

const int64_t firstDayNumber = dayNumber(1, 1, 1);
const int64_t lastDayNumber = dayNumber(lastYear, 12, 31);

int weekdayOfDay(int64_t dayNumber)
{
    return int(std::chrono::weekday{sys_days{days{dayNumber}}}.c_encoding());
}

std::string upperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return result;
}

// A number with an optional sign, within [low, high].
bool parseNumber(std::string_view text, int low, int high, int& value)
{
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    return value >= low && value <= high;
}

constexpr std::string_view weekdayNames[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

int weekdayOfName(std::string_view name)
{
    for (int i = 0; i < 7; ++i)
        if (weekdayNames[i] == name) return i;
    return -1;
}

// "MO", "2TU", "-1FR"; a weekday is at most the 53rd of its year.
bool parseRuleWeekday(std::string_view text, RuleWeekday& day)
{
    if (text.size() < 2) return false;
    int weekday = weekdayOfName(text.substr(text.size() - 2));
    int ordinal = 0;
    std::string_view number = text.substr(0, text.size() - 2);
    if (weekday < 0 || (!number.empty() && (!parseNumber(number, -53, 53, ordinal) || ordinal == 0))) return false;
    day = {int8_t(weekday), int8_t(ordinal)};
    return true;
}

// Calls read on each item of a comma list; false as soon as one is false.
template <typename Read>
bool readList(std::string_view list, Read read)
{
    while (true) {
        size_t comma = list.find(',');
        if (!read(list.substr(0, comma))) return false;
        if (comma == std::string_view::npos) return true;
        list.remove_prefix(comma + 1);
    }
}

enum RulePart {
    partFreq, partInterval, partCount, partUntil, partByMonth, partByMonthDay, partByDay, partBySetPos, partWkst,
    partByHour, partByMinute, partBySecond, partByYearDay, partByWeekNo
};
constexpr std::string_view partNames[] = {"FREQ",  "INTERVAL",   "COUNT", "UNTIL", "BYMONTH",  "BYMONTHDAY",
                                          "BYDAY", "BYSETPOS", "WKST",  "BYHOUR", "BYMINUTE", "BYSECOND",
                                          "BYYEARDAY", "BYWEEKNO"};

bool readPart(RulePart part, std::string_view value, RepeatRule& rule)
{
    int number = 0;
    switch (part) {
    case partFreq: {
        constexpr std::string_view frequencies[] = {"DAILY",  "WEEKLY",   "MONTHLY", "YEARLY",
                                                    "HOURLY", "MINUTELY", "SECONDLY"};
        auto found = std::find(std::begin(frequencies), std::end(frequencies), value);
        rule.frequency = Frequency(found - std::begin(frequencies));
        return found != std::end(frequencies);
    }
    // Large enough for any rule meant seriously, small enough that no step
    // of periods leaves 64 bits.
    case partInterval: return parseNumber(value, 1, 1'000'000, rule.interval);
    case partCount: return parseNumber(value, 1, 1'000'000'000, rule.count);
    case partUntil: {
        DateTimeValue until;
        if (!parseDateTime(value, until)) return false;
        rule.hasUntil = true;
        rule.untilInUtc = until.isUtc;
        rule.until = until.isDate ? until.minutes + minutesPerDay - 1 : until.minutes;
        return true;
    }
    case partByMonth:
        return readList(value, [&](std::string_view item) {
            if (!parseNumber(item, 1, 12, number)) return false;
            rule.byMonth |= uint16_t(1u << number);
            return true;
        });
    case partByMonthDay:
        return readList(value, [&](std::string_view item) {
            if (!parseNumber(item, -31, 31, number) || number == 0) return false;
            rule.byMonthDay.push_back(int8_t(number));
            return true;
        });
    case partByDay:
        return readList(value, [&](std::string_view item) {
            RuleWeekday day;
            if (!parseRuleWeekday(item, day)) return false;
            rule.byDay.push_back(day);
            return true;
        });
    case partBySetPos:
        return readList(value, [&](std::string_view item) {
            if (!parseNumber(item, -366, 366, number) || number == 0) return false;
            rule.bySetPos.push_back(int16_t(number));
            return true;
        });
    case partByYearDay:
        return readList(value, [&](std::string_view item) {
            if (!parseNumber(item, -366, 366, number) || number == 0) return false;
            rule.byYearDay.push_back(int16_t(number));
            return true;
        });
    case partByWeekNo:
        return readList(value, [&](std::string_view item) {
            if (!parseNumber(item, -53, 53, number) || number == 0) return false;
            rule.byWeekNo.push_back(int8_t(number));
            return true;
        });
    case partWkst:
        rule.weekStart = int8_t(weekdayOfName(value));
        return rule.weekStart >= 0;
    case partByHour:
    case partByMinute:
    case partBySecond: {
        // 60 is a leap second, which this program's clocks never show.
        int highest = part == partByHour ? 23 : 60;
        uint64_t bits = 0;
        bool read = readList(value, [&](std::string_view item) {
            if (!parseNumber(item, 0, highest, number)) return false;
            bits |= uint64_t(1) << number;
            return true;
        });
        if (part == partByHour) rule.byHour = uint32_t(bits);
        else (part == partByMinute ? rule.byMinute : rule.bySecond) = bits;
        return read;
    }
    }
    return false;
}

// The rule with the parts its start implies filled in: a yearly rule
// without days repeats on the start's month and day, a monthly one on the
// start's day, a weekly one on the start's weekday.
struct RuleShape {
    const RepeatRule& rule;
    uint16_t byMonth;
    std::vector<int8_t> byMonthDay;
    std::vector<RuleWeekday> byDay;
    bool ordinalsCount;    // "2TU" names the second; in a daily or weekly rule it is just Tuesday
    bool ordinalsInYear;   // counted in the year, not the month
};

RuleShape shapeOf(const RepeatRule& rule, int64_t startDay)
{
    RuleShape shape{rule, rule.byMonth, rule.byMonthDay, rule.byDay, false, false};
    year_month_day start{sys_days{days{startDay}}};
    if (rule.byMonthDay.empty() && rule.byDay.empty() && rule.byYearDay.empty() && rule.byWeekNo.empty()) {
        if (rule.frequency == Frequency::yearly || rule.frequency == Frequency::monthly)
            shape.byMonthDay.push_back(int8_t(unsigned(start.day())));
        if (rule.frequency == Frequency::yearly && shape.byMonth == 0)
            shape.byMonth = uint16_t(1u << unsigned(start.month()));
        if (rule.frequency == Frequency::weekly) shape.byDay.push_back({int8_t(weekdayOfDay(startDay)), 0});
    }
    shape.ordinalsCount = rule.frequency == Frequency::monthly || rule.frequency == Frequency::yearly;
    shape.ordinalsInYear = rule.frequency == Frequency::yearly && rule.byMonth == 0;
    return shape;
}

struct CalendarDay {
    int month, day, daysInMonth, weekday, dayOfYear, daysInYear;
};

bool matchesWeekday(const RuleShape& shape, const CalendarDay& d)
{
    for (RuleWeekday wanted : shape.byDay) {
        if (wanted.weekday != d.weekday) continue;
        if (wanted.ordinal == 0 || !shape.ordinalsCount) return true;
        int position = shape.ordinalsInYear ? d.dayOfYear : d.day;
        int length = shape.ordinalsInYear ? d.daysInYear : d.daysInMonth;
        int nth = wanted.ordinal > 0 ? (position - 1) / 7 + 1 : -((length - position) / 7 + 1);
        if (nth == wanted.ordinal) return true;
    }
    return false;
}

// Weeks start on WKST; a week belongs to the year that holds at least four
// of its days, that is its fourth day. Numbered 1 on from there, or -1 back
// from that year's last week, the one holding 28 December.
bool matchesWeekNumber(const RuleShape& shape, int64_t day)
{
    auto weekStartOf = [&](int64_t d) { return d - (weekdayOfDay(d) - shape.rule.weekStart + 7) % 7; };
    int64_t fourth = weekStartOf(day) + 3;
    int y = int(year_month_day{sys_days{days{fourth}}}.year());
    int64_t week = (fourth - dayNumber(y, 1, 1)) / 7 + 1;
    int64_t weeks = (weekStartOf(dayNumber(y, 12, 28)) + 3 - dayNumber(y, 1, 1)) / 7 + 1;
    return std::any_of(shape.rule.byWeekNo.begin(), shape.rule.byWeekNo.end(),
                       [&](int n) { return n == week || n == week - weeks - 1; });
}

bool matchesDay(const RuleShape& shape, const CalendarDay& d, int64_t day)
{
    const std::vector<int16_t>& yearDays = shape.rule.byYearDay;
    int fromYearEnd = d.dayOfYear - d.daysInYear - 1;
    if (!yearDays.empty() && std::none_of(yearDays.begin(), yearDays.end(),
                                          [&](int n) { return n == d.dayOfYear || n == fromYearEnd; }))
        return false;
    if (!shape.rule.byWeekNo.empty() && !matchesWeekNumber(shape, day)) return false;
    if (!shape.byMonthDay.empty()) {
        int fromEnd = d.day - d.daysInMonth - 1;
        auto named = [&](int8_t n) { return n == d.day || n == fromEnd; };
        if (std::none_of(shape.byMonthDay.begin(), shape.byMonthDay.end(), named)) return false;
    }
    return shape.byDay.empty() || matchesWeekday(shape, d);
}

// Appends the days from first to last that the rule names, month by month.
void collectDays(const RuleShape& shape, int64_t first, int64_t last, std::vector<int64_t>& found)
{
    for (int64_t day = first; day <= last;) {
        year_month_day date{sys_days{days{day}}};
        int y = int(date.year()), m = int(unsigned(date.month())), d = int(unsigned(date.day()));
        int daysInMonth = int(unsigned(year_month_day_last{date.year() / date.month() / std::chrono::last}.day()));
        if (shape.byMonth != 0 && !(shape.byMonth & (1u << m))) {
            day += daysInMonth - d + 1;
            continue;
        }
        CalendarDay c{m, d, daysInMonth, weekdayOfDay(day), int(day - dayNumber(y, 1, 1)) + 1,
                      date.year().is_leap() ? 366 : 365};
        for (; c.day <= daysInMonth && day <= last; ++c.day, ++day, ++c.dayOfYear, c.weekday = (c.weekday + 1) % 7)
            if (matchesDay(shape, c, day)) found.push_back(day);
    }
}

// BYSETPOS picks among a period's days by their place: 1 the first, -1 the last.
template <typename T>
void keepSetPositions(const std::vector<int16_t>& positions, std::vector<T>& days)
{
    if (positions.empty()) return;
    std::vector<T> kept;
    int n = int(days.size());
    for (int position : positions) {
        int i = position > 0 ? position - 1 : n + position;
        if (i >= 0 && i < n) kept.push_back(days[i]);
    }
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    days.swap(kept);
}

// Periods are counted from the one holding the start; period i is the
// interval * i-th after it. False once it would lie beyond the calendar.
struct Periods {
    Frequency frequency;
    int64_t interval;
    int64_t startDay;
    int64_t firstWeekDay;  // the week start on or before the start
    int64_t startMonth;    // year * 12 + month - 1

    bool get(int64_t index, int64_t& first, int64_t& last) const
    {
        int64_t step = index * interval;
        if (frequency == Frequency::daily || frequency == Frequency::weekly) {
            first = frequency == Frequency::daily ? startDay + step : firstWeekDay + 7 * step;
            last = frequency == Frequency::daily ? first : first + 6;
            return first <= lastDayNumber;
        }
        int64_t month = startMonth + (frequency == Frequency::monthly ? step : 12 * step);
        if (month / 12 > lastYear) return false;
        int y = int(month / 12), m = int(month % 12) + 1;
        first = dayNumber(y, frequency == Frequency::monthly ? m : 1, 1);
        last = frequency == Frequency::monthly ? dayNumber(y + (m == 12), m % 12 + 1, 1) - 1 : dayNumber(y, 12, 31);
        return true;
    }

    // The first period that can hold the given day; earlier ones need not be
    // looked at when no COUNT has to be counted through them.
    int64_t indexNear(int64_t day) const
    {
        int64_t index = 0;
        if (frequency == Frequency::daily) index = floorDivide(day - startDay, interval);
        else if (frequency == Frequency::weekly) index = floorDivide(day - firstWeekDay, 7 * interval);
        else {
            year_month_day date{sys_days{days{day}}};
            int64_t month = int(date.year()) * 12 + int64_t(unsigned(date.month())) - 1;
            index = floorDivide(month - startMonth, frequency == Frequency::monthly ? interval : 12 * interval);
        }
        return std::max<int64_t>(index, 0);
    }
};


constexpr int64_t secondsPerDay = 24 * 60 * 60;

bool isBelowDay(Frequency f)
{
    return f == Frequency::hourly || f == Frequency::minutely || f == Frequency::secondly;
}

std::vector<int> bitsOf(uint64_t bits)
{
    std::vector<int> list;
    for (int n = 0; n < 60; ++n)  // a leap second (60) is never on this program's clocks
        if (bits >> n & 1) list.push_back(n);
    return list;
}

// The hours, minutes and seconds a rule may give: those it names; where it
// names none, every one for a unit the frequency steps through, else the start's.
struct TimeParts {
    std::vector<int> hours, minutes, seconds;
};

TimeParts timePartsOf(const RepeatRule& rule, int64_t startTime)
{
    Frequency f = rule.frequency;
    auto pick = [](uint64_t named, bool stepped, int own) {
        return bitsOf(named ? named : stepped ? ~uint64_t(0) : uint64_t(1) << own);
    };
    TimeParts parts{pick(rule.byHour, isBelowDay(f), int(startTime / 3600)),
                    pick(rule.byMinute, f == Frequency::minutely || f == Frequency::secondly, int(startTime / 60 % 60)),
                    pick(rule.bySecond, f == Frequency::secondly, int(startTime % 60))};
    std::erase_if(parts.hours, [](int h) { return h > 23; });
    return parts;
}

// One day's starts as seconds of the day, and the first of each slot with
// how many more that slot holds.
struct DayStarts {
    std::vector<int32_t> times;
    std::vector<int32_t> firsts;
    std::vector<int64_t> more;
};

void thin(DayStarts& day, int slot)
{
    for (int32_t t : day.times) {
        if (!day.firsts.empty() && day.firsts.back() / slot == t / slot) ++day.more.back();
        else day.firsts.push_back(t), day.more.push_back(0);
    }
}

// The starts of one day of a rule below a day: its hours, minutes or
// seconds counted every INTERVAL from the start's, each one a period that
// BYSETPOS picks within.
DayStarts startsBelowDay(const RepeatRule& rule, const TimeParts& parts, int64_t firstUnit)
{
    int unit = rule.frequency == Frequency::hourly ? 3600 : rule.frequency == Frequency::minutely ? 60 : 1;
    auto named = [](const std::vector<int>& list, int n) { return std::binary_search(list.begin(), list.end(), n); };
    DayStarts day;
    std::vector<int32_t> period;
    for (int64_t k = firstUnit; k < secondsPerDay / unit; k += rule.interval) {
        int32_t second = int32_t(k * unit);
        if (!named(parts.hours, second / 3600) || (unit < 3600 && !named(parts.minutes, second / 60 % 60)) ||
            (unit == 1 && !named(parts.seconds, second % 60)))
            continue;
        period.clear();
        for (int m : unit == 3600 ? parts.minutes : std::vector<int>{0})
            for (int s : unit > 1 ? parts.seconds : std::vector<int>{0})
                period.push_back(second + (unit == 3600 ? m * 60 : 0) + s);
        keepSetPositions(rule.bySetPos, period);
        day.times.insert(day.times.end(), period.begin(), period.end());
    }
    return day;
}

// Hands the starts on in order, counting them against COUNT and keeping
// those in the window.
struct Collector {
    int64_t start, from, end;
    int64_t count;
    int slot;
    int64_t counted = 1;
    RepeatStarts result;

    void keep(int64_t t, int64_t more)
    {
        if (!result.starts.empty() && floorDivide(result.starts.back(), slot) == floorDivide(t, slot)) {
            result.leftOut.back() += 1 + more;
        } else {
            result.starts.push_back(t);
            result.leftOut.push_back(more);
        }
    }

    bool one(int64_t t)  // false once nothing more can be kept
    {
        if (t <= start) return true;  // the start has been counted already
        if (t > end || (count && ++counted > count)) return false;
        if (t >= from) keep(t, 0);
        return true;
    }

    // A whole day inside the window and the count is taken in one step.
    bool day(int64_t dayNumber, const DayStarts& d)
    {
        if (d.times.empty()) return true;
        int64_t base = dayNumber * secondsPerDay, first = base + d.times.front(), last = base + d.times.back();
        int64_t n = int64_t(d.times.size());
        if (first > start && last <= end && (!count || counted + n <= count)) {
            if (last < from) {
                counted += n;
                return true;
            }
            if (first >= from && (result.starts.empty() || result.starts.back() < base)) {
                counted += n;
                for (size_t i = 0; i < d.firsts.size(); ++i) keep(base + d.firsts[i], d.more[i]);
                return true;
            }
        }
        for (int32_t t : d.times)
            if (!one(base + t)) return false;
        return true;
    }
};

RepeatStarts expandBelowDay(const RepeatRule& rule, Collector& out, int64_t startDay, int64_t fromDay)
{
    RuleShape shape = shapeOf(rule, startDay);
    TimeParts parts = timePartsOf(rule, out.start - startDay * secondsPerDay);
    int64_t unit = rule.frequency == Frequency::hourly ? 3600 : rule.frequency == Frequency::minutely ? 60 : 1;
    int64_t unitsPerDay = secondsPerDay / unit, startUnit = floorDivide(out.start, unit);
    // A day's starts hang only on where the INTERVAL steps fall in it.
    std::map<int64_t, DayStarts> seen;
    std::vector<int64_t> found;
    for (int64_t first = rule.count ? startDay : std::max(startDay, fromDay); first <= lastDayNumber; first += 32) {
        found.clear();
        collectDays(shape, first, std::min(first + 31, lastDayNumber), found);
        for (int64_t day : found) {
            if (day * secondsPerDay > out.end) return std::move(out.result);
            int64_t firstUnit = startUnit - day * unitsPerDay;
            firstUnit -= floorDivide(firstUnit, rule.interval) * rule.interval;
            auto known = seen.find(firstUnit);
            if (known == seen.end()) {
                if (seen.size() > 64) seen.clear();
                known = seen.emplace(firstUnit, startsBelowDay(rule, parts, firstUnit)).first;
                thin(known->second, out.slot);
            }
            if (!out.day(day, known->second)) return std::move(out.result);
        }
        if ((first + 32) * secondsPerDay > out.end) break;
    }
    return std::move(out.result);
}

RepeatStarts expandByDays(const RepeatRule& rule, Collector& out, int64_t startDay, int64_t fromDay)
{
    RuleShape shape = shapeOf(rule, startDay);
    TimeParts parts = timePartsOf(rule, out.start - startDay * secondsPerDay);
    DayStarts times;
    for (int h : parts.hours)
        for (int m : parts.minutes)
            for (int s : parts.seconds) times.times.push_back(h * 3600 + m * 60 + s);
    thin(times, out.slot);
    if (times.times.empty()) return std::move(out.result);
    year_month_day startDate{sys_days{days{startDay}}};
    Periods periods{rule.frequency, rule.interval, startDay,
                    startDay - (weekdayOfDay(startDay) - rule.weekStart + 7) % 7,
                    int(startDate.year()) * 12 + int64_t(unsigned(startDate.month())) - 1};
    std::vector<int64_t> found, picked;
    int64_t perDay = int64_t(times.times.size());
    for (int64_t index = rule.count ? 0 : periods.indexNear(fromDay);; ++index) {
        int64_t first, last;
        if (!periods.get(index, first, last) || first * secondsPerDay + times.times.front() > out.end) break;
        found.clear();
        collectDays(shape, first, std::min(last, lastDayNumber), found);
        if (rule.bySetPos.empty()) {
            for (int64_t day : found)
                if (!out.day(day, times)) return std::move(out.result);
            continue;
        }
        // BYSETPOS counts the period's starts, every time of every day.
        int64_t n = int64_t(found.size()) * perDay;
        picked.clear();
        for (int position : rule.bySetPos) {
            int64_t i = position > 0 ? position - 1 : n + position;
            if (i >= 0 && i < n) picked.push_back(found[i / perDay] * secondsPerDay + times.times[i % perDay]);
        }
        std::sort(picked.begin(), picked.end());
        picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
        for (int64_t t : picked)
            if (!out.one(t)) return std::move(out.result);
    }
    return std::move(out.result);
}
}  // namespace

bool parseRepeatRule(std::string_view value, RepeatRule& rule)
{
    rule = {};
    unsigned seen = 0;
    while (!value.empty()) {
        size_t end = value.find(';');
        std::string_view part = value.substr(0, end);
        value.remove_prefix(end == std::string_view::npos ? value.size() : end + 1);
        if (part.empty()) continue;  // "FREQ=DAILY;" as some programs end it
        size_t equals = part.find('=');
        if (equals == std::string_view::npos) return false;
        std::string name = upperCase(part.substr(0, equals));
        auto known = std::find(std::begin(partNames), std::end(partNames), name);
        if (known == std::end(partNames)) return false;
        unsigned bit = 1u << (known - std::begin(partNames));
        if (seen & bit) return false;
        seen |= bit;
        if (!readPart(RulePart(known - std::begin(partNames)), upperCase(part.substr(equals + 1)), rule)) return false;
    }
    return (seen & (1u << partFreq)) != 0;
}

bool keepsTimeOfStart(const RepeatRule& rule, Minutes start)
{
    Minutes minuteOfDay = start - floorDivide(start, minutesPerDay) * minutesPerDay;
    auto only = [](uint64_t bits, Minutes wanted) { return bits == 0 || bits == uint64_t(1) << wanted; };
    return only(rule.byHour, minuteOfDay / 60) && only(rule.byMinute, minuteOfDay % 60) && only(rule.bySecond, 0);
}

RepeatStarts expandRepeats(const RepeatRule& rule, int64_t startSecond, int64_t fromSecond, int64_t toSecond,
                           int slotSeconds)
{
    int64_t startDay = floorDivide(startSecond, secondsPerDay);
    if (startDay < firstDayNumber || startDay > lastDayNumber) return {};
    int64_t until = rule.until * 60 + 59;
    Collector out{startSecond, fromSecond, rule.hasUntil ? std::min(toSecond, until) : toSecond, rule.count,
                  std::max(slotSeconds, 1), 1, {}};
    if (startSecond >= fromSecond && startSecond <= toSecond) out.keep(startSecond, 0);
    if (rule.count == 1) return std::move(out.result);
    int64_t fromDay = std::clamp(floorDivide(fromSecond, secondsPerDay), firstDayNumber, lastDayNumber);
    return isBelowDay(rule.frequency) ? expandBelowDay(rule, out, startDay, fromDay)
                                      : expandByDays(rule, out, startDay, fromDay);
}

std::vector<Minutes> expandOccurrences(const RepeatRule& rule, Minutes start, Minutes from, Minutes to)
{
    std::vector<Minutes> starts;
    for (int64_t second : expandRepeats(rule, start * 60, from * 60, to * 60 + 59, 60).starts)
        starts.push_back(floorDivide(second, 60));
    return starts;
}
