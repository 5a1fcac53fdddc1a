// The per-file choice between UTF-8 and the code page of earlier versions.
#include "day/legacy_text.h"

#include "day/utf8_text.h"

std::string_view fileText(std::string_view bytes, std::string& converted, bool& legacy)
{
    if (bytes.substr(0, 3) == "\xef\xbb\xbf") bytes.remove_prefix(3);
    legacy = !isValidUtf8(bytes);
    if (!legacy) return bytes;
    converted = legacyToProgramText(bytes);
    return converted;
}
