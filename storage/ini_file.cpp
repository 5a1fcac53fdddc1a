// The INI reader: one pass over the file, then every key answered from memory.
#include "storage/ini_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "storage/file_store.h"
#include "storage/text_builder.h"
#include "text/legacy_text.h"

namespace {

// The profile reader counts Ctrl+Z, an old end-of-file mark, as white space.
bool isIniSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a;
}

std::string_view trimStart(std::string_view s)
{
    while (!s.empty() && isIniSpace(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view trimEnd(std::string_view s)
{
    while (!s.empty() && isIniSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view trim(std::string_view s)
{
    return trimEnd(trimStart(s));
}

// Names and values are NUL-terminated strings to the platform, so a NUL byte
// in a hand-edited file ends them there.
std::string_view upToNul(std::string_view s)
{
    return s.substr(0, s.find('\0'));
}

bool isLineStop(char c)
{
    return c == '\r' || c == '\n' || c == '\0';
}

#ifdef __SSE2__
// Which of sixteen bytes end a line (CR, LF or NUL), as bits. No byte above
// CR does, so one compare passes most blocks, and only a block with a low
// byte (a line end, or maybe a tab) is looked at closer.
bool mayHoldStop(__m128i b)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(b, _mm_set1_epi8('\r')), b)) != 0;
}

unsigned stopsIn(__m128i b)
{
    __m128i stop = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(b, _mm_set1_epi8('\n'))),
                                _mm_cmpeq_epi8(b, _mm_setzero_si128()));
    return unsigned(_mm_movemask_epi8(stop));
}

__m128i load16(std::string_view bytes, size_t pos)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + pos));
}
#endif

// The first line stop at or after pos, or the end of the bytes; a value can
// run to 259 characters, so it looks at 32 bytes a step.
size_t lineEnd(std::string_view bytes, size_t pos)
{
#ifdef __SSE2__
    for (; pos + 32 <= bytes.size(); pos += 32) {
        __m128i a = load16(bytes, pos), b = load16(bytes, pos + 16);
        if (!mayHoldStop(a) && !mayHoldStop(b)) continue;
        if (unsigned stops = stopsIn(a)) return pos + size_t(std::countr_zero(stops));
        if (unsigned stops = stopsIn(b)) return pos + 16 + size_t(std::countr_zero(stops));
    }
#endif
    while (pos < bytes.size() && !isLineStop(bytes[pos])) ++pos;
    return pos;
}

// Where a line ends (its first stop) and its first equals sign before that
// (npos if none). Every byte of a file passes through here once, so it looks
// at sixteen bytes at a time for both until the sign, which stands early in a
// line, and then for the end alone.
struct LineStops {
    size_t end;
    size_t equals = std::string_view::npos;
};

LineStops nextStops(std::string_view bytes, size_t pos)
{
    LineStops found{pos};
#ifdef __SSE2__
    for (; pos + 16 <= bytes.size(); pos += 16) {
        __m128i b = load16(bytes, pos);
        unsigned stops = mayHoldStop(b) ? stopsIn(b) : 0;
        unsigned signs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(b, _mm_set1_epi8('='))));
        if (stops) signs &= (stops & (0u - stops)) - 1;  // only those before the line's end
        if (signs) found.equals = pos + size_t(std::countr_zero(signs));
        if (stops) {
            found.end = pos + size_t(std::countr_zero(stops));
            return found;
        }
        if (signs) {
            found.end = lineEnd(bytes, pos + 16);
            return found;
        }
    }
#endif
    for (; pos < bytes.size() && !isLineStop(bytes[pos]); ++pos)
        if (bytes[pos] == '=' && found.equals == std::string_view::npos) found.equals = pos;
    found.end = pos;
    return found;
}

}  // namespace

const IniSection* findIniSection(const IniFile& file, const char* name)
{
    std::string_view wanted = trim(name);
    for (const IniSection& s : file.sections)
        if (sameIniName(s.name, wanted)) return &s;
    return nullptr;
}

const IniKey* findIniKey(const IniFile& file, const char* section, const char* key)
{
    const IniSection* found = findIniSection(file, section);
    if (found == nullptr) return nullptr;
    std::string_view name = trim(key);
    for (const IniKey& k : found->keys)
        if (sameIniName(k.name, name)) return &k;
    return nullptr;
}

