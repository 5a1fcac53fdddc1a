// Any text a line can hold must come back from its day file exactly as it was written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "day/day_file.h"
#include "day/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DayPage page;
    size_t at = 0;
    for (int i = 0; i < dayLineCount && at < size; ++i) {
        size_t n = std::min<size_t>(data[at++] % 64, size - at);
        std::string text(reinterpret_cast<const char*>(data + at), n);
        at += n;
        setLineText(page.lines[i], text.c_str());
        page.lines[i].done = i % 2;
        page.lines[i].mark = i % 3;
    }
    SystemTime date{2026, 12, 0, 6, 0, 0, 0, 0};
    TextBuilder file = composeDayFile(page, date);
    IniFile ini = parseIni(std::string_view(file.data(), size_t(file.length())));
    const char* sections[] = {"SCHEDULE", "TODO", "NOTE"};
    const int firstLines[] = {0, firstTodoLine, firstNoteLine, dayLineCount};
    for (int s = 0; s < 3; ++s) {
        for (int i = firstLines[s]; i < firstLines[s + 1]; ++i) {
            DayLine back;
            readDayLine(ini, sections[s], i - firstLines[s], back);
            std::string expected = page.lines[i].text;
            for (char& c : expected)
                if (c == '\r' || c == '\n') c = ' ';
            bool written = page.lines[i].text[0] != '\0' || page.lines[i].done != 0;
            if (written && (expected != back.text || back.done != page.lines[i].done ||
                            back.mark != page.lines[i].mark))
                std::abort();
        }
    }
    return 0;
}
