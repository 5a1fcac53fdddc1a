// Directory files: the keys of each directory, the byte layout and the reading back.
#include "directory/directory_file.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>

#include "storage/text_builder.h"
#include "storage/file_store.h"
#include "storage/ini_file.h"
#include "storage/other_version.h"
#include "directory/directory_merge.h"

namespace {

#define DIRECTORY_KEY(field) \
    DirectoryKey{#field, offsetof(DirectoryEntry, field), sizeof(DirectoryEntry::field)}

constexpr DirectoryKey contactKeys[] = {
    DIRECTORY_KEY(birthday), DIRECTORY_KEY(description), DIRECTORY_KEY(email),
    DIRECTORY_KEY(name),     DIRECTORY_KEY(phone),
};
constexpr DirectoryKey templateKeys[] = {DIRECTORY_KEY(name)};
constexpr DirectoryKey periodicTaskKeys[] = {
    DIRECTORY_KEY(name), DIRECTORY_KEY(period), DIRECTORY_KEY(week),
    DIRECTORY_KEY(day),  DIRECTORY_KEY(month),
};

#undef DIRECTORY_KEY

char* fieldOf(DirectoryEntry& entry, const DirectoryKey& key)
{
    return reinterpret_cast<char*>(&entry) + key.offset;
}

const char* fieldOf(const DirectoryEntry& entry, const DirectoryKey& key)
{
    return reinterpret_cast<const char*>(&entry) + key.offset;
}

// Fields are always terminated, but a record is plain memory: never read past its width.
void appendField(TextBuilder& builder, const char* field, size_t width)
{
    const void* end = std::memchr(field, '\0', width - 1);
    size_t n = end ? size_t(static_cast<const char*>(end) - field) : width - 1;
    appendIniValue(builder, std::string_view(field, n));
}

// A value longer than its field keeps as many whole characters as the field's editor accepts.
void readField(const IniFile& ini, const char* section, const char* key, char* field, size_t width)
{
    copyCutText(iniStringValue(findIniKey(ini, section, key), ""), field, width);
}

void formatSectionName(char (&name)[32], int i)
{
    std::snprintf(name, sizeof name, "ITEM_%d", i);
}

}  // namespace

const DirectoryFile contactsFile = {".\\directory_contact.ini", contactKeys,
                                    int(std::size(contactKeys))};
const DirectoryFile templatesFile = {".\\directory_template.ini", templateKeys,
                                     int(std::size(templateKeys))};
const DirectoryFile periodicTasksFile = {".\\directory_periodic.ini", periodicTaskKeys,
                                         int(std::size(periodicTaskKeys))};

void readDirectory(const IniFile& ini, const DirectoryFile& file, Directory& directory)
{
    std::memset(directory, 0, sizeof directory);
    int count = 0;
    // A gap in the numbering or an entry without a name is passed over rather
    // than taken as the end, so one damaged section never costs those behind it.
    for (int i = 0; i < directoryCapacity; ++i) {
        char section[32];
        formatSectionName(section, i);
        DirectoryEntry& entry = directory[count];
        readField(ini, section, "name", entry.name, sizeof entry.name);
        if (entry.name[0] == '\0') continue;
        for (int k = 0; k < file.keyCount; ++k)
            readField(ini, section, file.keys[k].name, fieldOf(entry, file.keys[k]), file.keys[k].width);
        ++count;
    }
}

ReadResult loadDirectory(const DirectoryFile& file, Directory& directory)
{
    IniFile ini;
    ReadResult result = loadIniFile(file.path, ini);
    readDirectory(ini, file, directory);
    return result;
}

TextBuilder composeDirectoryFile(const DirectoryFile& file, const Directory& directory)
{
    TextBuilder builder;
    for (int i = 0; i < directoryCapacity && directory[i].name[0] != '\0'; ++i) {
        char section[32];
        formatSectionName(section, i);
        builder.appendLineBreak();
        builder.append("[");
        builder.append(section);
        builder.append("]");
        builder.appendLineBreak();
        for (int k = 0; k < file.keyCount; ++k) {
            builder.append(file.keys[k].name);
            builder.append(" = ");
            appendField(builder, fieldOf(directory[i], file.keys[k]), file.keys[k].width);
            builder.appendLineBreak();
        }
    }
    return builder;
}

// What was read is kept in its written form, so a hand-edited file that holds
// the same entries counts as unchanged.
void loadStoredDirectory(const DirectoryFile& file, Directory& directory, StoredDirectory& stored)
{
    FileStamp beforeReading = fileStamp(file.path);
    noteRead(stored, beforeReading, loadDirectory(file, directory) == ReadResult::unreadable);
    stored.unreadableTold = false;
    TextBuilder text = composeDirectoryFile(file, directory);
    stored.held.assign(text.data(), size_t(text.length()));
}

std::string DirectoryKind::compose(const Directory& directory) const
{
    TextBuilder text = composeDirectoryFile(file, directory);
    return std::string(text.data(), size_t(text.length()));
}

void DirectoryKind::read(const IniFile& ini, std::string& read, const Directory&)
{
    theirs = std::make_unique<DirectoryCopy>();
    readDirectory(ini, file, theirs->entries);
    read = compose(theirs->entries);
}

bool DirectoryKind::merge(const Directory& window, const std::string&)
{
    auto base = std::make_unique<DirectoryCopy>();
    readDirectory(parseIni(held), file, base->entries);
    merged = std::make_unique<DirectoryCopy>();
    fits = mergeDirectories(base->entries, window, theirs->entries, merged->entries);
    return !fits;
}

void DirectoryKind::takeMerged(Directory& window)
{
    if (fits) std::copy(std::begin(merged->entries), std::end(merged->entries), std::begin(window));
}

KeepAnswer keepDirectoryFile(const DirectoryFile& file, Directory& directory, StoredDirectory& stored,
                             KeepOccasion occasion, const KeepContext& context)
{
    DirectoryKind kind = directoryKind(file, stored);
    return keepFile(kind, directory, occasion, context);
}
