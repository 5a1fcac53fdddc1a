// Code page 1252 into UTF-8, for the native build: the code page of a Western-European Windows.
#include "text/legacy_text.h"

#include "text/utf8_text.h"

namespace {

// 0x80 to 0x9F; the five bytes 1252 leaves unassigned stay as the control
// characters of the same value, as Windows converts them.
constexpr char16_t windows1252High[32] = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008d, 0x017d, 0x008f, 0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178,
};

}  // namespace

std::string legacyToProgramText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 2);
    for (char b : bytes) {
        unsigned char c = static_cast<unsigned char>(b);
        appendUtf8(text, c >= 0x80 && c < 0xa0 ? char32_t(windows1252High[c - 0x80]) : char32_t(c));
    }
    return text;
}
