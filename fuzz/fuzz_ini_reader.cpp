// Feeds arbitrary bytes to the INI reader and the day reader: the page must hold what asking the reader key by key gives.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "day/day_file.h"
#include "day/ini_file.h"
#include "day/legacy_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string converted;
    bool legacy;
    IniFile file = parseIni(fileText(std::string_view(reinterpret_cast<const char*>(data), size), converted, legacy));
    DayPage page;
    readDayPageFrom(file, page);
    // Section names as a hand-edited file might spell them.
    const char* sections[] = {"SCHEDULE", "todo", " NOTE "};
    const int firstLines[] = {0, firstTodoLine, firstNoteLine, dayLineCount};
    for (int s = 0; s < 3; ++s)
        for (int i = firstLines[s]; i < firstLines[s + 1]; ++i) {
            char key[32];
            int n = i - firstLines[s];
            std::snprintf(key, sizeof key, "TEXT_%d", n);
            DayLine line;
            setLineText(line, iniStringValue(findIniKey(file, sections[s], key), ""));
            std::snprintf(key, sizeof key, "DONE_%d", n);
            line.done = readIniInt(file, sections[s], key, 0);
            std::snprintf(key, sizeof key, "mark_%d", n);
            line.mark = readIniInt(file, sections[s], key, markPrimary);
            const DayLine& read = page.lines[i];
            if (std::strcmp(line.text, read.text) != 0 || line.done != read.done || line.mark != read.mark)
                std::abort();
        }
    return 0;
}
