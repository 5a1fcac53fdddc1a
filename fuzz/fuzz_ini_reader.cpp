// Feeds arbitrary bytes to the INI reader, reads every day key from the result, and the whole page at once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "day/day_file.h"
#include "day/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile file = parseIni(std::string_view(reinterpret_cast<const char*>(data), size));
    DayPage page;
    for (int n = 0; n < scheduleLineCount; ++n) readDayLine(file, "SCHEDULE", n, page.lines[n]);
    for (int n = 0; n < todoLineCount; ++n) readDayLine(file, "todo", n, page.lines[firstTodoLine + n]);
    for (int n = 0; n < noteLineCount; ++n) readDayLine(file, " NOTE ", n, page.lines[firstNoteLine + n]);
    // Reading the whole page in one pass must find exactly the keys that reading line by line finds.
    DayPage whole;
    readDayPageFrom(file, whole);
    for (int i = 0; i < dayLineCount; ++i)
        if (std::strcmp(page.lines[i].text, whole.lines[i].text) != 0 || page.lines[i].done != whole.lines[i].done ||
            page.lines[i].mark != whole.lines[i].mark)
            std::abort();
    return 0;
}
