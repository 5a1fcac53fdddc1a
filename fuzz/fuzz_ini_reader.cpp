// Feeds arbitrary bytes to the INI reader and the day reader: the page must hold what asking the reader key by key gives; and to the UTF-8 check and the letter case fold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "day/day_file.h"
#include "storage/ini_file.h"
#include "day/day_search.h"
#include "text/legacy_text.h"
#include "text/utf8_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Both ways of checking UTF-8 agree, and a text folds alike whole and a character at a time.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (isValidUtf8(bytes) != isValidUtf8ByCharacter(bytes)) std::abort();
    std::string whole, each;
    foldLetterCase(bytes, whole);
    for (size_t pos = 0, start = 0; pos < bytes.size(); start = pos) {
        nextCharacter(bytes, pos);
        foldLetterCase(bytes.substr(start, pos - start), each);
    }
    if (whole != each) std::abort();

    std::string converted;
    bool legacy;
    IniFile file = parseIni(fileText(bytes, converted, legacy));
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
            line.done = iniIntValue(findIniKey(file, sections[s], key), 0);
            std::snprintf(key, sizeof key, "mark_%d", n);
            line.mark = iniIntValue(findIniKey(file, sections[s], key), markPrimary);
            const DayLine& read = page.lines[i];
            if (std::strcmp(line.text, read.text) != 0 || line.done != read.done || line.mark != read.mark)
                std::abort();
        }
    return 0;
}
