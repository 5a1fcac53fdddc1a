// Telling a file that moved and stayed put from one still moving.
#include "storage/file_stamp.h"

WatchStep watchStep(FileWatch& watch, const FileStamp& now)
{
    bool moved = !(now == watch.seen);
    watch.seen = now;
    if (now == watch.taken && !watch.ownWrite) return WatchStep::still;
    return moved ? WatchStep::moving : WatchStep::settled;
}
