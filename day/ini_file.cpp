// The INI reader: one pass over the file, then every key answered from memory.
#include "day/ini_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "day/day_page.h"
#include "day/file_store.h"

namespace {

// The profile reader counts Ctrl+Z, an old end-of-file mark, as white space.
bool isIniSpace(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a;
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isIniSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isIniSpace(s.back())) s.remove_suffix(1);
    return s;
}

// Names and values are NUL-terminated strings to the platform, so a NUL byte
// in a hand-edited file ends them there. Most lines hold none, and then no
// name or value needs a search for one.
std::string_view upToNul(std::string_view s, bool lineHasNul)
{
    return lineHasNul ? s.substr(0, s.find('\0')) : s;
}

// The first CR, LF or NUL at or after pos, or the end of the bytes. Every
// byte of a file passes through here once, so it looks at sixteen at a time
// where the processor can: one pass finds both line ends and any NUL.
size_t nextStop(std::string_view bytes, size_t pos)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    for (; pos + 16 <= bytes.size(); pos += 16) {
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + pos));
        __m128i stop = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(b, cr), _mm_cmpeq_epi8(b, lf)), _mm_cmpeq_epi8(b, nul));
        if (unsigned mask = unsigned(_mm_movemask_epi8(stop))) return pos + size_t(std::countr_zero(mask));
    }
#endif
    while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n' && bytes[pos] != '\0') ++pos;
    return pos;
}

}  // namespace

bool sameIniName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

const IniSection* findIniSection(const IniFile& file, const char* name)
{
    std::string_view wanted = trim(name);
    for (const IniSection& s : file.sections)
        if (sameIniName(s.name, wanted)) return &s;
    return nullptr;
}

namespace {

const IniKey* findKey(const IniFile& file, const char* section, const char* key)
{
    const IniSection* found = findIniSection(file, section);
    if (found == nullptr) return nullptr;
    std::string_view name = trim(key);
    for (const IniKey& k : found->keys)
        if (sameIniName(k.name, name)) return &k;
    return nullptr;
}

// Sections and their key lists left by an earlier file are filled again in
// place, so that their storage is reused.
void parseInto(std::string_view bytes, IniFile& file)
{
    // A file saved as UTF-8 with a byte-order mark still reads; its other bytes are taken as they are.
    if (bytes.substr(0, 3) == "\xef\xbb\xbf") bytes.remove_prefix(3);
    size_t sectionCount = 0;
    IniSection* current = nullptr;  // lines before the first section belong to none
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = nextStop(bytes, pos);
        bool hasNul = false;
        while (end < bytes.size() && bytes[end] == '\0') {
            hasNul = true;
            end = nextStop(bytes, end + 1);
        }
        std::string_view line = trim(bytes.substr(pos, end - pos));
        pos = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);  // CR LF is one line end
        if (line.empty()) continue;

        size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
        if (close != std::string_view::npos) {
            if (sectionCount == file.sections.size()) file.sections.emplace_back();
            current = &file.sections[sectionCount++];
            current->name = upToNul(trim(line.substr(1, close - 1)), hasNul);
            current->keys.clear();
            continue;
        }
        if (current == nullptr) continue;

        IniKey& key = current->keys.emplace_back();
        size_t equals = line.find('=');
        key.name = upToNul(trim(line.substr(0, equals)), hasNul);
        if (equals != std::string_view::npos) {
            key.value = upToNul(trim(line.substr(equals + 1)), hasNul);
            key.hasValue = true;
        }
    }
    file.sections.resize(sectionCount);
}

}  // namespace

IniFile parseIni(std::string_view bytes)
{
    IniFile file;
    file.bytes = std::make_shared<const std::string>(bytes);
    parseInto(*file.bytes, file);
    return file;
}

void parseIniInPlace(std::string_view bytes, IniFile& file)
{
    file.bytes.reset();
    parseInto(bytes, file);
}

ReadResult loadIniFile(const char* path, IniFile& file)
{
    std::string bytes;
    ReadResult result = readWholeFile(path, bytes);
    file = IniFile{};
    file.bytes = std::make_shared<const std::string>(std::move(bytes));
    parseInto(*file.bytes, file);
    return result;
}

std::string_view iniValueOf(std::string_view raw)
{
    std::string_view value = trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string_view iniStringValue(const IniKey* key, std::string_view fallback)
{
    return (key && key->hasValue) ? iniValueOf(key->value) : fallback;
}

void copyIniValue(const IniKey* key, const char* fallback, char* buffer, size_t width)
{
    if (width == 0) return;
    std::string_view value = iniStringValue(key, fallback);
    size_t n = std::min(value.size(), width - 1);
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

void readIniString(const IniFile& file, const char* section, const char* key,
                   const char* fallback, char* buffer, size_t width)
{
    copyIniValue(findKey(file, section, key), fallback, buffer, width);
}

int32_t readIniInt(const IniFile& file, const char* section, const char* key, int32_t fallback)
{
    return iniIntValue(findKey(file, section, key), fallback);
}

void appendIniValue(TextBuilder& builder, const char* text)
{
    std::string value(text);
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    bool quote = iniValueOf(value) != value;
    if (quote) builder.append("\"");
    builder.append(value.c_str());
    if (quote) builder.append("\"");
}
