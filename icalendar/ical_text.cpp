// iCalendar's text rules: folding, escaping, and content lines read back.
#include "icalendar/ical_text.h"

#include <algorithm>

namespace {

constexpr size_t maxLineOctets = 75;

bool isContinuationByte(unsigned char c)
{
    return (c & 0xc0) == 0x80;
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

std::string upperCase(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upper);
    return result;
}

}  // namespace

void appendEscapedText(std::string& out, std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case ';': out += "\\;"; break;
        case ',': out += "\\,"; break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
            break;
        case '\n': out += "\\n"; break;
        default: out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
        }
    }
}

void appendFoldedLine(std::string& out, std::string_view line)
{
    size_t room = maxLineOctets;
    while (line.size() > room) {
        size_t cut = room;
        // A fold before a continuation byte would split a character.
        while (cut > 0 && isContinuationByte(static_cast<unsigned char>(line[cut]))) --cut;
        if (cut == 0) cut = room;  // not UTF-8 at all: octets are all there is to count
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        room = maxLineOctets - 1;  // the leading space counts
    }
    out.append(line);
    out += "\r\n";
}

std::vector<std::string> unfoldLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty())
            lines.back().append(line.substr(1));
        else if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

bool parseContentLine(std::string_view line, ContentLine& parsed)
{
    parsed = {};
    size_t nameEnd = line.find_first_of(";:");
    if (nameEnd == 0 || nameEnd == std::string_view::npos) return false;
    parsed.name = upperCase(line.substr(0, nameEnd));
    size_t i = nameEnd;
    while (line[i] == ';') {
        size_t equals = line.find('=', i + 1);
        if (equals == std::string_view::npos) return false;
        IcalParameter parameter{upperCase(line.substr(i + 1, equals - i - 1)), {}};
        i = equals + 1;
        // A value is quoted when it holds a colon, semicolon or comma; its
        // quotes go, and several values stay joined by their commas.
        while (i < line.size() && line[i] != ';' && line[i] != ':') {
            if (line[i] == '"') {
                size_t close = line.find('"', i + 1);
                if (close == std::string_view::npos) return false;
                parameter.value.append(line.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                parameter.value += line[i++];
            }
        }
        if (i >= line.size()) return false;
        parsed.parameters.push_back(std::move(parameter));
    }
    parsed.value = std::string(line.substr(i + 1));
    return true;
}

std::string_view parameterValue(const ContentLine& line, std::string_view name)
{
    for (const IcalParameter& parameter : line.parameters)
        if (parameter.name == name) return parameter.value;
    return {};
}

std::string unescapeText(std::string_view value)
{
    std::string text;
    text.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            text += c;
            continue;
        }
        char next = value[++i];
        if (next == 'n' || next == 'N')
            text += '\n';
        else if (next == '\\' || next == ';' || next == ',')
            text += next;
        else
            text += '\\', text += next;
    }
    return text;
}
