// UTF-8 rules: well-formed sequences, and characters counted as the line editor counts them.
#include "day/utf8_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr char32_t replacement = 0xfffd;

bool isContinuation(unsigned char c)
{
    return (c & 0xc0) == 0x80;
}

// The sequence that begins at pos: its length, or 0 when it is not well formed.
size_t sequenceLength(std::string_view text, size_t pos, char32_t& character)
{
    unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    size_t length;
    char32_t value;
    char32_t smallest;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2, value = lead & 0x1f, smallest = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3, value = lead & 0x0f, smallest = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - pos < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(c)) return 0;
        value = value << 6 | (c & 0x3f);
    }
    if (value < smallest || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff)) return 0;
    character = value;
    return length;
}

}  // namespace

// Most texts are ASCII: sixteen bytes at a time while no byte has its top bit.
size_t asciiRunEnd(std::string_view text, size_t pos)
{
#ifdef __SSE2__
    for (; pos + 16 <= text.size(); pos += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
        if (_mm_movemask_epi8(block) != 0) break;
    }
#endif
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
}

bool isValidUtf8(std::string_view bytes)
{
    size_t pos = 0;
    for (;;) {
        pos = asciiRunEnd(bytes, pos);
        if (pos == bytes.size()) return true;
        char32_t character;
        size_t length = sequenceLength(bytes, pos, character);
        if (length == 0) return false;
        pos += length;
    }
}

char32_t nextCharacter(std::string_view text, size_t& pos)
{
    char32_t character;
    size_t length = sequenceLength(text, pos, character);
    if (length == 0) {
        ++pos;
        return replacement;
    }
    pos += length;
    return character;
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

size_t unitsOf(char32_t character)
{
    return character > 0xffff ? 2 : 1;
}

// Walks the text until `units` editor characters or `bytes` bytes are passed,
// whichever comes first, never stopping inside a character.
struct Walked {
    size_t bytes = 0;
    size_t units = 0;
};

Walked walk(std::string_view text, size_t unitLimit, size_t byteLimit)
{
    Walked at;
    while (at.bytes < text.size()) {
        size_t next = at.bytes;
        size_t units = unitsOf(nextCharacter(text, next));
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
