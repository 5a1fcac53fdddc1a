// Feeds arbitrary bytes to the INI reader and reads every day key from the result.
#include <cstddef>
#include <cstdint>
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
    return 0;
}
