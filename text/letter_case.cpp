// Folding letter case for Find: the table of upper cases, and the Latin, Greek and Cyrillic one for where the platform's is not at hand.
#include "text/letter_case.h"

#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/utf8_text.h"

// Sixteen bytes at a time where the processor can, else eight: a byte is a
// lower-case letter when it is at least 'a' and not above 'z', and then loses
// its 0x20 bit. In eight bytes, the top bit of (b + 0x80 - 'a') in each byte
// below 0x80 tells b >= 'a' and that of (b + 0x80 - 'z' - 1) tells b > 'z';
// no byte carries into the next.
void foldPlainCase(char* text, size_t length)
{
    size_t i = 0;
#ifdef __SSE2__
    // Signed compares: bytes from 0x80 up are negative, so never letters.
    const __m128i beforeA = _mm_set1_epi8('a' - 1);
    const __m128i afterZ = _mm_set1_epi8('z' + 1);
    const __m128i caseBit = _mm_set1_epi8(0x20);
    for (; i + 16 <= length; i += 16) {
        __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(x, beforeA), _mm_cmplt_epi8(x, afterZ));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(text + i), _mm_xor_si128(x, _mm_and_si128(lower, caseBit)));
    }
#endif
    constexpr uint64_t ones = 0x0101010101010101u;
    for (; i + 8 <= length; i += 8) {
        uint64_t x;
        std::memcpy(&x, text + i, 8);
        uint64_t low = x & (0x7f * ones);
        uint64_t lower = (low + (0x80 - 'a') * ones) & ~(low + (0x80 - 'z' - 1) * ones) & ~x & (0x80 * ones);
        x ^= lower >> 2;
        std::memcpy(text + i, &x, 8);
    }
    for (; i < length; ++i)
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = char(text[i] - 'a' + 'A');
}

namespace {

char32_t upperCaseFromTable(const CaseTable& upper, char32_t c)
{
    if (c >= upper.size()) return c;
    return c < 0x10000 ? upper[c] : 0x10000 | upper[c];
}

char32_t upperCaseOf(char32_t c)
{
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if (c < 0x100) {  // Latin-1
        if (c >= 0xe0 && c <= 0xfe && c != 0xf7) return c - 0x20;
        return c == 0xff ? 0x178 : c;
    }
    if (c < 0x180) {  // Latin Extended-A: Polish, Czech, Hungarian, Turkish...
        if (c == 0x131) return 'I';
        if (c == 0x17f) return 'S';
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x178) return c;
        bool upperIsOdd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17e);
        return c % 2 == (upperIsOdd ? 0u : 1u) ? c - 1 : c;
    }
    if (c >= 0x3ac && c <= 0x3ce) {  // Greek
        if (c == 0x3ac) return 0x386;
        if (c <= 0x3af) return c - 0x25;
        if (c == 0x3c2) return 0x3a3;  // final sigma
        if (c >= 0x3b1 && c <= 0x3cb) return c - 0x20;
        if (c == 0x3cc) return 0x38c;
        if (c >= 0x3cd) return c - 0x3f;
        return c;
    }
    if (c >= 0x430 && c <= 0x52f) {  // Cyrillic
        if (c < 0x450) return c - 0x20;
        if (c < 0x460) return c - 0x50;
        if (c == 0x4cf) return 0x4c0;
        bool paired = c <= 0x481 || c >= 0x48a;
        bool upperIsOdd = c >= 0x4c1 && c <= 0x4ce;
        if (paired) return c % 2 == (upperIsOdd ? 0u : 1u) ? c - 1 : c;
    }
    if ((c >= 0x10428 && c <= 0x1044f) || (c >= 0x104d8 && c <= 0x104fb)) return c - 0x28;  // Deseret, Osage
    if (c >= 0x1e922 && c <= 0x1e943) return c - 0x22;                                      // Adlam
    switch (c) {  // Latin letters whose upper case takes another number of bytes
    case 0x250: return 0x2c6f;
    case 0x251: return 0x2c6d;
    case 0x26b: return 0x2c62;
    case 0x2c65: return 0x23a;
    case 0x2c66: return 0x23e;
    default: return c;
    }
}

