// iCalendar's text rules: content lines folded at 75 octets, TEXT values escaped, and both undone when read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Appends a TEXT value with backslash, semicolon, comma and line breaks
// escaped. Other control characters, which a TEXT value may not hold, become
// spaces: a tab too, since some calendars show it as a box.
void appendEscapedText(std::string& out, std::string_view text);

// Appends one content line and its CRLF, folded so that no line is longer
// than 75 octets: a continuation begins with a space, and a fold never falls
// inside a UTF-8 character.
void appendFoldedLine(std::string& out, std::string_view line);

// The content lines of a file with their folds undone. A line may end in CRLF
// or a lone LF, as mail and calendar programs differ; empty lines are dropped.
std::vector<std::string> unfoldLines(std::string_view text);

struct IcalParameter {
    std::string name;   // upper case
    std::string value;  // without its quotes; several values stay joined by commas
};

struct ContentLine {
    std::string name;  // upper case
    std::vector<IcalParameter> parameters;
    std::string value;  // as written: TEXT values are still escaped
};

// Splits "DTSTART;TZID="W. Europe Standard Time":20261208T090000" into its
// parts; false when the line has no name or no colon after its parameters.
bool parseContentLine(std::string_view line, ContentLine& parsed);

// The value of a parameter, or empty when the line has none of that name.
std::string_view parameterValue(const ContentLine& line, std::string_view name);

// Undoes appendEscapedText: "\n" and "\N" are line breaks, "\\", "\;" and
// "\," the character itself; a backslash before anything else is kept.
std::string unescapeText(std::string_view value);
