// The INI reader: one pass over the file, then every key answered from memory.
#include "day/ini_file.h"

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
// in a hand-edited file ends them there.
std::string upToNul(std::string_view s)
{
    return std::string(s.substr(0, s.find('\0')));
}

bool sameName(std::string_view a, std::string_view b)
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

const IniKey* findKey(const IniFile& file, const char* section, const char* key)
{
    std::string_view sectionName = trim(section);
    std::string_view keyName = trim(key);
    for (const IniSection& s : file.sections) {
        if (!sameName(s.name, sectionName)) continue;
        for (const IniKey& k : s.keys)
            if (sameName(k.name, keyName)) return &k;
        return nullptr;  // only the first section of a name is searched
    }
    return nullptr;
}

}  // namespace

IniFile parseIni(std::string_view bytes)
{
    IniFile file;
    // A file saved as UTF-8 with a byte-order mark still reads; its other bytes are taken as they are.
    if (bytes.substr(0, 3) == "\xef\xbb\xbf") bytes.remove_prefix(3);
    IniSection* current = nullptr;  // lines before the first section belong to none
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = trim(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;

        size_t close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            file.sections.push_back({upToNul(trim(line.substr(1, close - 1))), {}});
            current = &file.sections.back();
            continue;
        }
        if (current == nullptr) continue;

        IniKey key;
        size_t equals = line.find('=');
        key.name = upToNul(trim(line.substr(0, equals)));
        if (equals != std::string_view::npos) {
            key.value = upToNul(trim(line.substr(equals + 1)));
            key.hasValue = true;
        }
        current->keys.push_back(std::move(key));
    }
    return file;
}

ReadResult loadIniFile(const char* path, IniFile& file)
{
    std::string bytes;
    ReadResult result = readWholeFile(path, bytes);
    file = parseIni(bytes);
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

void readIniString(const IniFile& file, const char* section, const char* key,
                   const char* fallback, char* buffer, size_t width)
{
    if (width == 0) return;
    const IniKey* found = findKey(file, section, key);
    std::string_view value = (found && found->hasValue) ? iniValueOf(found->value)
                                                        : std::string_view(fallback);
    size_t n = std::min(value.size(), width - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
}

int32_t readIniInt(const IniFile& file, const char* section, const char* key, int32_t fallback)
{
    char text[30];
    readIniString(file, section, key, "", text, sizeof text);
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
