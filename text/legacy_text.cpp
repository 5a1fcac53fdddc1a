// The per-file choice between UTF-8 and the code page of earlier versions.
#include "text/legacy_text.h"

#include <algorithm>

#include "text/utf8_text.h"

namespace {

void appendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += char(c);
    } else if (c < 0x800) {
        text += char(0xc0 | c >> 6), text += char(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        text += char(0xe0 | c >> 12), text += char(0x80 | (c >> 6 & 0x3f)), text += char(0x80 | (c & 0x3f));
    } else {
        text += char(0xf0 | c >> 18), text += char(0x80 | (c >> 12 & 0x3f));
        text += char(0x80 | (c >> 6 & 0x3f)), text += char(0x80 | (c & 0x3f));
    }
}

// Notepad's "Unicode" and "Unicode big endian"; half a pair becomes U+FFFD.
std::string utf16Text(std::string_view bytes, bool bigEndian)
{
    std::string text;
    auto unit = [&](size_t i) -> char32_t {
        unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xd800 && c < 0xdc00 && i + 3 < bytes.size() && unit(i + 2) >= 0xdc00 && unit(i + 2) < 0xe000) {
            c = 0x10000 + ((c - 0xd800) << 10) + (unit(i + 2) - 0xdc00);
            i += 2;
        } else if (c >= 0xd800 && c < 0xe000) {
            c = 0xfffd;
        }
        appendUtf8(text, c);
    }
    return text;
}

}  // namespace

std::string_view fileText(std::string_view bytes, std::string& converted, bool& legacy)
{
    bool littleEndian = bytes.substr(0, 2) == "\xff\xfe", bigEndian = bytes.substr(0, 2) == "\xfe\xff";
    legacy = littleEndian || bigEndian;
    if (legacy) return converted = utf16Text(bytes, bigEndian);
    if (bytes.substr(0, 3) == "\xef\xbb\xbf") bytes.remove_prefix(3);
    legacy = !isValidUtf8(bytes);
    if (!legacy) return bytes;
    // Line by line: a value typed in another editor in the old code page
    // leaves every value in UTF-8 as it is.
    converted.clear();
    for (size_t start = 0, end; start < bytes.size(); start = end) {
        end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
        std::string_view line = bytes.substr(start, end - start);
        if (isValidUtf8(line))
            converted.append(line);
        else
            converted += legacyToProgramText(line);
    }
    return converted;
}
