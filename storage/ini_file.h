// Reading INI-style files the way the platform's profile reader does, from one read of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_store.h"

class TextBuilder;

// Names and values are views of the bytes the file holds.
struct IniKey {
    std::string_view name;
    std::string_view value;
    bool hasValue = false;  // a line without an equals sign names a key that has no value
};

struct IniSection {
    std::string_view name;
    std::vector<IniKey> keys;
};

// The file's bytes are kept once for all its names and values (and shared by
// copies): reading every day file for Find copies no name or value twice.
struct IniFile {
    std::shared_ptr<const std::string> bytes;  // none when the caller keeps the bytes
    std::vector<IniSection> sections;
    std::shared_ptr<const std::string> legacyBytes;  // a file in the old code page: its own bytes, before converting
};

// The bytes of a file as loadIniFile found them, whatever it converted.
inline const std::string& bytesAsRead(const IniFile& file)
{
    return file.legacyBytes ? *file.legacyBytes : *file.bytes;
}

IniFile parseIni(std::string_view bytes);

// For a reader of many files in a row: names and values view bytes that the caller
// keeps while it uses the file, and the file's storage is reused from the
// last one read into it.
void parseIniInPlace(std::string_view bytes, IniFile& file);

// A file that is missing or cannot be read leaves the file empty; the result
// tells which. A file that is not UTF-8 is converted from the old code page.
ReadResult loadIniFile(const char* path, IniFile& file);

// Names match without regard to letter case, and only the first section and
// key of a name count: a section or key by name (null if none), and what a
// key's value reads as (the fallback for none). Inline, since Find compares
// some hundred thousand names when it reads every day.
inline bool sameIniName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x == y) continue;  // names are mostly spelt alike
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

const IniSection* findIniSection(const IniFile& file, const char* name);
const IniKey* findIniKey(const IniFile& file, const char* section, const char* key);
// Copies the value, or the fallback, into buffer: at most width - 1 bytes,
// whole UTF-8 characters only, and a terminator.
void copyIniValue(const IniKey* key, const char* fallback, char* buffer, size_t width);
std::string_view iniStringValue(const IniKey* key, std::string_view fallback);  // not cut to a width
// The value as a number: decimal, or with a 0x, 0o or 0b prefix, wrapping as
// a 32-bit value; a missing or empty value gives the fallback.
int32_t iniIntValue(const IniKey* key, int32_t fallback);

// Appends a text as a value that reads back exactly as given: line breaks
// become blanks (they would start a new line in the file), and a text the
// reader would change is enclosed in one more pair of double quotes.
void appendIniValue(TextBuilder& builder, std::string_view text);
