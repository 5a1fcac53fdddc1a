// The user's locale rules on the program's texts, through their UTF-16 form.
#include "day/locale_text_win32.h"

#include <windows.h>

#include "day/day_search.h"
#include "day/utf8_text.h"

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

// The -A comparison would convert with the locale's own code page, not the program's.
int collateAsTheUserDoes(const char* a, const char* b)
{
    std::wstring x = toWide(a), y = toWide(b);
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, x.c_str(), int(x.size()), y.c_str(), int(y.size()), nullptr,
                           nullptr, 0) - CSTR_EQUAL;
}

// ASCII, most of a day's text, needs no call to the platform.
void foldAsTheUserDoes(std::string_view text, std::string& folded)
{
    if (asciiRunEnd(text, 0) == text.size()) {
        size_t at = folded.size();
        folded += text;
        foldPlainCase(folded.data() + at, text.size());
        return;
    }
    std::wstring wide = toWide(text);
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(), int(wide.size()), wide.data(),
                  int(wide.size()), nullptr, nullptr, 0);
    folded += fromWide(wide);
}
