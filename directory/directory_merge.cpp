// The three-way merge of a directory's entries.
#include "directory/directory_merge.h"

#include <cstring>
#include <vector>

namespace {

// Entries are packed from the first; the first without a name ends them.
int entriesInUse(const Directory& directory)
{
    int count = 0;
    while (count < directoryCapacity && directory[count].name[0] != '\0') ++count;
    return count;
}

bool sameEntry(const DirectoryEntry& a, const DirectoryEntry& b)
{
    // The name differs first in nearly every pair, so it is compared first.
    auto same = [](const char* x, const char* y, size_t width) { return std::strncmp(x, y, width) == 0; };
    return same(a.name, b.name, sizeof a.name) && same(a.description, b.description, sizeof a.description) &&
           same(a.phone, b.phone, sizeof a.phone) && same(a.email, b.email, sizeof a.email) &&
           same(a.birthday, b.birthday, sizeof a.birthday) && same(a.period, b.period, sizeof a.period) &&
           same(a.day, b.day, sizeof a.day) && same(a.month, b.month, sizeof a.month) &&
           same(a.week, b.week, sizeof a.week);
}

// For each entry of a side, the entry of the base it is (-1 for one added or
// changed there); each base entry is claimed once, so that two alike entries
// count as two.
std::vector<int> matchWithBase(const Directory& side, int sideCount, const Directory& base, int baseCount,
                               std::vector<bool>& claimed)
{
    std::vector<int> match(sideCount, -1);
    claimed.assign(baseCount, false);
    for (int i = 0; i < sideCount; ++i)
        for (int b = 0; b < baseCount; ++b)
            if (!claimed[b] && sameEntry(side[i], base[b])) {
                claimed[b] = true;
                match[i] = b;
                break;
            }
    return match;
}

}  // namespace

bool mergeDirectories(const Directory& base, const Directory& mine, const Directory& theirs, Directory& result)
{
    int baseCount = entriesInUse(base), mineCount = entriesInUse(mine), theirCount = entriesInUse(theirs);
    std::vector<bool> keptByMine, keptByTheirs;
    std::vector<int> mineFromBase = matchWithBase(mine, mineCount, base, baseCount, keptByMine);
    std::vector<int> theirsFromBase = matchWithBase(theirs, theirCount, base, baseCount, keptByTheirs);

    std::vector<const DirectoryEntry*> merged;
    std::vector<const DirectoryEntry*> addedHere;  // not yet matched by the same entry added in the file
    for (int i = 0; i < mineCount; ++i) {
        int b = mineFromBase[i];
        if (b < 0) addedHere.push_back(&mine[i]);
        if (b < 0 || keptByTheirs[b]) merged.push_back(&mine[i]);
    }
    for (int i = 0; i < theirCount; ++i) {
        if (theirsFromBase[i] >= 0) continue;  // kept or removed with this run's entry
        bool alsoAddedHere = false;
        for (const DirectoryEntry*& added : addedHere)
            if (added && sameEntry(*added, theirs[i])) {
                added = nullptr;
                alsoAddedHere = true;
                break;
            }
        if (!alsoAddedHere) merged.push_back(&theirs[i]);
    }
    if (merged.size() > size_t(directoryCapacity)) return false;

    // The result may be one of the sides, so the entries are gathered first.
    std::vector<DirectoryEntry> entries;
    entries.reserve(merged.size());
    for (const DirectoryEntry* entry : merged) entries.push_back(*entry);
    std::memset(result, 0, sizeof(Directory));
    for (size_t i = 0; i < entries.size(); ++i) result[i] = entries[i];
    return true;
}

EntriesAdded addMissingEntries(Directory& directory, const Directory& copy)
{
    EntriesAdded result;
    int count = entriesInUse(directory);
    for (int i = 0; i < entriesInUse(copy); ++i) {
        bool held = false;
        for (int j = 0; j < count && !held; ++j) held = sameEntry(directory[j], copy[i]);
        if (held) continue;
        if (count == directoryCapacity) {
            ++result.leftOut;
            continue;
        }
        directory[count++] = copy[i];
        ++result.added;
    }
    return result;
}
