// Day files: the byte layout and the keys read back.
#include "day/day_file.h"

#include <cstdio>
#include <string_view>

#include "storage/file_store.h"
#include "text/letter_case.h"
#include "storage/ini_file.h"
#include "text/legacy_text.h"
#include "text/numbers.h"

namespace {

struct DaySection {
    const char* name;
    int firstLine;
    int count;
};

constexpr DaySection daySections[] = {
    {"SCHEDULE", 0, scheduleLineCount},
    {"TODO", firstTodoLine, todoLineCount},
    {"NOTE", firstNoteLine, noteLineCount},
};

void appendKey(TextBuilder& builder, const char* key, int n)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s_%d = ", key, n);
    builder.append(name);
}

}  // namespace

std::string dayFilePath(const SystemTime& date)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s\\%d_%02d_%02d.ini", dataFolder, date.wYear, date.wMonth,
                  date.wDay);
    return name;
}

bool dayFileDate(std::string_view name, SystemTime& date)
{
    if (name.size() != 14 || name[0] == '0' || name[4] != '_' || name[7] != '_') return false;
    std::string_view year = name.substr(0, 4), month = name.substr(5, 2), day = name.substr(8, 2);
    int y, m, d;
    if (!takeDigits(year, 4, y) || !takeDigits(month, 2, m) || !takeDigits(day, 2, d)) return false;
    // Windows names ignore letter case, so "2026_03_14.INI" is the file of that day there.
    std::string extension(name.substr(10));
    foldPlainCase(extension.data(), extension.size());
    if (extension != ".INI") return false;
    SystemTime parsed{uint16_t(y), uint16_t(m), 0, uint16_t(d)};
    if (!isValidDate(parsed)) return false;
    date = parsed;
    return true;
}

namespace {

enum LineKey { textKey, doneKey, markKey, otherKey };

// Which key of a line a name is, and the line's number, as the writer forms
// the names ("TEXT_%d", letter case ignored): the number has no leading zero.
// Kinds after lastWanted count as other keys, so a reader of texts alone
// spends nothing on the others.
LineKey lineKeyOf(std::string_view name, int& n, LineKey lastWanted)
{
    if (name.size() < 6 || name.size() > 7 || name[4] != '_') return otherKey;
    // The three words begin with different letters, so the first letter leaves one to compare.
    static constexpr std::string_view words[] = {"TEXT", "DONE", "MARK"};
    char first = char(name[0] | 0x20);
    LineKey kind = first == 't' ? textKey : first == 'd' ? doneKey : first == 'm' ? markKey : otherKey;
    if (kind > lastWanted || !sameIniName(name.substr(0, 4), words[kind])) return otherKey;
    std::string_view digits = name.substr(5);
    if (digits.size() == 2 && digits[0] == '0') return otherKey;
    return takeDecimal(digits, n) > 0 && digits.empty() ? kind : otherKey;
}

// The keys of a section's lines, found in one pass over the section rather
// than one search per key: Find reads every day file there is.
using LineKeys = const IniKey* [otherKey][scheduleLineCount];

void findLineKeys(const IniFile& file, const DaySection& section, LineKeys& found, LineKey lastWanted = markKey)
{
    for (auto& kind : found)
        for (const IniKey*& key : kind) key = nullptr;
    if (const IniSection* keys = findIniSection(file, section.name))
        for (const IniKey& key : keys->keys) {
            int n;
            LineKey kind = lineKeyOf(key.name, n, lastWanted);
            if (kind != otherKey && n < section.count && found[kind][n] == nullptr) found[kind][n] = &key;
        }
}

void readDaySection(const IniFile& file, const DaySection& section, DayPage& page)
{
    LineKeys found;
    findLineKeys(file, section, found);
    for (int n = 0; n < section.count; ++n) {
        DayLine& line = page.lines[section.firstLine + n];
        setLineText(line, iniStringValue(found[textKey][n], ""));
        line.done = iniIntValue(found[doneKey][n], 0);
        line.mark = iniIntValue(found[markKey][n], markPrimary);
    }
}

}  // namespace

void readDayPageFrom(const IniFile& file, DayPage& page)
{
    for (const DaySection& section : daySections) readDaySection(file, section, page);
}

ReadResult readDayPage(const SystemTime& date, DayPage& page)
{
    IniFile file;
    ReadResult result = loadIniFile(dayFilePath(date).c_str(), file);
    readDayPageFrom(file, page);
    return result;
}

ReadResult readDayTexts(const SystemTime& date, DayTexts& texts)
{
    ReadResult result = readFileInto(dayFilePath(date).c_str(), texts.buffer, texts.length);
    bool legacy;
    parseIniInPlace(fileText(std::string_view(texts.buffer.data(), texts.length), texts.converted, legacy), texts.file);
    for (const DaySection& section : daySections) {
        LineKeys found;
        findLineKeys(texts.file, section, found, textKey);
        // What setLineText leaves in a line.
        for (int n = 0; n < section.count; ++n) {
            std::string_view text = iniStringValue(found[textKey][n], "");
            // The file's text is well formed, read or converted: most lines are counted, not walked.
            if (text.size() > lineCharacterLimit && wellFormedEditorLength(text) > lineCharacterLimit)
                text = text.substr(0, editorPrefixBytes(text, lineCharacterLimit));
            texts.lines[section.firstLine + n] = text;
        }
    }
    return result;
}

namespace {

// Appends the entry of a line that holds a text or is done; tells whether it did.
bool writeDayLine(TextBuilder& builder, const DayLine& line, int n)
{
    if (isBlankLine(line)) return false;
    appendKey(builder, "TEXT", n);
    appendIniValue(builder, line.text);
    builder.appendLineBreak();
    appendKey(builder, "DONE", n);
    builder.appendNumber(line.done);
    builder.appendLineBreak();
    appendKey(builder, "MARK", n);
    builder.appendNumber(line.mark);
    builder.appendLineBreak();
    return true;
}

}  // namespace

TextBuilder composeDayFile(const DayPage& page, const SystemTime& date)
{
    TextBuilder builder("; YEAR:");
    builder.appendNumber(date.wYear);
    builder.append("; MONTH:");
    builder.appendNumber(date.wMonth);
    builder.append("; DAY:");
    builder.appendNumber(date.wDay);
    builder.append(";");
    builder.appendLineBreak();
    for (const DaySection& section : daySections) {
        builder.appendLineBreak();
        builder.append("[");
        builder.append(section.name);
        builder.append("]");
        builder.appendLineBreak();
        for (int n = 0; n < section.count; ++n)
            writeDayLine(builder, page.lines[section.firstLine + n], n);
    }
    return builder;
}
