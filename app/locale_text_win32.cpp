// The user's locale rules on the program's texts, through their UTF-16 form.
#include "app/locale_text_win32.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "text/letter_case.h"
#include "text/utf8_text.h"

std::wstring toWide(std::string_view text)
{
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view wide)
{
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

void readControlText(HWND control, char* text, size_t width)
{
    std::wstring typed(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    typed.resize(size_t(GetWindowTextW(control, typed.data(), int(typed.size()))));
    std::wstring whole;
    for (size_t i = 0; i < typed.size(); ++i) {
        if (IS_HIGH_SURROGATE(typed[i]) && i + 1 < typed.size() && IS_LOW_SURROGATE(typed[i + 1]))
            whole += typed[i++];
        else if (typed[i] >= 0xd800 && typed[i] <= 0xdfff)
            continue;  // half a character
        whole += typed[i];
    }
    copyCutText(fromWide(whole), text, width);
}

// The -A comparison would convert with the locale's own code page, not the program's.
int collateAsTheUserDoes(const char* a, const char* b)
{
    std::wstring x = toWide(a), y = toWide(b);
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, x.c_str(), int(x.size()), y.c_str(), int(y.size()), nullptr,
                           nullptr, 0) - CSTR_EQUAL;
}

// The platform's upper cases, asked once for every character up to U+1FFFF:
// without linguistic casing it maps each character on its own, so a table
// gives what a call for each text would, and ten years of days are folded
// without converting each to UTF-16 and back.
namespace {

bool upperCasesOf(std::wstring& units)
{
    return LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, units.data(), int(units.size()), units.data(),
                         int(units.size()), nullptr, nullptr, 0) == int(units.size());
}

const CaseTable& userCaseTable()
{
    static const CaseTable upper = [] {
        CaseTable table(caseTableSize);
        for (size_t c = 0; c < table.size(); ++c) table[c] = char16_t(c);
        // Surrogates are halves of the characters beyond U+FFFF, asked as pairs.
        for (auto [first, end] : {std::pair<size_t, size_t>{1, 0xd800}, {0xe000, 0x10000}}) {
            std::wstring units(table.begin() + ptrdiff_t(first), table.begin() + ptrdiff_t(end));
            if (upperCasesOf(units)) std::copy(units.begin(), units.end(), table.begin() + ptrdiff_t(first));
        }
        std::wstring pairs;
        for (size_t c = 0x10000; c < table.size(); ++c) pairs += {wchar_t(0xd7c0 + (c >> 10)), wchar_t(0xdc00 + (c & 0x3ff))};
        if (upperCasesOf(pairs))
            for (size_t c = 0x10000, i = 0; c < table.size(); ++c, i += 2) {
                char32_t u = 0x10000 + (char32_t(pairs[i] - 0xd800) << 10) + char32_t(pairs[i + 1] - 0xdc00);
                if (IS_HIGH_SURROGATE(pairs[i]) && IS_LOW_SURROGATE(pairs[i + 1]) && u < table.size())
                    table[c] = char16_t(u);  // the plane is implied
            }
        return table;
    }();
    return upper;
}

}  // namespace

// Texts in another code page than UTF-8 (on a Windows without it) are
// folded through UTF-16, unless they are ASCII, as most of a day's text is.
void foldAsTheUserDoes(std::string_view text, std::string& folded)
{
    if (GetACP() == CP_UTF8 || asciiRunEnd(text, 0) == text.size())
        return foldWithCaseTable(text, folded, userCaseTable());
    std::wstring wide = toWide(text);
    upperCasesOf(wide);
    folded += fromWide(wide);
}
