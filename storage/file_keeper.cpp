// Keeping a file in step with what the window shows.
#include "storage/file_keeper.h"

#include "storage/file_store.h"

SaveOutcome noteSaveOutcome(bool succeeded, bool& failureTold)
{
    if (succeeded) {
        failureTold = false;
        return SaveOutcome::saved;
    }
    if (failureTold) return SaveOutcome::failedAgain;
    failureTold = true;
    return SaveOutcome::failed;
}

namespace {

// A moved stamp is read only once it stays put from one look to the next: a
// sync tool may be half way through writing, or have deleted the file to
// create it again.
KeepStep lookAtTick(FileKeeper& keeper, const char* path, const FileStamp& now, KeepOccasion occasion,
                    bool changedHere, bool (*readableNow)(const char*))
{
    FileWatch& watch = keeper.watch;
    bool moved = !(now == watch.seen);
    watch.seen = now;
    if (now == watch.taken && !watch.ownWrite) {
        // A file that could not be read and is gone since leaves an empty
        // page, no longer locked; the watch of one still there sees nothing to read.
        if (keeper.unreadable) return now.exists ? KeepStep::nothing : KeepStep::takeIn;
        return changedHere ? KeepStep::write : KeepStep::nothing;
    }
    if (moved) return KeepStep::nothing;
    if (occasion == KeepOccasion::tickAsking) return KeepStep::nothing;
    // Held open by another program: tried again at the next tick, never waited for.
    if (!readableNow(path)) return KeepStep::nothing;
    return KeepStep::takeIn;
}

// What was typed reaches the file now; a file still being written elsewhere
// is given about two seconds to settle first, and is then merged as it is.
KeepStep lookOnLeaving(FileKeeper& keeper, const FileStamp& now, bool changedHere)
{
    // A page whose file could not be read was never changed: nothing to keep.
    if (keeper.unreadable) return KeepStep::nothing;
    FileWatch& watch = keeper.watch;
    if (now == watch.taken && !watch.ownWrite) return changedHere ? KeepStep::write : KeepStep::nothing;
    bool moved = !(now == watch.seen);
    watch.seen = now;
    if (moved && keeper.settleLooks < settleWaitLooks) {
        ++keeper.settleLooks;
        return KeepStep::wait;
    }
    keeper.settleLooks = 0;
    return KeepStep::takeIn;
}

ReplaceResult deleteFileIfUnchanged(const char* path, const FileStamp& expected)
{
    if (!(fileStamp(path) == expected)) return ReplaceResult::changed;
    return deleteFile(path) ? ReplaceResult::replaced : ReplaceResult::failed;
}

}  // namespace

KeepStep nextKeepStep(FileKeeper& keeper, const char* path, const FileStamp& now, KeepOccasion occasion,
                      bool changedHere, bool (*readableNow)(const char*))
{
    if (isLeaving(occasion)) return lookOnLeaving(keeper, now, changedHere);
    keeper.settleLooks = 0;
    return lookAtTick(keeper, path, now, occasion, changedHere, readableNow);
}

bool tellUnreadableOnce(FileKeeper& keeper)
{
    if (!keeper.unreadable || keeper.unreadableTold) return false;
    keeper.unreadableTold = true;
    return true;
}

void noteRead(FileKeeper& keeper, const FileStamp& beforeReading, bool unreadable)
{
    keeper.unreadable = unreadable;
    FileStamp taken = unreadable ? FileStamp{} : beforeReading;
    keeper.watch = {taken, beforeReading, false};
}

WriteOutcome writeKeptFile(FileKeeper& keeper, const char* path, std::string_view bytes, bool deleteWhenEmpty)
{
    FileStamp expected = keeper.watch.taken;
    ReplaceResult result = bytes.empty() && deleteWhenEmpty
                               ? deleteFileIfUnchanged(path, expected)
                               : replaceFileIfUnchanged(path, bytes.data(), bytes.size(), expected);
    if (result == ReplaceResult::changed) return WriteOutcome::changedMeanwhile;
    keeper.saveFailing = result == ReplaceResult::failed;
    if (result == ReplaceResult::failed) return WriteOutcome::failed;
    // Another program may have written the file between this write and the
    // look at its stamp after it: the file is read once more at the next look.
    FileStamp written = fileStamp(path);
    keeper.watch = {written, written, true};
    return WriteOutcome::written;
}

SaveOutcome saveOutcomeOf(FileKeeper& keeper, WriteOutcome outcome, bool leaving)
{
    if (outcome == WriteOutcome::unchanged || (outcome == WriteOutcome::changedMeanwhile && !leaving))
        return SaveOutcome::skipped;
    return noteSaveOutcome(outcome == WriteOutcome::written, keeper.failureTold);
}
