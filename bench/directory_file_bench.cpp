// How long the fullest contacts file takes to compose and to read back.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "day/day_page.h"
#include "storage/ini_file.h"
#include "text/utf8_text.h"
#include "directory/directory_file.h"

namespace {

// As many characters as the field's editor accepts, each taking three bytes
// (a Japanese one): the most bytes a field can hold.
template <size_t N>
void fill(char (&field)[N])
{
    std::string text;
    for (size_t i = 0; i < charactersOfBuffer(N); ++i) text += "\xe6\x97\xa5";
    copyCutText(text, field, N);
}

Directory& fullContacts()
{
    static Directory contacts;
    for (DirectoryEntry& e : contacts) {
        fill(e.name);
        fill(e.description);
        fill(e.phone);
        fill(e.email);
        std::strcpy(e.birthday, "02.29.2000");
    }
    return contacts;
}

void composeFullContactsFile(benchmark::State& state)
{
    const Directory& contacts = fullContacts();
    for (auto _ : state) benchmark::DoNotOptimize(composeDirectoryFile(contactsFile, contacts).length());
}
BENCHMARK(composeFullContactsFile)->Unit(benchmark::kMillisecond);

void readFullContactsFile(benchmark::State& state)
{
    TextBuilder file = composeDirectoryFile(contactsFile, fullContacts());
    std::string bytes(file.data(), size_t(file.length()));
    static Directory contacts;
    for (auto _ : state) {
        readDirectory(parseIni(bytes), contactsFile, contacts);
        benchmark::DoNotOptimize(contacts[199].name[0]);
    }
}
BENCHMARK(readFullContactsFile)->Unit(benchmark::kMillisecond);

}  // namespace
