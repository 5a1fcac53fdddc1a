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

#include "dates/calendar.h"
#include "day/day_file.h"
#include "text/utf8_text.h"

namespace {

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

void fillDay(DayTextStore& store, IndexedDay& day, const std::string_view (&texts)[dayLineCount], CaseFold fold)
{
    day.textStart = store.text.size();
    day.firstLine = store.lines.size();
    size_t size = 0;
    for (std::string_view text : texts) size += text.empty() ? 0 : text.size() + 1;
    // Room with every line break in place, then a copy per line: appending
    // line by line costs more than the copying.
    store.text.append(size, '\n');
    char* to = store.text.data() + day.textStart;
    for (int i = 0; i < dayLineCount; ++i) {
        std::string_view text = texts[i];
        if (text.empty()) continue;
        uint16_t start = uint16_t(to - store.text.data() - day.textStart);
        // Nearly always every line keeps its length when folded; checked below.
        store.lines.push_back({uint8_t(i), start, uint16_t(text.size()), start, uint16_t(text.size())});
        std::memcpy(to, text.data(), text.size());
        to += text.size() + 1;
    }
    day.textSize = size;
    day.lineCount = store.lines.size() - day.firstLine;
    // A whole day folded at once: the platform's folding costs a call per text.
    day.foldedStart = store.folded.size();
    fold(std::string_view(store.text).substr(day.textStart, day.textSize), store.folded);
    day.foldedSize = store.folded.size() - day.foldedStart;
    const std::string_view folded = std::string_view(store.folded).substr(day.foldedStart);
    bool kept = folded.size() == day.textSize;
    for (size_t i = day.firstLine; kept && i < store.lines.size(); ++i)
        kept = folded[store.lines[i].start + store.lines[i].length] == '\n';
    if (kept) return;
    // Else the line breaks tell where each line went.
    size_t start = 0;
    for (size_t i = day.firstLine; i < store.lines.size(); ++i) {
        IndexedLine& line = store.lines[i];
        size_t end = std::min(folded.find('\n', start), folded.size());
        line.foldedStart = uint16_t(start);
        line.foldedLength = uint16_t(end - start);
        start = std::min(end + 1, folded.size());
    }
}

// Days read again and days whose file is gone leave their texts behind; once
// they outweigh the texts in use, the store is copied without them.
void dropUnusedTexts(DayTextStore& store, std::vector<IndexedDay>& days)
{
    size_t used = 0;
    size_t foldedUsed = 0;
    for (const IndexedDay& day : days) used += day.textSize, foldedUsed += day.foldedSize;
    if (store.text.size() - used <= used) return;
    DayTextStore kept;
    kept.text.reserve(used);
    kept.folded.reserve(foldedUsed);
    for (IndexedDay& day : days) {
        if (!day.read) continue;
        size_t lines = kept.lines.size();
        kept.lines.insert(kept.lines.end(), store.lines.begin() + ptrdiff_t(day.firstLine),
                          store.lines.begin() + ptrdiff_t(day.firstLine + day.lineCount));
        day.firstLine = lines;
        kept.text.append(store.text, day.textStart, day.textSize);
        kept.folded.append(store.folded, day.foldedStart, day.foldedSize);
        day.textStart = kept.text.size() - day.textSize;
        day.foldedStart = kept.folded.size() - day.foldedSize;
    }
    store = std::move(kept);
}

// Ten years of days are searched on each keystroke. Sixteen places at a time
// are tested for the text's first and last character, and only where both
// agree is the whole text compared; one character is left to memchr.
class Searcher {
public:
    explicit Searcher(std::string_view query) : query_(query) {}

    size_t find(std::string_view text, size_t from) const
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
        return i + n <= text.size() ? text.find(query_, i) : std::string_view::npos;
    }
    size_t size() const { return query_.size(); }

private:
    std::string_view query_;
};

