// Texts inside the program are UTF-8; limits are counted in characters as the line editor counts them.
#pragma once

#include <bit>
#include <cstddef>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The line editor counts UTF-16 units: one for most characters, two for one
// beyond U+FFFF (an emoji). A unit takes at most three bytes in UTF-8, so a
// buffer of this size holds any text of that many characters and its terminator.
constexpr int utf8BufferSize(int characters)
{
    return 3 * characters + 1;
}

// The characters a buffer sized by utf8BufferSize holds.
constexpr size_t charactersOfBuffer(size_t bytes)
{
    return bytes == 0 ? 0 : (bytes - 1) / 3;
}

// Well-formed UTF-8: no overlong form, no surrogate, nothing above U+10FFFF,
// no sequence cut short or left without its lead byte.
// Sixteen bytes at a time where the processor can, else as isValidUtf8ByCharacter.
bool isValidUtf8(std::string_view bytes);
bool isValidUtf8ByCharacter(std::string_view bytes);

// The length of the well-formed sequence that begins at p, of the `left`
// bytes there: 1 to 4, or 0 when it is not well formed.
inline size_t wellFormedLength(const unsigned char* p, size_t left)
{
    unsigned char c = p[0];
    auto continues = [&](size_t n) {
        for (size_t i = 1; i < n; ++i)
            if ((p[i] & 0xc0) != 0x80) return false;
        return true;
    };
    if (c < 0x80) return 1;
    if (c < 0xc2) return 0;  // a continuation byte, or an overlong two-byte form
    if (c < 0xe0) return left >= 2 && continues(2) ? 2 : 0;
    if (c < 0xf0) {
        if (left < 3 || !continues(3)) return 0;
        if ((c == 0xe0 && p[1] < 0xa0) || (c == 0xed && p[1] > 0x9f)) return 0;  // overlong, or a surrogate
        return 3;
    }
    if (c < 0xf5) {
        if (left < 4 || !continues(4)) return 0;
        if ((c == 0xf0 && p[1] < 0x90) || (c == 0xf4 && p[1] > 0x8f)) return 0;  // overlong, or beyond U+10FFFF
        return 4;
    }
    return 0;
}

// The end of the run of ASCII bytes that begins at pos. Inline: among other
// scripts it runs once for every character that is not ASCII.
// Most texts are ASCII: sixty-four bytes at a time, then sixteen, while no
// byte has its top bit. Among other scripts the runs are short, and the first
// sixteen bytes tell where most of them end.
inline size_t asciiRunEnd(std::string_view text, size_t pos)
{
#ifdef __SSE2__
    auto load = [&](size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at)); };
    if (pos + 16 <= text.size()) {
        if (unsigned high = unsigned(_mm_movemask_epi8(load(pos)))) return pos + size_t(std::countr_zero(high));
        pos += 16;
    }
    for (; pos + 64 <= text.size(); pos += 64) {
        __m128i any = _mm_or_si128(_mm_or_si128(load(pos), load(pos + 16)), _mm_or_si128(load(pos + 32), load(pos + 48)));
        if (_mm_movemask_epi8(any) != 0) break;
    }
    for (; pos + 16 <= text.size(); pos += 16)
        if (unsigned high = unsigned(_mm_movemask_epi8(load(pos)))) return pos + size_t(std::countr_zero(high));
#endif
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
    return pos;
}

// The character that begins at pos, and pos moved past it. A byte that begins
// no well-formed sequence stands for itself (as U+FFFD) and takes one byte.
char32_t nextCharacter(std::string_view text, size_t& pos);

void appendUtf8(std::string& text, char32_t character);

// The length of a text as the line editor counts it.
size_t editorLength(std::string_view text);

// The same for a text known to be well formed, counted sixteen bytes at a
// time: every character has one byte that does not continue another, and one
// beyond U+FFFF (a four-byte lead) counts twice.
size_t wellFormedEditorLength(std::string_view text);

// How many bytes of the text's start hold at most `characters` editor
// characters without ending inside one.
size_t editorPrefixBytes(std::string_view text, size_t characters);

// Positions in the editor (UTF-16 units) and in the UTF-8 text, either way.
// A byte offset inside a character counts as that character's start.
size_t editorPosition(std::string_view text, size_t byteOffset);
size_t byteOffsetOfPosition(std::string_view text, size_t position);

// Copies what a field of `width` bytes holds: at most charactersOfBuffer(width)
// whole characters, terminated.
void copyCutText(std::string_view text, char* buffer, size_t width);
