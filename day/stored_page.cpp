// Saving the day shown only when it changed, and never over a file that could not be read.
#include "day/stored_page.h"

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

StoreResult storePage(StoredPage& stored, const DayPage& shown, const SystemTime& date, bool onlyWhenChanged)
{
    bool keepFile = onlyWhenChanged || stored.legacyText;
    if (stored.unreadable || (keepFile && firstChangedLine(stored.page, shown) < 0)) return StoreResult::skipped;
    bool succeeded = saveDayPage(shown, date) != SaveResult::failed;
    if (succeeded) {
        stored.page = shown;
        stored.legacyText = false;
    }
    return noteSaveOutcome(succeeded, stored.failureTold);
}
