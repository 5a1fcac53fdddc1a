// Files written before Quillory kept its texts in UTF-8: telling them apart and reading them right.
#pragma once

#include <string>
#include <string_view>

// A file's bytes as the program's text. A leading byte-order mark is dropped.
// A file that begins with a UTF-16 one (Notepad's "Unicode") is converted
// from UTF-16. Otherwise a line that is not well-formed UTF-8 was written in
// the code page Quillory used before (by an earlier version, or an editor):
// it is converted, each line on its own. Converted text goes into
// `converted`, and legacy tells that the file's bytes are not its text.
std::string_view fileText(std::string_view bytes, std::string& converted, bool& legacy);

// Converts text in the system's ANSI code page (the default of the system
// locale, 1252 on a Western-European Windows) into the program's text. One
// implementation per platform; the portable one knows code page 1252.
std::string legacyToProgramText(std::string_view bytes);
