// Feeds arbitrary bytes to the directory reader, then checks that whatever it read is written so that it reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "day/day_page.h"
#include "storage/ini_file.h"
#include "directory/directory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Directory directory, back;
    IniFile file = parseIni(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const DirectoryFile* layout : {&contactsFile, &templatesFile, &periodicTasksFile}) {
        readDirectory(file, *layout, directory);
        TextBuilder text = composeDirectoryFile(*layout, directory);
        readDirectory(parseIni(std::string_view(text.data(), size_t(text.length()))), *layout, back);
        if (std::memcmp(directory, back, sizeof directory) != 0) std::abort();
    }
    return 0;
}
