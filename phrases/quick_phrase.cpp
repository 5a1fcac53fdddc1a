#include "phrases/quick_phrase.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

namespace {

const LocaleNames english{
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    DateOrder::DayMonthYear};

// Lower case without accents, so "Décembre", "decembre" and "DÉCEMBRE" are one
// word. Only the Latin-1 letters are folded: they are the accents of the
// languages whose names are read.
std::string fold(const std::string& word)
{
    static const char upper[] = "aaaaaaaceeeeiiiidnooooo*ouuuuyts";
    static const char lower[] = "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
    std::string folded;
    for (size_t i = 0; i < word.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        if (c == 0xC3 && i + 1 < word.size()) {
            const unsigned char next = static_cast<unsigned char>(word[i + 1]);
            if (next >= 0x80 && next <= 0xBF) {
                const int index = next - 0x80;
                if (index == 0x1F)
                    folded += "ss";
                else
                    folded += index < 32 ? upper[index] : lower[index - 32];
                ++i;
                continue;
            }
        }
        folded += c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
    }
    return folded;
}

std::string withoutDot(std::string word)
{
    while (!word.empty() && (word.back() == '.' || word.back() == ','))
        word.pop_back();
    return word;
}

// A short name ("sun", "mer") is read only with its dot or a capital letter,
// one of two letters ("So", "Fr") only with its dot: without them it is too
// often a word of its own.
bool nameMatches(const std::string& key, const std::string& name, bool isShort, bool marked = true)
{
    if (name.empty())
        return false;
    const std::string folded = withoutDot(fold(name));
    if (isShort && (!marked || folded.size() < 3) && key.back() != '.')
        return false;
    return withoutDot(key) == folded;
}

int weekdayOf(const std::string& raw, const LocaleNames& names)
{
    const std::string key = fold(raw);
    const bool capital = !raw.empty() && std::isupper(static_cast<unsigned char>(raw[0]));
    for (const LocaleNames* set : {&names, &english})
        for (int day = 0; day < 7; ++day)
            if (nameMatches(key, set->weekdays[day], false) || nameMatches(key, set->shortWeekdays[day], true, capital))
                return day;
    return -1;
}

int monthOf(const std::string& key, const LocaleNames& names)
{
    for (const LocaleNames* set : {&names, &english})
        for (int month = 0; month < 12; ++month)
            if (nameMatches(key, set->months[month], false) || nameMatches(key, set->shortMonths[month], true))
                return month + 1;
    return 0;
}

bool allDigits(const std::string& text)
{
    return !text.empty() && text.size() <= 4 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(const std::string& text)
{
    return allDigits(text) ? std::stoi(text) : -1;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// "14:30", "14.30", "14h30", "14h", "2pm", "2:30pm", "9am": minutes of the
// day, -1 for not a time, -2 for a time's shape with numbers out of range.
int clockMinute(std::string key, const std::string& suffix = "")
{
    std::string half = suffix;
    if (half.empty() && key.size() > 2 && (key.ends_with("am") || key.ends_with("pm"))) {
        half = key.substr(key.size() - 2);
        key.resize(key.size() - 2);
    }
    int hour = -1, minute = 0;
    for (char separator : {':', '.', 'h'}) {
        const std::vector<std::string> parts = split(key, separator);
        if (parts.size() == 2 && allDigits(parts[0]) && parts[0].size() <= 2 &&
            ((parts[1].size() == 2 && allDigits(parts[1])) || (separator == 'h' && parts[1].empty()))) {
            hour = number(parts[0]);
            minute = parts[1].empty() ? 0 : number(parts[1]);
        }
    }
    if (hour < 0 && !half.empty() && allDigits(key) && key.size() <= 2)
        hour = number(key);
    if (hour < 0)
        return -1;
    if (!half.empty()) {
        if (hour < 1 || hour > 12 || minute > 59)
            return -2;
        hour = hour % 12 + (half == "pm" ? 12 : 0);
    }
    return hour > 23 || minute > 59 ? -2 : hour * 60 + minute;
}

// A date without its year that has passed is next year's.
bool makeDate(SystemTime& date, int year, int month, int day, const SystemTime& today)
{
    SystemTime candidate{static_cast<uint16_t>(year < 0 ? today.wYear : year), static_cast<uint16_t>(month), 0,
                         static_cast<uint16_t>(day)};
    if (year < 0 && dateKey(candidate) < dateKey(today))
        ++candidate.wYear;
    if (year >= 0 && year < 100)
        candidate.wYear = static_cast<uint16_t>(2000 + year);
    if (!isValidDate(candidate) && !(year < 0 && month == 2 && day == 29))
        return false;
    while (!isValidDate(candidate) && candidate.wYear < today.wYear + 8)
        ++candidate.wYear;  // the 29th of February comes in a leap year
    date = candidate;
    return isValidDate(date);
}

// "2026-12-24", and the locale's short dates "24.12.", "24.12.2026", "24/12",
// "12/24": 1 for a date, 0 for none, -1 for a date's shape that is no date.
int numericDate(const std::string& key, const SystemTime& today, DateOrder order, SystemTime& date)
{
    std::vector<std::string> parts = split(key, '-');
    if (parts.size() == 3 && parts[0].size() == 4 && allDigits(parts[0]) && allDigits(parts[1]) && allDigits(parts[2]))
        return makeDate(date, number(parts[0]), number(parts[1]), number(parts[2]), today) ? 1 : -1;
    char separator = key.find('/') != std::string::npos ? '/' : '.';
    parts = split(key, separator);
    if (separator == '.' && parts.size() == 3 && parts[2].empty())
        parts.pop_back();  // "24.12."
    else if (separator == '.' && parts.size() != 3)
        return 0;  // "14.30" is a time
    if (parts.size() < 2 || parts.size() > 3 || !std::all_of(parts.begin(), parts.end(), allDigits))
        return 0;
    const bool three = parts.size() == 3;
    const bool yearFirst = order == DateOrder::YearMonthDay && three;
    const int year = three ? number(parts[yearFirst ? 0 : 2]) : -1;
    int first = number(parts[yearFirst ? 1 : 0]), second = number(parts[yearFirst ? 2 : 1]);
    if (order == DateOrder::DayMonthYear)
        std::swap(first, second);  // first is the month from here on
    return makeDate(date, year, first, second, today) ? 1 : -1;
}

// The number of letters to change, add, drop or swap between two short words.
int distance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        for (size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = static_cast<int>(i + j);
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

// A word one letter away from a day's name: typed as a date, but not one.
bool looksLikeDayWord(const std::string& key, const LocaleNames& names)
{
    if (key.size() < 5 || !std::all_of(key.begin(), key.end(), [](char c) { return c < 0 || std::isalpha(c); }))
        return false;
    std::vector<std::string> words = {"today", "tomorrow"};
    for (const LocaleNames* set : {&names, &english}) {
        words.insert(words.end(), set->weekdays.begin(), set->weekdays.end());
        if (set == &names)
            words.insert(words.end(), set->months.begin(), set->months.end());
    }
    return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        const std::string name = fold(word);
        return name.size() >= 5 && distance(key, name) == 1;
    });
}

struct Word {
    std::string raw, key;
    bool used = false;
};

struct Reading {
    std::vector<Word> words;
    const LocaleNames& names;
    const SystemTime& today;
    bool hasDate = false;
    int weekdayWanted = -1;
    SystemTime date;
    int start = -1, length = -1;
    std::string notUnderstood;

    const std::string& key(size_t i) const
    {
        static const std::string none;
        return i < words.size() && !words[i].used ? words[i].key : none;
    }
    const std::string& raw(size_t i) const
    {
        static const std::string none;
        return i < words.size() && !words[i].used ? words[i].raw : none;
    }
    void use(size_t from, size_t count)
    {
        for (size_t i = from; i < from + count && i < words.size(); ++i)
            words[i].used = true;
    }
    void setDate(const SystemTime& day)
    {
        date = day;
        hasDate = true;
    }
    void doubt(size_t i)
    {
        if (notUnderstood.empty())
            notUnderstood = words[i].raw;
    }
};

// "for 45 min", "for 1h", "for 1h30", "for 2 hours": minutes, or -1.
int lengthAt(const Reading& r, size_t i, size_t& count)
{
    if (r.key(i) != "for")
        return -1;
    const std::string& amount = r.key(i + 1);
    const int value = number(amount);
    const std::string unit = withoutDot(r.key(i + 2));
    count = 3;
    if (value > 0 && (unit == "min" || unit == "mins" || unit == "minute" || unit == "minutes"))
        return value;
    if (value > 0 && (unit == "h" || unit == "hour" || unit == "hours"))
        return value * 60;
    count = 2;
    const std::vector<std::string> parts = split(withoutDot(amount), 'h');
    if (parts.size() == 2 && number(parts[0]) >= 0 && (parts[1].empty() || number(parts[1]) >= 0) &&
        number(parts[0]) * 60 + (parts[1].empty() ? 0 : number(parts[1])) > 0)
        return number(parts[0]) * 60 + (parts[1].empty() ? 0 : number(parts[1]));
    if (amount.ends_with("min") && number(amount.substr(0, amount.size() - 3)) > 0)
        return number(amount.substr(0, amount.size() - 3));
    return -1;
}

// Tries each kind of phrase at word i; the number of words it takes, or 0.
size_t readAt(Reading& r, size_t i)
{
    const std::string& key = r.key(i);
    const std::string bare = withoutDot(key);
    SystemTime day = r.today;
    if (!r.hasDate && (bare == "today" || bare == "tomorrow")) {
        stepDate(day, bare == "today" ? 0 : 1);
        r.setDate(day);
        return 1;
    }
    if (!r.hasDate && bare == "in" && number(r.key(i + 1)) >= 0) {
        const std::string unit = withoutDot(r.key(i + 2));
        const int n = number(r.key(i + 1));
        const int days = unit == "day" || unit == "days" ? n : unit == "week" || unit == "weeks" ? n * 7 : -1;
        if (days >= 0 && stepDate(day, days)) {
            r.setDate(day);
            return 3;
        }
    }
    const bool next = bare == "next";
    const std::string& dayWord = next ? r.raw(i + 1) : r.raw(i);
    if (!r.hasDate && weekdayOf(dayWord, r.names) >= 0) {
        r.weekdayWanted = weekdayOf(dayWord, r.names);
        int ahead = (r.weekdayWanted - weekday(r.today) + 7) % 7;
        if (next && ahead == 0)
            ahead = 7;
        stepDate(day, ahead);
        r.setDate(day);
        if (!next && ahead == 0)
            r.weekdayWanted = 7;  // today's weekday: next week's once its time has passed
        return next ? 2 : 1;
    }
    // "24 Dec", "24. Dezember", "Dec 24", with a year after either.
    const int month = monthOf(key, r.names);
    const int before = number(withoutDot(i > 0 ? r.key(i - 1) : std::string()));
    const int after = number(withoutDot(r.key(i + 1)));
    if (!r.hasDate && month > 0 && (before > 0 || after > 0)) {
        const bool dayFirst = before > 0 && before <= 31;
        const size_t first = dayFirst ? i - 1 : i;
        const size_t yearAt = dayFirst ? i + 1 : i + 2;
        const std::string& yearKey = r.key(yearAt);
        const int year = yearKey.size() == 4 ? number(withoutDot(yearKey)) : -1;
        if (makeDate(day, year, month, dayFirst ? before : after, r.today)) {
            r.setDate(day);
            r.use(first, (year >= 0 ? 3 : 2));
            return 0;
        }
        r.doubt(i);
    }
    if (!r.hasDate) {
        const int found = numericDate(key, r.today, r.names.order, day);
        if (found > 0) {
            r.setDate(day);
            return 1;
        }
        if (found < 0)
            r.doubt(i);
    }
    size_t count = 0;
    if (r.length < 0 && r.start >= 0) {
        const int length = lengthAt(r, i, count);
        if (length > 0) {
            r.length = length;
            return count;
        }
    }
    if (r.start < 0) {
        const bool at = bare == "at" || bare == "um";  // "à" is folded to "a"
        const size_t from = at || (bare == "a" && clockMinute(withoutDot(r.key(i + 1))) >= 0) ? i + 1 : i;
        std::string timeKey = withoutDot(r.key(from));
        const std::string half = withoutDot(r.key(from + 1));
        const bool suffix = half == "am" || half == "pm";
        const std::vector<std::string> range = split(timeKey, '-');
        int start = clockMinute(range[0], suffix ? half : "");
        if (start == -1 && at && number(timeKey) >= 0 && number(timeKey) < 24 && timeKey.size() <= 2)
            start = number(timeKey) * 60;  // "at 9": nine in the morning
        if (start >= 0 && range.size() == 2) {
            const int end = clockMinute(range[1]);
            if (end > start)
                r.length = end - start;
            else
                start = -2;
        }
        if (start >= 0) {
            r.start = start;
            return from - i + 1 + (suffix ? 1 : 0);
        }
        if (start == -2 && range.size() <= 2)
            r.doubt(from);
    }
    if (looksLikeDayWord(bare, r.names))
        r.doubt(i);
    return 0;
}

std::string twoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string clock(int minute)
{
    return twoDigits(minute / 60 % 24) + ":" + twoDigits(minute % 60);
}

}  // namespace

const LocaleNames& englishNames()
{
    return english;
}

QuickLine readQuickLine(const std::string& typed, const SystemTime& today, int nowMinute, const LocaleNames& names)
{
    Reading r{{}, names, today, false, -1, today, -1, -1, {}};
    size_t at = 0;
    while (at < typed.size()) {
        const size_t end = std::min(typed.find_first_of(" \t", at), typed.size());
        if (end > at)
            r.words.push_back({typed.substr(at, end - at), fold(typed.substr(at, end - at))});
        at = end + 1;
    }
    QuickLine line;
    if (!r.words.empty() && r.words.front().key == "note:") {
        line.note = true;
        r.use(0, 1);
    } else if (!r.words.empty() && r.words.front().key.starts_with("note:")) {
        line.note = true;
        r.words.front().raw.erase(0, 5);
        r.words.front().key.erase(0, 5);
    }
    for (size_t i : {size_t{0}, r.words.size() - 1})
        if (!r.words.empty() && r.words[i].key == "!" && !r.words[i].used) {
            line.important = true;
            r.use(i, 1);
        }
    for (size_t i = 0; i < r.words.size(); ++i) {
        if (r.words[i].used)
            continue;
        const size_t count = readAt(r, i);
        r.use(i, count);
    }
    // "on Friday", "am Freitag", "le 24 décembre": the small word goes with the date.
    for (size_t i = 0; i + 1 < r.words.size(); ++i) {
        const std::string& key = r.words[i].key;
        if (!r.words[i].used && r.words[i + 1].used && (key == "on" || key == "am" || key == "le"))
            r.use(i, 1);
    }
    if (r.weekdayWanted == 7 && r.start >= 0 && r.start <= nowMinute)
        stepDate(r.date, 7);
    line.date = r.date;
    line.startMinute = r.start;
    line.endMinute = r.start >= 0 && r.length > 0 ? r.start + r.length : -1;
    line.notUnderstood = r.notUnderstood;
    for (const Word& word : r.words)
        if (!word.used && !word.raw.empty())
            line.text += (line.text.empty() ? "" : " ") + word.raw;
    return line;
}

// Appended piece by piece: GCC 12 warns of an overlapping copy in a literal + a string.
std::string timedText(const QuickLine& line)
{
    if (line.startMinute < 0)
        return line.text;
    std::string text = clock(line.startMinute);
    if (line.endMinute > line.startMinute) {
        text += '-';
        text += clock(line.endMinute);
    }
    if (!line.text.empty()) {
        text += ' ';
        text += line.text;
    }
    return text;
}

std::string longDate(const SystemTime& date, const LocaleNames& names)
{
    std::string text = names.weekdays[weekday(date)];
    text += ' ';
    text += std::to_string(date.wDay);
    text += ' ';
    text += names.months[date.wMonth - 1];
    return text;
}

std::string quickPreview(const QuickLine& line, const SystemTime& today, const LocaleNames& names,
                         const std::string& lineName)
{
    std::string preview;
    if (!line.notUnderstood.empty()) {
        preview = "Not understood: '";
        preview += line.notUnderstood;
        preview += '\'';
        return preview;
    }
    SystemTime tomorrow = today;
    stepDate(tomorrow, 1);
    preview = dateKey(line.date) == dateKey(today)      ? "Today"
              : dateKey(line.date) == dateKey(tomorrow) ? "Tomorrow"
                                                        : longDate(line.date, names);
    if (line.date.wYear != today.wYear) {
        preview += ' ';
        preview += std::to_string(line.date.wYear);
    }
    const char* dot = " \xc2\xb7 ";
    QuickLine times = line;
    times.text.clear();
    if (line.startMinute >= 0 || !lineName.empty()) {
        preview += dot;
        preview += line.startMinute >= 0 ? timedText(times) : lineName;
    }
    preview += dot;
    if (line.important)
        preview += "! ";
    preview += line.text;
    return preview;
}