namespace {

// Sections and their key lists left by an earlier file are filled again in
// place, so that their storage is reused.
void parseInto(std::string_view bytes, IniFile& file)
{
    // A file saved as UTF-8 with a byte-order mark reads as one saved without.
    if (bytes.substr(0, 3) == "\xef\xbb\xbf") bytes.remove_prefix(3);
    size_t sectionCount = 0;
    IniSection* current = nullptr;  // lines before the first section belong to none
    size_t pos = 0;
    while (pos < bytes.size()) {
        LineStops stops = nextStops(bytes, pos);
        bool hasNul = false;
        while (stops.end < bytes.size() && bytes[stops.end] == '\0') {
            hasNul = true;
            stops.end = lineEnd(bytes, stops.end + 1);
        }
        std::string_view line = trim(bytes.substr(pos, stops.end - pos));
        pos = stops.end + (bytes.substr(stops.end, 2) == "\r\n" ? 2 : 1);  // CR LF is one line end
        if (line.empty()) continue;

        size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
        if (close != std::string_view::npos) {
            if (sectionCount == file.sections.size()) file.sections.emplace_back();
            current = &file.sections[sectionCount++];
            current->name = trim(line.substr(1, close - 1));
            if (hasNul) current->name = upToNul(current->name);
            current->keys.clear();
            continue;
        }
        if (current == nullptr) continue;

        // Blanks are not equals signs, so the first one is the trimmed line's first;
        // and the line is trimmed already: a name has only its end to trim, a value its start.
        size_t equals = (hasNul || stops.equals == std::string_view::npos)
                            ? line.find('=')
                            : stops.equals - size_t(line.data() - bytes.data());
        IniKey& key = current->keys.emplace_back();
        key.name = trimEnd(line.substr(0, equals));
        if (equals != std::string_view::npos) {
            key.value = trimStart(line.substr(equals + 1));
            key.hasValue = true;
        }
        if (hasNul) {
            key.name = upToNul(key.name);
            key.value = upToNul(key.value);
        }
    }
    file.sections.resize(sectionCount);
}

IniFile parseOwnBytes(std::shared_ptr<const std::string> owned)
{
    IniFile file;
    file.bytes = std::move(owned);
    parseInto(*file.bytes, file);
    return file;
}

}  // namespace

IniFile parseIni(std::string_view bytes)
{
    return parseOwnBytes(std::make_shared<const std::string>(bytes));
}

void parseIniInPlace(std::string_view bytes, IniFile& file)
{
    file.bytes.reset();
    parseInto(bytes, file);
}

ReadResult loadIniFile(const char* path, IniFile& file)
{
    // A fresh buffer of the first read's size costs more than reading a day
    // file does: its pages are zeroed and faulted in at every read.
    thread_local std::string readBuffer;
    size_t length = 0;
    ReadResult result = readFileInto(path, readBuffer, length);
    std::string bytes(readBuffer.data(), length);
    std::string converted;
    bool legacy = false;
    fileText(bytes, converted, legacy);
    if (!legacy) {
        file = parseOwnBytes(std::make_shared<const std::string>(std::move(bytes)));
        return result;
    }
    file = parseOwnBytes(std::make_shared<const std::string>(std::move(converted)));
    file.legacyBytes = std::make_shared<const std::string>(std::move(bytes));
    return result;
}

namespace {

// What the reader makes of the text behind an equals sign: outer blanks
// dropped, then one pair of enclosing quotation marks.
std::string_view iniValueOf(std::string_view raw)
{
    std::string_view value = trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string_view iniStringValue(const IniKey* key, std::string_view fallback)
{
    return (key && key->hasValue) ? iniValueOf(key->value) : fallback;
}

void copyIniValue(const IniKey* key, const char* fallback, char* buffer, size_t width)
{
    if (width == 0) return;
    std::string_view value = iniStringValue(key, fallback);
    size_t n = std::min(value.size(), width - 1);
    // As the platform does, what does not fit is left out by whole characters.
    while (n > 0 && n < value.size() && (static_cast<unsigned char>(value[n]) & 0xc0) == 0x80) --n;
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
}

int32_t iniIntValue(const IniKey* key, int32_t fallback)
{
    char text[30];
    copyIniValue(key, "", text, sizeof text);
    if (text[0] == '\0') return fallback;

    const char* p = text;
    while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    uint32_t base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
        base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
        p += 2;
    }
    uint32_t total = 0;
    for (;; ++p) {
        uint32_t digit;
        if (*p >= '0' && *p <= '9') digit = *p - '0';
        else if (*p >= 'a' && *p <= 'z') digit = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'Z') digit = *p - 'A' + 10;
        else break;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return int32_t(negative ? 0u - total : total);
}

void appendIniValue(TextBuilder& builder, std::string_view text)
{
    std::string value(text);
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    bool quote = iniValueOf(value) != value;
    if (quote) builder.append("\"");
    builder.append(value.c_str());
    if (quote) builder.append("\"");
}
