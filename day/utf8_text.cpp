// UTF-8 rules: well-formed sequences, and characters counted as the line editor counts them.
#include "day/utf8_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr char32_t replacement = 0xfffd;

}  // namespace

// Most texts are ASCII: sixteen bytes at a time while no byte has its top bit.
size_t asciiRunEnd(std::string_view text, size_t pos)
{
#ifdef __SSE2__
    for (; pos + 16 <= text.size(); pos += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
        if (unsigned high = unsigned(_mm_movemask_epi8(block))) return pos + size_t(std::countr_zero(high));
    }
#endif
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
}

bool isValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (p[pos] < 0x80) {
            pos = asciiRunEnd(bytes, pos);
            continue;
        }
        size_t length = wellFormedLength(p + pos, bytes.size() - pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

char32_t nextCharacter(std::string_view text, size_t& pos)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    switch (wellFormedLength(p, text.size() - pos)) {
    case 1: pos += 1; return p[0];
    case 2: pos += 2; return char32_t(p[0] & 0x1f) << 6 | (p[1] & 0x3f);
    case 3: pos += 3; return char32_t(p[0] & 0x0f) << 12 | char32_t(p[1] & 0x3f) << 6 | (p[2] & 0x3f);
    case 4:
        pos += 4;
        return char32_t(p[0] & 0x07) << 18 | char32_t(p[1] & 0x3f) << 12 | char32_t(p[2] & 0x3f) << 6 | (p[3] & 0x3f);
    default: pos += 1; return replacement;
    }
}

void appendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += char(c);
    } else if (c < 0x800) {
        text += char(0xc0 | c >> 6);
        text += char(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        text += char(0xe0 | c >> 12);
        text += char(0x80 | (c >> 6 & 0x3f));
        text += char(0x80 | (c & 0x3f));
    } else {
        text += char(0xf0 | c >> 18);
        text += char(0x80 | (c >> 12 & 0x3f));
        text += char(0x80 | (c >> 6 & 0x3f));
        text += char(0x80 | (c & 0x3f));
    }
}

namespace {

// Walks the text until `units` editor characters or `bytes` bytes are passed,
// whichever comes first, never stopping inside a character.
struct Walked {
    size_t bytes = 0;
    size_t units = 0;
};

Walked walk(std::string_view text, size_t unitLimit, size_t byteLimit)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    Walked at;
    while (at.bytes < text.size()) {
        size_t length = wellFormedLength(p + at.bytes, text.size() - at.bytes);
        size_t units = length == 4 ? 2 : 1;  // beyond U+FFFF, a surrogate pair
        size_t next = at.bytes + (length == 0 ? 1 : length);
        if (at.units + units > unitLimit || next > byteLimit) break;
        at.units += units;
        at.bytes = next;
    }
    return at;
}

}  // namespace

size_t editorLength(std::string_view text)
{
    size_t ascii = asciiRunEnd(text, 0);
    return ascii + walk(text.substr(ascii), SIZE_MAX, SIZE_MAX).units;
}

size_t editorPrefixBytes(std::string_view text, size_t characters)
{
    if (text.size() <= characters) return text.size();  // no character counts more than its bytes
    size_t ascii = std::min(asciiRunEnd(text, 0), characters);
    return ascii + walk(text.substr(ascii), characters - ascii, SIZE_MAX).bytes;
}

size_t editorPosition(std::string_view text, size_t byteOffset)
{
    return walk(text, SIZE_MAX, byteOffset).units;
}

size_t byteOffsetOfPosition(std::string_view text, size_t position)
{
    return walk(text, position, SIZE_MAX).bytes;
}

void copyCutText(std::string_view text, char* buffer, size_t width)
{
    if (width == 0) return;
    text = text.substr(0, text.find('\0'));
    size_t n = editorPrefixBytes(text, charactersOfBuffer(width));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}
