// Finding text on every day: the index of the day files, the matching and the texts shown.
#include "day/day_search.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "day/calendar.h"
#include "day/day_file.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int number(std::string_view digits)
{
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

int dateKey(const SystemTime& date)
{
    return date.wYear * 10000 + date.wMonth * 100 + date.wDay;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Each string is sized once: the index is built from fresh memory, one day at a time.
void fillDay(IndexedDay& day, const std::string_view (&texts)[dayLineCount], CaseFold fold)
{
    size_t size = 0, count = 0;
    for (std::string_view text : texts)
        if (!text.empty()) size += text.size() + 1, ++count;
    day.text.clear();
    day.text.reserve(size);
    day.lines.clear();
    day.lines.reserve(count);
    for (int i = 0; i < dayLineCount; ++i) {
        std::string_view text = texts[i];
        if (text.empty()) continue;
        day.lines.push_back({uint8_t(i), uint16_t(day.text.size()), uint16_t(text.size())});
        day.text += text;
        day.text += '\n';
    }
    day.folded = day.text;
    fold(day.folded.data(), day.folded.size());
}

// Ten years of days are searched on each keystroke. Sixteen places at a time
// are tested for the text's first and last character, and only where both
// agree is the whole text compared; one character is left to memchr.
class Searcher {
public:
    explicit Searcher(std::string_view query) : query_(query) {}

    size_t find(const std::string& text, size_t from) const
    {
        const size_t n = query_.size();
        if (n == 1) return text.find(query_[0], from);
        size_t i = from;
#ifdef __SSE2__
        const char* p = text.data();
        const __m128i first = _mm_set1_epi8(query_.front());
        const __m128i last = _mm_set1_epi8(query_.back());
        for (; i + n - 1 + 16 <= text.size(); i += 16) {
            __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + n - 1));
            unsigned flags = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
            for (; flags != 0; flags &= flags - 1) {
                size_t at = i + size_t(std::countr_zero(flags));
                if (std::memcmp(p + at + 1, query_.data() + 1, n - 2) == 0) return at;
            }
        }
#endif
        return i + n <= text.size() ? text.find(query_, i) : std::string::npos;
    }
    size_t size() const { return query_.size(); }

private:
    std::string_view query_;
};

// A line counts once however often it holds the text; a hit that runs over
// the end of its line is no match.
void searchDay(const IndexedDay& day, const Searcher& query, FindResult& result)
{
    size_t line = 0;
    size_t pos = 0;
    while (line < day.lines.size()) {
        size_t hit = query.find(day.folded, pos);
        if (hit == std::string::npos) return;
        while (line < day.lines.size() && size_t(day.lines[line].start) + day.lines[line].length < hit) ++line;
        if (line == day.lines.size()) return;
        const IndexedLine& found = day.lines[line];
        size_t end = size_t(found.start) + found.length;
        if (hit + query.size() > end) {
            pos = hit + 1;
            continue;
        }
        if (result.rows.size() < maxFoundRows)
            result.rows.push_back({day.date, found.line, std::string_view(day.text).substr(found.start, found.length)});
        ++result.total;
        pos = end + 1;
        ++line;
    }
}

std::string grouped(size_t n)
{
    std::string digits = std::to_string(n);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace

// Eight bytes at a time: in each byte below 0x80, the top bit of (b + 0x80 - 'a')
// tells b >= 'a' and that of (b + 0x80 - 'z' - 1) tells b > 'z'; a lower-case
// letter then loses its 0x20 bit. No byte carries into the next.
void foldPlainCase(char* text, size_t length)
{
    constexpr uint64_t ones = 0x0101010101010101u;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t x;
        std::memcpy(&x, text + i, 8);
        uint64_t low = x & (0x7f * ones);
        uint64_t lower = (low + (0x80 - 'a') * ones) & ~(low + (0x80 - 'z' - 1) * ones) & ~x & (0x80 * ones);
        x ^= lower >> 2;
        std::memcpy(text + i, &x, 8);
    }
    for (; i < length; ++i)
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = char(text[i] - 'a' + 'A');
}

// dayFilePath writes the year without leading zeros, so a four-digit year never begins with 0.
bool dayFileDate(std::string_view name, SystemTime& date)
{
    if (name.size() != 14 || name[0] == '0' || name[4] != '_' || name[7] != '_') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigit(name[i])) return false;
    // Windows names ignore letter case, so "2026_03_14.INI" is the file of that day there.
    std::string extension(name.substr(10));
    foldPlainCase(extension.data(), extension.size());
    if (extension != ".INI") return false;
    SystemTime parsed;
    parsed.wYear = uint16_t(number(name.substr(0, 4)));
    parsed.wMonth = uint16_t(number(name.substr(5, 2)));
    parsed.wDay = uint16_t(number(name.substr(8, 2)));
    if (!isValidDate(parsed)) return false;
    date = parsed;
    return true;
}

