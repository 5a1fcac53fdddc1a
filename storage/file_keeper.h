// Keeping a file in step with what the window shows: each look at the file
// gets one answer (nothing to do, write, take in what changed there, or wait),
// and the keeper keeps its own books of what it read, wrote and told.
#pragma once

#include <string_view>

#include "storage/file_stamp.h"

// How a save came out, for the one message about it. A failure is told once,
// and again only after a save has succeeded in between: a save retried every
// second must not bury the user in message boxes.
enum class SaveOutcome { skipped, saved, failed, failedAgain };

SaveOutcome noteSaveOutcome(bool succeeded, bool& failureTold);

inline bool isFailure(SaveOutcome outcome)
{
    return outcome == SaveOutcome::failed || outcome == SaveOutcome::failedAgain;
}

struct FileWatch {
    FileStamp taken;        // of the file as last read, or as this program last wrote it; none when not read
    FileStamp seen;         // at the last look
    bool ownWrite = false;  // taken is of a write of this program's, not yet read back
};

// What this run knows of one file it keeps.
struct FileKeeper {
    FileWatch watch;
    bool unreadable = false;      // the file exists but could not be read: it is never written over
    bool unreadableTold = false;
    bool failureTold = false;
    bool saveFailing = false;     // the last write failed: it is tried again at each look
    int settleLooks = 0;          // spent waiting, while leaving, for the file to stay put
};

enum class KeepOccasion {
    tick,        // the second's look
    tickAsking,  // the second's look while a question or dialog is open: nothing is taken in under it
    // The page is left or worked on as a whole: file and page must agree now.
    leave,       // a failure is told once, and again only after a success
    leaveAsked,  // what the user asked for waits on the save: every failure is told
    closing,     // the window closes and asks itself whether to close anyway: nothing is told
    logOff,      // nobody can answer: what cannot be written is kept as an other version
};

inline bool isLeaving(KeepOccasion occasion)
{
    return occasion != KeepOccasion::tick && occasion != KeepOccasion::tickAsking;
}

// Whether the message that a save failed is due on this occasion.
inline bool isToldNow(SaveOutcome outcome, KeepOccasion occasion)
{
    if (occasion == KeepOccasion::closing) return false;
    return outcome == SaveOutcome::failed || (occasion == KeepOccasion::leaveAsked && outcome == SaveOutcome::failedAgain);
}

// A file that could not be read is told of once per reading.
bool tellUnreadableOnce(FileKeeper& keeper);

enum class KeepStep {
    nothing,  // file and page agree, or the file is moving and is looked at again at the next tick
    write,    // the page changed here and the file is as last read or written
    takeIn,   // the file changed elsewhere: read it, merge, write the merge where it differs
    wait,     // leaving, and the file is still moving: look again in a moment
};

// A file being written elsewhere is waited for, on leaving, this long at each look, and at most this many looks.
constexpr int settleWaitMilliseconds = 200;
constexpr int settleWaitLooks = 10;

// The one question, asked with the file's stamp now. changedHere: the page
// differs from what the file held when last read or written. A file another
// program holds open is read at a tick only once it can be read at once
// (readableNow), so that the window never waits for it.
KeepStep nextKeepStep(FileKeeper& keeper, const char* path, const FileStamp& now, KeepOccasion occasion,
                      bool changedHere, bool (*readableNow)(const char* path) = canReadNow);

// After reading: the watch goes on from the stamp the file had just before.
// A file that could not be read is read again as soon as it can be.
void noteRead(FileKeeper& keeper, const FileStamp& beforeReading, bool unreadable);

enum class WriteOutcome {
    written,
    unchanged,         // the file holds what would be written, or could not be read: nothing written
    failed,
    changedMeanwhile,  // another program changed the file since it was last read or written: nothing written
};

// Writes the bytes over the file in one step, or deletes the file when
// deleteWhenEmpty and there are none, unless the file moved from what the
// keeper last read or wrote: that change is taken in first, not overwritten.
WriteOutcome writeKeptFile(FileKeeper& keeper, const char* path, std::string_view bytes, bool deleteWhenEmpty);

// The result of a write for the one message about it. A change that arrived
// meanwhile is merged at the next look; when leaving there is none, and the
// page that could not be written counts as a failed save.
SaveOutcome saveOutcomeOf(FileKeeper& keeper, WriteOutcome outcome, bool leaving);
