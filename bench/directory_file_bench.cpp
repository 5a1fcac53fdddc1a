// How long the fullest contacts file takes to compose and to read back.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "day/day_page.h"
#include "day/ini_file.h"
#include "directory/directory_file.h"

namespace {

template <size_t N>
void fill(char (&field)[N], char c)
{
    std::memset(field, c, N - 1);
    field[N - 1] = '\0';
}

Directory& fullContacts()
{
    static Directory contacts;
    for (DirectoryEntry& e : contacts) {
        fill(e.name, 'n');
        fill(e.description, 'd');
        fill(e.phone, 'p');
        fill(e.email, 'e');
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
