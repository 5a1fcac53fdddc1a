// Letter case of the Latin, Greek and Cyrillic alphabets, for finding text where the platform's rules are not at hand.
#include "day/day_search.h"
#include "day/utf8_text.h"

namespace {

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
    return c;
}

// Every letter these rules know lies below U+0800, where a character takes
// at most two bytes; their upper cases, looked up rather than worked out.
const char16_t* upperCases()
{
    static const auto table = [] {
        static char16_t upper[0x800];
        for (char32_t c = 0; c < 0x800; ++c) upper[c] = char16_t(upperCaseOf(c));
        return upper;
    }();
    return table;
}

}  // namespace

// Ten years of days are folded when Find first reads them. Nearly every
// letter keeps its length when folded, so the text is copied whole, its ASCII
// folded sixteen bytes at a time and its other letters in place; only from a
// letter whose folded form is shorter or longer (or a stray byte) on is it
// built a character at a time.
void foldLetterCase(std::string_view text, std::string& folded)
{
    const char16_t* upper = upperCases();
    const size_t at = folded.size();
    folded += text;
    foldPlainCase(folded.data() + at, text.size());
    const std::string_view copy(folded.data() + at, text.size());
    auto* p = reinterpret_cast<unsigned char*>(folded.data() + at);
    size_t pos = asciiRunEnd(copy, 0);
    while (pos < text.size()) {
        size_t length = wellFormedLength(p + pos, text.size() - pos);
        if (length == 2) {
            char16_t u = upper[(p[pos] & 0x1f) << 6 | (p[pos + 1] & 0x3f)];
            if (u < 0x80) break;
            p[pos] = char(0xc0 | u >> 6);
            p[pos + 1] = char(0x80 | (u & 0x3f));
        } else if (length < 3) {
            break;
        }
        pos = asciiRunEnd(copy, pos + length);
    }
    if (pos == text.size()) return;
    folded.resize(at + pos);
    for (; pos < text.size();) appendUtf8(folded, upperCaseOf(nextCharacter(text, pos)));
}