void planIndex(DayIndex& index, const std::string& folder, const std::vector<FolderFile>& files)
{
    if (index.folder != folder) {
        CaseFold fold = index.fold;
        index = DayIndex{};
        index.fold = fold;
        index.folder = folder;
    }
    std::unordered_map<std::string, size_t> known;
    for (size_t i = 0; i < index.days.size(); ++i) known.emplace(index.days[i].fileName, i);

    std::vector<IndexedDay> days;
    days.reserve(files.size());
    for (const FolderFile& file : files) {
        SystemTime date;
        if (!dayFileDate(file.name, date)) continue;
        auto old = known.find(file.name);
        if (old != known.end()) {
            IndexedDay& day = index.days[old->second];
            if (day.read && !day.unreadable && day.size == file.size && day.modified == file.modified) {
                days.push_back(std::move(day));
                continue;
            }
        }
        IndexedDay day;
        day.date = date;
        day.fileName = file.name;
        day.size = file.size;
        day.modified = file.modified;
        days.push_back(std::move(day));
    }
    std::sort(days.begin(), days.end(),
              [](const IndexedDay& a, const IndexedDay& b) { return dateKey(a.date) > dateKey(b.date); });
    // Two names of one day differ only in letter case; the platform opens one file for both.
    days.erase(std::unique(days.begin(), days.end(),
                           [](const IndexedDay& a, const IndexedDay& b) { return dateKey(a.date) == dateKey(b.date); }),
               days.end());
    index.days = std::move(days);
    index.toRead.clear();
    index.readCount = 0;
    for (size_t i = 0; i < index.days.size(); ++i)
        if (!index.days[i].read) index.toRead.push_back(i);
}

bool readNextDay(DayIndex& index)
{
    if (index.readCount >= index.toRead.size()) return false;
    IndexedDay& day = index.days[index.toRead[index.readCount++]];
    day.unreadable = readDayTexts(day.date, index.reading) == ReadResult::unreadable;
    day.read = true;
    fillDay(day, index.reading.lines, index.fold);
    return true;
}

void setShownDay(DayIndex& index, const SystemTime& date, const DayPage& page)
{
    index.hasShownDay = true;
    index.shownDay.date = date;
    index.shownDay.read = true;
    std::string_view texts[dayLineCount];
    for (int i = 0; i < dayLineCount; ++i) texts[i] = page.lines[i].text;
    fillDay(index.shownDay, texts, index.fold);
}

FindResult findLines(const DayIndex& index, std::string_view typed)
{
    FindResult result;
    std::string folded(trimBlanks(typed));
    if (folded.empty()) return result;
    result.searched = true;
    index.fold(folded.data(), folded.size());
    const Searcher query(folded);

    const IndexedDay* shown = index.hasShownDay ? &index.shownDay : nullptr;
    for (const IndexedDay& day : index.days) {
        if (shown && dateKey(shown->date) >= dateKey(day.date)) {
            bool sameDay = dateKey(shown->date) == dateKey(day.date);
            searchDay(*shown, query, result);
            shown = nullptr;
            if (sameDay) continue;  // its file is not what the window holds
        }
        if (day.unreadable) ++result.unreadable;
        searchDay(day, query, result);
    }
    if (shown) searchDay(*shown, query, result);
    return result;
}

TextRange findInLine(std::string_view text, std::string_view typed, CaseFold fold)
{
    std::string query(trimBlanks(typed));
    std::string folded(text);
    fold(query.data(), query.size());
    fold(folded.data(), folded.size());
    size_t found = query.empty() ? std::string::npos : folded.find(query);
    return {found == std::string::npos ? -1 : int(found), int(query.size())};
}

std::string countText(const FindResult& result)
{
    if (!result.searched) return "";
    std::string text = result.total == 0   ? "No match"
                       : result.total == 1 ? "1 match"
                       : result.total <= maxFoundRows
                           ? grouped(result.total) + " matches"
                           : grouped(result.rows.size()) + " of " + grouped(result.total) + " matches shown";
    if (result.unreadable == 1) text += "; 1 day file could not be read";
    if (result.unreadable > 1) text += "; " + grouped(result.unreadable) + " day files could not be read";
    return text;
}

std::string readingText(size_t read, size_t total)
{
    return "Reading " + grouped(read) + " of " + grouped(total) + " days...";
}

std::string lineLabel(int line)
{
    char label[16];
    if (line < firstTodoLine)
        std::snprintf(label, sizeof label, "%02d:%02d", 8 + line / 2, line % 2 * 30);
    else if (line < firstNoteLine)
        std::snprintf(label, sizeof label, "To do %d", line - firstTodoLine + 1);
    else
        std::snprintf(label, sizeof label, "Note %d", line - firstNoteLine + 1);
    return label;
}
