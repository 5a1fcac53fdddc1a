// Saving the day shown only when it changed, and never over a file that could not be read.
#include "day/stored_page.h"

#include "storage/ini_file.h"
#include "storage/other_version.h"
#include "day/page_merge.h"

StoreResult storePage(StoredPage& stored, const DayPage& shown, const SystemTime& date)
{
    if (stored.unreadable || sameStoredPage(stored.page, shown)) return StoreResult::skipped;
    bool succeeded = saveDayPage(shown, date) != SaveResult::failed;
    if (succeeded) stored.page = shown;
    return noteSaveOutcome(succeeded, stored.failureTold);
}

DaySync syncDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, std::string_view computer,
                    const SystemTime& now)
{
    DaySync sync;
    std::string path = dayFilePath(date);
    IniFile ini;
    ReadResult read = loadIniFile(path.c_str(), ini);
    if (read == ReadResult::unreadable) {
        sync.retry = true;
        return sync;
    }
    DayPage file;
    readDayPageFrom(ini, file);
    pageAsShown(file, window);
    // A day that could not be read when it was shown is taken in now, as if just loaded.
    if (stored.unreadable || !sameStoredPage(file, stored.page)) {
        PageMerge merged = mergePages(stored.page, window, file);
        if (merged.conflict && read == ReadResult::read) {
            sync.otherVersion = keepOtherVersion(path, bytesAsRead(ini), computer, now);
            if (sync.otherVersion.empty()) {
                sync.retry = true;
                return sync;
            }
        }
        sync.fileChanged = true;
        stored.unreadable = false;
        stored.page = file;
        window = merged.page;
    }
    sync.stored = storePage(stored, window, date);
    return sync;
}
