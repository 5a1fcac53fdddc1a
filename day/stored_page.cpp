// Saving the day shown only when it changed, and never over a file that could not be read.
#include "day/stored_page.h"

#include <cstring>

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

bool samePage(const DayPage& a, const DayPage& b)
{
    for (int i = 0; i < dayLineCount; ++i) {
        const DayLine& x = a.lines[i];
        const DayLine& y = b.lines[i];
        if (x.done != y.done || x.mark != y.mark || std::strncmp(x.text, y.text, lineTextSize) != 0) return false;
    }
    return true;
}

StoreResult storePage(StoredPage& stored, const DayPage& shown, const SystemTime& date, bool onlyWhenChanged)
{
    if (stored.unreadable || (onlyWhenChanged && samePage(stored.page, shown))) return StoreResult::skipped;
    bool succeeded = saveDayPage(shown, date) != SaveResult::failed;
    if (succeeded) stored.page = shown;
    return noteSaveOutcome(succeeded, stored.failureTold);
}
