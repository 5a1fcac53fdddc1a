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

}  // namespace

void foldLetterCase(std::string_view text, std::string& folded)
{
    size_t pos = 0;
    while (pos < text.size()) {
        size_t ascii = asciiRunEnd(text, pos);
        size_t at = folded.size();
        folded.append(text, pos, ascii - pos);
        foldPlainCase(folded.data() + at, ascii - pos);
        for (pos = ascii; pos < text.size() && static_cast<unsigned char>(text[pos]) >= 0x80;)
            appendUtf8(folded, upperCaseOf(nextCharacter(text, pos)));
    }
}
