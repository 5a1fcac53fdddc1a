// The record of lines placed from calendars: its file's layout, reading it and merging it.
#include "icalendar/calendar_lines.h"

#include <algorithm>
#include <cstdio>

#include "storage/ini_file.h"
#include "storage/text_builder.h"
#include "text/numbers.h"

namespace {

void appendKey(TextBuilder& text, const char* name, std::string_view value)
{
    text.append(name);
    text.append(" = ");
    appendIniValue(text, value);
    text.appendLineBreak();
}

std::string dayText(const SystemTime& day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.wYear % 10000, day.wMonth % 100, day.wDay % 100);
    return text;
}

bool readDay(std::string_view text, SystemTime& day)
{
    int year, month, date;
    auto dash = [&] { return text.substr(0, 1) == "-" && (text.remove_prefix(1), true); };
    if (!takeDigits(text, 4, year) || !dash() || !takeDigits(text, 2, month) || !dash() || !takeDigits(text, 2, date) ||
        !text.empty())
        return false;
    day = {uint16_t(year), uint16_t(month), 0, uint16_t(date)};
    return isValidDate(day);
}

const IniKey* keyOf(const IniSection& section, std::string_view name)
{
    for (const IniKey& key : section.keys)
        if (sameIniName(key.name, name)) return &key;
    return nullptr;
}

// One line's keys, as they are written; lines are compared in this form.
std::string composed(const CalendarLine& line)
{
    TextBuilder text;
    appendKey(text, "uid", line.uid);
    appendKey(text, line.version.replaces ? "recurrence-id" : "start", line.occurrence);
    appendKey(text, "sequence", std::to_string(line.version.sequence));
    appendKey(text, "stamp", line.version.stamp);
    appendKey(text, "day", dayText(line.day));
    appendKey(text, "line", std::to_string(line.line));
    appendKey(text, "text", line.text);
    if (!line.subscription.empty()) appendKey(text, "subscription", line.subscription);
    return std::string(text.data(), size_t(text.length()));
}

}  // namespace

void readCalendarLines(const IniFile& ini, CalendarLines& lines)
{
    lines.clear();
    for (const IniSection& section : ini.sections) {
        if (section.name.size() <= 5 || !sameIniName(section.name.substr(0, 5), "LINE_")) continue;
        CalendarLine line;
        line.uid = iniStringValue(keyOf(section, "uid"), "");
        const IniKey* named = keyOf(section, "recurrence-id");
        line.version.replaces = named != nullptr;
        line.occurrence = iniStringValue(named ? named : keyOf(section, "start"), "");
        line.version.sequence = iniIntValue(keyOf(section, "sequence"), 0);
        line.version.stamp = iniStringValue(keyOf(section, "stamp"), "");
        line.line = iniIntValue(keyOf(section, "line"), -1);
        line.text = iniStringValue(keyOf(section, "text"), "");
        line.subscription = iniStringValue(keyOf(section, "subscription"), "");
        if (!line.uid.empty() && readDay(iniStringValue(keyOf(section, "day"), ""), line.day) && line.line >= 0 &&
            line.line < dayLineCount)
            lines.push_back(std::move(line));
    }
}

std::string composeCalendarLines(const CalendarLines& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        text += "\r\n[LINE_" + std::to_string(i) + "]\r\n";
        text += composed(lines[i]);
    }
    return text;
}

CalendarLines mergeCalendarLines(const CalendarLines& base, const CalendarLines& mine, const CalendarLines& theirs)
{
    auto forms = [](const CalendarLines& lines) {
        std::vector<std::string> all;
        for (const CalendarLine& line : lines) all.push_back(composed(line));
        return all;
    };
    std::vector<std::string> baseForms = forms(base), mineForms = forms(mine), theirForms = forms(theirs), kept;
    auto has = [](const std::vector<std::string>& all, const std::string& form) {
        return std::find(all.begin(), all.end(), form) != all.end();
    };
    CalendarLines merged;
    auto keep = [&](const CalendarLine& line, const std::string& form) {
        if (has(kept, form)) return;
        kept.push_back(form);
        merged.push_back(line);
    };
    for (size_t i = 0; i < mine.size(); ++i)
        if (has(theirForms, mineForms[i]) || !has(baseForms, mineForms[i])) keep(mine[i], mineForms[i]);
    for (size_t i = 0; i < theirs.size(); ++i)
        if (!has(baseForms, theirForms[i])) keep(theirs[i], theirForms[i]);
    return merged;
}

ReadResult loadStoredCalendarLines(StoredCalendarLines& stored, CalendarLines& lines)
{
    FileStamp beforeReading = fileStamp(calendarLinesPath);
    IniFile ini;
    ReadResult result = loadIniFile(calendarLinesPath, ini);
    readCalendarLines(ini, lines);
    noteRead(stored, beforeReading, result == ReadResult::unreadable);
    stored.held = composeCalendarLines(lines);
    return result;
}

void CalendarLinesKind::read(const IniFile& ini, std::string& read, const CalendarLines&)
{
    readCalendarLines(ini, theirs);
    read = compose(theirs);
}

bool CalendarLinesKind::merge(const CalendarLines& window, const std::string&)
{
    CalendarLines base;
    readCalendarLines(parseIni(held), base);
    merged = mergeCalendarLines(base, window, theirs);
    return false;
}
