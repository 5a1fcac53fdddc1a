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

size_t wellFormedEditorLength(std::string_view text)
{
    size_t units = 0, pos = 0;
#ifdef __SSE2__
    // Signed, continuation bytes are -128..-65 and four-byte leads -16..-12.
    // Each byte's lane counts its blocks' units, at most two a block, so a
    // run of 127 blocks is summed before a lane could overflow.
    const __m128i lastContinuation = _mm_set1_epi8(-65), beforeFourByteLead = _mm_set1_epi8(-17);
    while (pos + 16 <= text.size()) {
        __m128i counts = _mm_setzero_si128();
        for (int blocks = 0; blocks < 127 && pos + 16 <= text.size(); ++blocks, pos += 16) {
            __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + pos));
            __m128i fourByteLead =
                _mm_and_si128(_mm_cmpgt_epi8(block, beforeFourByteLead), _mm_cmplt_epi8(block, _mm_setzero_si128()));
            counts = _mm_sub_epi8(counts, _mm_cmpgt_epi8(block, lastContinuation));
            counts = _mm_sub_epi8(counts, fourByteLead);
        }
        __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
        units += size_t(_mm_cvtsi128_si32(sums)) + size_t(_mm_extract_epi16(sums, 4));
    }
#endif
    for (; pos < text.size(); ++pos) {
        auto c = static_cast<signed char>(text[pos]);
        units += size_t(c > -65) + size_t(c > -17 && c < 0);
    }
    return units;
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
