// Noticing that another program changed a file, cheaply enough to ask every second.
#pragma once

#include <cstdint>

// What a file looks like from outside; a touch alone moves it too, so a
// moved stamp only says the file is worth reading again.
struct FileStamp {
    bool exists = false;
    uint64_t size = 0;
    int64_t written = 0;  // last write, in the platform's own units: only compared
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// One implementation per platform. A file that cannot be asked about counts as missing.
FileStamp fileStamp(const char* path);

// Whether the file could be opened for reading this moment, without the wait
// that reading gives another program holding it: a check that comes back a
// second later has no need to wait.
bool canReadNow(const char* path);

struct FileWatch {
    FileStamp taken;        // of the file as last read, or as this program last wrote it; none when not read
    FileStamp seen;         // at the last look
    bool ownWrite = false;  // taken is of a write of this program's, not yet read back
};

enum class WatchStep {
    still,    // as last read
    moving,   // moved since the last look: half written, perhaps, or deleted to be created again
    settled,  // moved from what was read, and then stayed put for a look: time to read it
};

// One look at the file; once the caller has read the file it watches on from
// the stamp the file had just before.
WatchStep watchStep(FileWatch& watch, const FileStamp& now);

// Whether the file is as this program last read or wrote it: one that moved
// since is taken in before anything is merged into what was read.
inline bool isAsTaken(const FileWatch& watch, const char* path)
{
    return fileStamp(path) == watch.taken;
}

// Starts watching from the stamp the file had just before it was read.
inline FileWatch watchFrom(const FileStamp& beforeReading)
{
    return {beforeReading, beforeReading};
}

// Another program may have written the file between this program's write and
// the look at its stamp after it: the file is read once more at the next look.
inline FileWatch watchAfterWriting(const FileStamp& afterWriting)
{
    return {afterWriting, afterWriting, true};
}
