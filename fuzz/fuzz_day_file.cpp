// Any text a line can hold must come back from its day file exactly as it was written, through the reader the program runs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "day/day_file.h"
#include "storage/ini_file.h"
#include "text/legacy_text.h"
#include "text/utf8_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The window gives the program UTF-8 texts only; other bytes are taken
    // as the old code page, as a file of them would be.
    std::string converted;
    bool legacy;
    std::string texts(fileText(std::string_view(reinterpret_cast<const char*>(data), size), converted, legacy));
    DayPage page;
    size_t at = 0;
    // Texts are taken whole characters at a time, as the window gives them.
    for (int i = 0; i < dayLineCount && at < texts.size(); ++i) {
        size_t wanted = nextCharacter(texts, at) % 64 * 4;
        size_t n = editorPrefixBytes(std::string_view(texts).substr(at), wanted);
        setLineText(page.lines[i], std::string_view(texts).substr(at, n));
        at += n;
        page.lines[i].done = i % 2;
        page.lines[i].mark = i % 3;
    }
    SystemTime date{2026, 12, 0, 6, 0, 0, 0, 0};
    TextBuilder file = composeDayFile(page, date);
    std::string_view text = fileText(std::string_view(file.data(), size_t(file.length())), converted, legacy);
    if (legacy) std::abort();  // the program's own files are UTF-8
    DayPage back;
    readDayPageFrom(parseIni(text), back);
    for (int i = 0; i < dayLineCount; ++i) {
        std::string expected = page.lines[i].text;
        for (char& c : expected)
            if (c == '\r' || c == '\n') c = ' ';
        bool written = page.lines[i].text[0] != '\0' || page.lines[i].done != 0;
        if (written && (expected != back.lines[i].text || back.lines[i].done != page.lines[i].done ||
                        back.lines[i].mark != page.lines[i].mark))
            std::abort();
    }
    return 0;
}
