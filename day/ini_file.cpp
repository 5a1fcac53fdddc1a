// The INI reader: one pass over the file, then every key answered from memory.
#include "day/ini_file.h"

#include <algorithm>
#include <cstring>
#include <string>

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
// in a hand-edited file ends them there. Most files hold none, and then no
// name or value needs a search for one.
std::string_view upToNul(std::string_view s, bool fileHasNul)
{
    return fileHasNul ? s.substr(0, s.find('\0')) : s;
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

IniFile parseOwnBytes(std::shared_ptr<const std::string> owned)
{
    IniFile file;
    std::string_view bytes = *owned;
    file.bytes = std::move(owned);
    // A file saved as UTF-8 with a byte-order mark still reads; its other bytes are taken as they are.
    if (bytes.substr(0, 3) == "\xef\xbb\xbf") bytes.remove_prefix(3);
    IniSection* current = nullptr;  // lines before the first section belong to none
    // Both line ends are found with memchr, each only when the last one found
    // is passed: a scan for either of two characters goes byte by byte.
    size_t nextCr = bytes.find('\r'), nextLf = bytes.find('\n');
    bool hasNul = bytes.find('\0') != std::string_view::npos;
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (nextCr != std::string_view::npos && nextCr < pos) nextCr = bytes.find('\r', pos);
        if (nextLf != std::string_view::npos && nextLf < pos) nextLf = bytes.find('\n', pos);
        size_t end = std::min({nextCr, nextLf, bytes.size()});
        std::string_view line = trim(bytes.substr(pos, end - pos));
        pos = end + (end == nextCr && end + 1 == nextLf ? 2 : 1);  // CR LF is one line end
        if (line.empty()) continue;

        size_t close = line.front() == '[' ? line.rfind(']') : std::string_view::npos;
        if (close != std::string_view::npos) {
            file.sections.push_back({std::string(upToNul(trim(line.substr(1, close - 1)), hasNul)), {}});
            current = &file.sections.back();
            current->keys.reserve(16);  // a day section holds up to 66
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
    return file;
}

}  // namespace

IniFile parseIni(std::string_view bytes)
{
    return parseOwnBytes(std::make_shared<const std::string>(bytes));
}

ReadResult loadIniFile(const char* path, IniFile& file)
{
    std::string bytes;
    ReadResult result = readWholeFile(path, bytes);
    file = parseOwnBytes(std::make_shared<const std::string>(std::move(bytes)));
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

void copyIniValue(const IniKey* key, const char* fallback, char* buffer, size_t width)
{
    if (width == 0) return;
    std::string_view value = (key && key->hasValue) ? iniValueOf(key->value) : std::string_view(fallback);
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
