// UTF-8 rules: well-formed sequences, and characters counted as the line editor counts them.
#include "text/utf8_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define UTF8_BLOCK_CHECK
#include <tmmintrin.h>
#endif

namespace {

constexpr char32_t replacement = 0xfffd;

}  // namespace

bool isValidUtf8ByCharacter(std::string_view bytes)
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

#ifdef UTF8_BLOCK_CHECK
namespace {

// Every day file is checked when Find reads ten years of them, and among
// other scripts a character at a time costs a mispredicted branch or two per
// character. This looks at sixteen bytes at once without a branch: each byte
// and the one before it are classified by three table lookups (the high and
// low half of the first, the high half of the second) whose flags meet only
// where the pair is wrong; a byte two or three after a three- or four-byte
// lead must continue it, and the flag for two continuations in a row is
// checked against that.
__attribute__((target("ssse3"))) inline void checkBlock(__m128i block, __m128i& previous, __m128i& errors)
{
    constexpr char tooShort = 1 << 0;      // a lead not followed by a continuation
    constexpr char tooLong = 1 << 1;       // ASCII followed by a continuation
    constexpr char overlong3 = 1 << 2;     // E0 80..9F
    constexpr char tooLarge = 1 << 3;      // F4 90..BF, F5..FF
    constexpr char surrogate = 1 << 4;     // ED A0..BF
    constexpr char overlong2 = 1 << 5;     // C0, C1
    constexpr char overlong4 = 1 << 6;     // F0 80..8F, and with tooLarge F5..FF 80..8F
    constexpr char twoContinuations = char(1 << 7);
    constexpr char carry = tooShort | tooLong | twoContinuations;
    constexpr char large = tooLarge | overlong4;
    constexpr char continuation = tooLong | overlong2 | twoContinuations;
    const __m128i firstHigh = _mm_setr_epi8(
        tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong,
        twoContinuations, twoContinuations, twoContinuations, twoContinuations,
        tooShort | overlong2, tooShort, tooShort | overlong3 | surrogate, tooShort | tooLarge | overlong4);
    const __m128i firstLow = _mm_setr_epi8(
        carry | overlong3 | overlong2 | overlong4, carry | overlong2, carry, carry,
        carry | tooLarge, carry | large, carry | large, carry | large,
        carry | large, carry | large, carry | large, carry | large,
        carry | large, carry | large | surrogate, carry | large, carry | large);
    const __m128i secondHigh = _mm_setr_epi8(
        tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort,
        continuation | overlong3 | overlong4, continuation | overlong3 | tooLarge,
        continuation | surrogate | tooLarge, continuation | surrogate | tooLarge,
        tooShort, tooShort, tooShort, tooShort);
    const __m128i nibble = _mm_set1_epi8(0x0f);
    __m128i before1 = _mm_alignr_epi8(block, previous, 15);
    __m128i flags = _mm_and_si128(
        _mm_and_si128(_mm_shuffle_epi8(firstHigh, _mm_and_si128(_mm_srli_epi16(before1, 4), nibble)),
                      _mm_shuffle_epi8(firstLow, _mm_and_si128(before1, nibble))),
        _mm_shuffle_epi8(secondHigh, _mm_and_si128(_mm_srli_epi16(block, 4), nibble)));
    __m128i third = _mm_subs_epu8(_mm_alignr_epi8(block, previous, 14), _mm_set1_epi8(char(0xe0 - 0x80)));
    __m128i fourth = _mm_subs_epu8(_mm_alignr_epi8(block, previous, 13), _mm_set1_epi8(char(0xf0 - 0x80)));
    __m128i mustContinue = _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(char(0x80)));
    errors = _mm_or_si128(errors, _mm_xor_si128(mustContinue, flags));
    previous = block;
}

__attribute__((target("ssse3"))) bool isValidUtf8ByBlock(std::string_view bytes)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i previous = zero;
    __m128i errors = zero;
    const auto* p = reinterpret_cast<const __m128i*>(bytes.data());
    size_t pos = 0;
    for (; pos + 16 <= bytes.size(); pos += 16) {
        __m128i block = _mm_loadu_si128(p + pos / 16);
        // ASCII after ASCII is always right; most files are nearly all ASCII.
        if (_mm_movemask_epi8(_mm_or_si128(block, previous)) == 0) {
            if (pos + 64 <= bytes.size()) {
                __m128i next = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(p + pos / 16 + 1), _mm_loadu_si128(p + pos / 16 + 2)),
                                            _mm_loadu_si128(p + pos / 16 + 3));
                if (_mm_movemask_epi8(next) == 0) pos += 48;
            }
            continue;
        }
        checkBlock(block, previous, errors);
    }
    // The rest, padded with NULs: a sequence cut at the end meets ASCII.
    alignas(16) char rest[16] = {};
    if (pos < bytes.size()) std::memcpy(rest, bytes.data() + pos, bytes.size() - pos);
    checkBlock(_mm_load_si128(reinterpret_cast<const __m128i*>(rest)), previous, errors);
    return _mm_movemask_epi8(_mm_cmpeq_epi8(errors, zero)) == 0xffff;
}

}  // namespace
#endif

bool isValidUtf8(std::string_view bytes)
{
#ifdef UTF8_BLOCK_CHECK
    static const bool hasSsse3 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    if (hasSsse3) return isValidUtf8ByBlock(bytes);
#endif
    return isValidUtf8ByCharacter(bytes);
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
