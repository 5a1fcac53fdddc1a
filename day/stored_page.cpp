// Keeping the day file in step with the day shown.
#include "day/stored_page.h"

#include "day/page_merge.h"
#include "storage/ini_file.h"
#include "storage/other_version.h"

ReadResult loadStoredPage(StoredPage& stored, const SystemTime& date, DayPage& page)
{
    FileStamp beforeReading = fileStamp(dayFilePath(date).c_str());
    ReadResult read = readDayPage(date, page);
    noteRead(stored, beforeReading, read == ReadResult::unreadable);
    stored.unreadableTold = false;
    stored.page = page;
    return read;
}

WriteOutcome writeDayFile(StoredPage& stored, const DayPage& page, const SystemTime& date)
{
    if (stored.unreadable || sameStoredPage(stored.page, page)) return WriteOutcome::unchanged;
    std::string path = dayFilePath(date);
    // An empty day has no file; a file that stays would bring the lines back.
    TextBuilder text = isPageEmpty(page) ? TextBuilder() : composeDayFile(page, date);
    createFolder(dataFolder);
    WriteOutcome outcome =
        writeKeptFile(stored, path.c_str(), std::string_view(text.data(), size_t(text.length())), true);
    if (outcome == WriteOutcome::written) stored.page = page;
    return outcome;
}

DayKeep takeInDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, std::string_view computer,
                      const SystemTime& now, bool leaving)
{
    DayKeep keep;
    std::string path = dayFilePath(date);
    FileStamp beforeReading = fileStamp(path.c_str());
    IniFile ini;
    ReadResult read = loadIniFile(path.c_str(), ini);
    if (read == ReadResult::unreadable) {
        if (leaving) keep.stored = noteSaveOutcome(false, stored.failureTold);
        return keep;
    }
    DayPage file;
    readDayPageFrom(ini, file);
    pageAsShown(file, window);
    // A day that could not be read when it was shown is taken in now, as if just loaded.
    if (stored.unreadable || !sameStoredPage(file, stored.page)) {
        PageMerge merged = mergePages(stored.page, window, file);
        if (merged.conflict && read == ReadResult::read) {
            keep.otherVersion = keepOtherVersion(path, bytesAsRead(ini), computer, now);
            if (keep.otherVersion.empty()) {
                if (leaving) keep.stored = noteSaveOutcome(false, stored.failureTold);
                return keep;
            }
        }
        keep.step = KeepStep::takeIn;
        stored.page = file;
        window = merged.page;
    }
    noteRead(stored, beforeReading, false);
    keep.stored = storeResultOf(stored, writeDayFile(stored, window, date), leaving);
    return keep;
}

DayKeep keepDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, KeepOccasion occasion,
                    std::string_view computer, const SystemTime& now)
{
    std::string path = dayFilePath(date);
    bool changedHere = !stored.unreadable && !sameStoredPage(stored.page, window);
    KeepStep step = nextKeepStep(stored, path.c_str(), fileStamp(path.c_str()), occasion, changedHere);
    bool leaving = occasion == KeepOccasion::leave;
    if (step == KeepStep::write) {
        WriteOutcome outcome = writeDayFile(stored, window, date);
        // A change that arrived between the look and the write is merged, on leaving at once.
        if (outcome == WriteOutcome::changedMeanwhile && leaving) return keepDayFile(stored, window, date, occasion, computer, now);
        return {KeepStep::write, storeResultOf(stored, outcome, leaving), {}};
    }
    if (step == KeepStep::takeIn) return takeInDayFile(stored, window, date, computer, now, leaving);
    return {step, StoreResult::skipped, {}};
}
