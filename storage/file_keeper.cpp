// Keeping a file in step with what the window shows.
#include "storage/file_keeper.h"

StoreResult noteSaveOutcome(bool succeeded, bool& failureTold)
{
    if (succeeded) {
        failureTold = false;
        return StoreResult::stored;
    }
    if (failureTold) return StoreResult::failedAgain;
    failureTold = true;
    return StoreResult::failed;
}
