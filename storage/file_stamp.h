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
