// Text in the system's ANSI code page into the program's own code page.
#include "text/legacy_text.h"

#include <windows.h>

namespace {

// With UTF-8 declared in the manifest, CP_ACP is UTF-8 too. Earlier versions
// wrote in the code page CP_ACP was then, as Notepad's "ANSI" does: the
// default of the system locale ("Language for non-Unicode programs"), which
// may differ from the user's own formats.
UINT earlierAnsiCodePage()
{
    DWORD codePage = 0;
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)) == 0 ||
        codePage == 0)
        return 1252;
    return codePage;
}

}  // namespace

// On a Windows older than UTF-8 code pages the program runs in the user's code
// page, in which such a file is already written.
std::string legacyToProgramText(std::string_view bytes)
{
    UINT from = earlierAnsiCodePage();
    if (GetACP() != CP_UTF8 || from == CP_UTF8 || bytes.empty()) return std::string(bytes);
    int wideLength = MultiByteToWideChar(from, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(size_t(wideLength), L'\0');
    MultiByteToWideChar(from, 0, bytes.data(), int(bytes.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
    return text;
}