bool continuesCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// A line counts once however often it holds the text; a hit that runs over
// the end of its line, or begins or ends inside a character, is no match.
void searchDay(const DayTextStore& store, const IndexedDay& day, const Searcher& query, FindResult& result)
{
    const std::string_view folded(store.folded.data() + day.foldedStart, day.foldedSize);
    const std::string_view text(store.text.data() + day.textStart, day.textSize);
    const IndexedLine* lines = store.lines.data() + day.firstLine;
    size_t line = 0;
    size_t pos = 0;
    while (line < day.lineCount) {
        size_t hit = query.find(folded, pos);
        if (hit == std::string_view::npos) return;
        while (line < day.lineCount && size_t(lines[line].foldedStart) + lines[line].foldedLength < hit) ++line;
        if (line == day.lineCount) return;
        const IndexedLine& found = lines[line];
        size_t end = size_t(found.foldedStart) + found.foldedLength;
        if (hit + query.size() > end || continuesCharacter(folded[hit]) || continuesCharacter(folded[hit + query.size()])) {
            pos = hit + 1;
            continue;
        }
        if (result.rows.size() < maxFoundRows) result.rows.push_back({day.date, found.line, text.substr(found.start, found.length)});
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

// dayFilePath writes the year without leading zeros, so a four-digit year never begins with 0.
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
                           [](const IndexedDay& a, const IndexedDay& b) { return isSameDay(a.date, b.date); }),
               days.end());
    index.days = std::move(days);
    dropUnusedTexts(index.store, index.days);
    index.toRead.clear();
    index.readCount = 0;
    // Room for every text to come at once: a day holds no more than its file,
    // nor than its lines can, whatever else the file holds.
    size_t room = 0;
    for (size_t i = 0; i < index.days.size(); ++i) {
        if (index.days[i].read) continue;
        index.toRead.push_back(i);
        room += size_t(std::min<uint64_t>(index.days[i].size, dayLineCount * lineTextSize));
    }
    index.store.text.reserve(index.store.text.size() + room);
    index.store.folded.reserve(index.store.folded.size() + room);
    index.store.lines.reserve(index.store.lines.size() + index.toRead.size() * dayLineCount);
}

bool readNextDay(DayIndex& index)
{
    if (index.readCount >= index.toRead.size()) return false;
    IndexedDay& day = index.days[index.toRead[index.readCount++]];
    day.unreadable = readDayTexts(day.date, index.reading) == ReadResult::unreadable;
    day.read = true;
    fillDay(index.store, day, index.reading.lines, index.fold);
    return true;
}

void setShownDay(DayIndex& index, const SystemTime& date, const DayPage& page, bool unreadable)
{
    index.hasShownDay = true;
    index.shownDay.date = date;
    index.shownDay.read = true;
    index.shownDay.unreadable = unreadable;
    std::string_view texts[dayLineCount];
    for (int i = 0; i < dayLineCount; ++i) texts[i] = page.lines[i].text;
    index.shownStore = DayTextStore{};
    fillDay(index.shownStore, index.shownDay, texts, index.fold);
}

uint32_t daysHoldingLines(const DayIndex& index, int year, int month)
{
    auto inMonth = [&](const IndexedDay& day) { return day.date.wYear == year && day.date.wMonth == month; };
    auto bit = [](const IndexedDay& day) { return 1u << (day.date.wDay - 1); };
    uint32_t days = 0;
    for (const IndexedDay& day : index.days)
        if (inMonth(day) && day.read && day.lineCount > 0) days |= bit(day);
    if (index.hasShownDay && inMonth(index.shownDay))
        days = index.shownDay.lineCount > 0 ? days | bit(index.shownDay) : days & ~bit(index.shownDay);
    return days;
}

FindResult findLines(const DayIndex& index, std::string_view typed)
{
    FindResult result;
    std::string_view trimmed = trimBlanks(typed);
    if (trimmed.empty()) return result;
    result.searched = true;
    std::string folded;
    index.fold(trimmed, folded);
    if (folded.empty()) return result;
    const Searcher query(folded);

    const IndexedDay* shown = index.hasShownDay ? &index.shownDay : nullptr;
    auto search = [&](const DayTextStore& store, const IndexedDay& day) {
        if (day.unreadable) ++result.unreadable;
        searchDay(store, day, query, result);
    };
    for (const IndexedDay& day : index.days) {
        if (shown && dateKey(shown->date) >= dateKey(day.date)) {
            bool sameDay = isSameDay(shown->date, day.date);
            search(index.shownStore, *shown);
            shown = nullptr;
            if (sameDay) continue;  // its file is not what the window holds
        }
        search(index.store, day);
    }
    if (shown) search(index.shownStore, *shown);
    return result;
}

// Each character is folded on its own, so that where its folded form begins
// (it may take more or fewer bytes than the character) leads back to it.
TextRange findInLine(std::string_view text, std::string_view typed, CaseFold fold)
{
    std::string query;
    fold(trimBlanks(typed), query);
    std::string folded;
    std::vector<int> sourceAt(1, 0);  // for each folded byte, its character's start in text; -1 inside one
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        nextCharacter(text, pos);
        fold(text.substr(start, pos - start), folded);
        sourceAt.resize(folded.size() + 1, -1);
        sourceAt.back() = int(pos);
    }
    if (query.empty()) return {-1, 0};
    for (size_t found = folded.find(query); found != std::string::npos; found = folded.find(query, found + 1)) {
        int start = sourceAt[found], end = sourceAt[found + query.size()];
        if (start >= 0 && end >= 0) return {start, end - start};  // whole characters only
    }
    return {-1, 0};
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