// From pos on, a character at a time.
void foldEachCharacter(std::string_view text, size_t pos, std::string& folded, const CaseTable& upper)
{
    while (pos < text.size()) {
        size_t start = pos;
        char32_t c = nextCharacter(text, pos);
        if (pos - start == 1 && c >= 0x80)
            folded += text[start];  // a stray byte
        else
            appendUtf8(folded, upperCaseFromTable(upper, c));
    }
}

// The character that may begin at i, folded where it stands; false when its
// upper case takes another number of bytes. A stray byte stays as it is, so
// that every character can be told by its first byte alone.
inline bool foldInPlace(std::string_view text, unsigned char* to, size_t i, const CaseTable& upper)
{
    const auto* from = reinterpret_cast<const unsigned char*>(text.data()) + i;
    switch (wellFormedLength(from, text.size() - i)) {
    case 2: {
        char32_t u = upper[(from[0] & 0x1f) << 6 | (from[1] & 0x3f)];
        if (u < 0x80 || u >= 0x800) return false;
        to[i] = (unsigned char)(0xc0 | u >> 6);
        to[i + 1] = (unsigned char)(0x80 | (u & 0x3f));
        return true;
    }
    case 3: {
        char32_t u = upper[(from[0] & 0x0f) << 12 | (from[1] & 0x3f) << 6 | (from[2] & 0x3f)];
        if (u < 0x800) return false;
        to[i] = (unsigned char)(0xe0 | u >> 12);
        to[i + 1] = (unsigned char)(0x80 | (u >> 6 & 0x3f));
        to[i + 2] = (unsigned char)(0x80 | (u & 0x3f));
        return true;
    }
    case 4: {  // an upper case in the same plane keeps the first byte
        char32_t u = upperCaseFromTable(upper, char32_t(from[0] & 0x07) << 18 | (from[1] & 0x3f) << 12 |
                                                   (from[2] & 0x3f) << 6 | (from[3] & 0x3f));
        to[i + 1] = (unsigned char)(0x80 | (u >> 12 & 0x3f));
        to[i + 2] = (unsigned char)(0x80 | (u >> 6 & 0x3f));
        to[i + 3] = (unsigned char)(0x80 | (u & 0x3f));
        return true;
    }
    default: return true;  // a stray byte
    }
}

CaseTable portableCaseTable()
{
    CaseTable upper(caseTableSize);
    for (char32_t c = 0; c < upper.size(); ++c) upper[c] = char16_t(upperCaseOf(c));
    return upper;
}

}  // namespace

// Ten years of days are folded when Find first reads them. Nearly every
// letter keeps its length when folded, so the text is copied whole, its ASCII
// folded sixteen bytes at a time and its other letters in place, found by
// their first bytes sixty-four bytes at a time: a character at a time costs
// a mispredicted branch at every change of script. Only from a letter whose
// upper case is shorter or longer on is the rest built a character at a time.
void foldWithCaseTable(std::string_view text, std::string& folded, const CaseTable& upper)
{
    const size_t at = folded.size();
    folded += text;
    foldPlainCase(folded.data() + at, text.size());
    size_t pos = asciiRunEnd(text, 0);
    if (pos == text.size()) return;
    auto refoldFrom = [&](size_t start) {
        folded.resize(at + start);
        foldEachCharacter(text, start, folded, upper);
    };
    const auto* from = reinterpret_cast<const unsigned char*>(text.data());
    auto* to = reinterpret_cast<unsigned char*>(folded.data() + at);
#ifdef __SSE2__
    // First bytes of characters that are not ASCII: C0 to FF, signed above BF.
    auto firstBytesIn = [&](size_t i) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        return uint64_t(unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(char(0xbf))), block))));
    };
    for (; pos + 64 <= text.size(); pos += 64) {
        uint64_t firsts = firstBytesIn(pos) | firstBytesIn(pos + 16) << 16 | firstBytesIn(pos + 32) << 32 |
                          firstBytesIn(pos + 48) << 48;
        for (; firsts != 0; firsts &= firsts - 1) {
            size_t i = pos + size_t(std::countr_zero(firsts));
            if (!foldInPlace(text, to, i, upper)) return refoldFrom(i);
        }
    }
#endif
    for (; pos < text.size(); ++pos)
        if (from[pos] >= 0xc0 && !foldInPlace(text, to, pos, upper)) return refoldFrom(pos);
}

void foldLetterCase(std::string_view text, std::string& folded)
{
    static const CaseTable upper = portableCaseTable();
    foldWithCaseTable(text, folded, upper);
}
