// Keeping the day file in step with the day shown.
#include "day/stored_page.h"

ReadResult loadStoredPage(StoredPage& stored, const SystemTime& date, DayPage& page)
{
    FileStamp beforeReading = fileStamp(dayFilePath(date).c_str());
    ReadResult read = readDayPage(date, page);
    noteRead(stored, beforeReading, read == ReadResult::unreadable);
    stored.unreadableTold = false;
    stored.page = page;
    return read;
}

std::string DayKind::compose(const DayPage& page) const
{
    if (isPageEmpty(page)) return {};
    TextBuilder text = composeDayFile(page, date);
    return std::string(text.data(), size_t(text.length()));
}

void DayKind::read(const IniFile& ini, DayPage& theirs, const DayPage& window) const
{
    readDayPageFrom(ini, theirs);
    pageAsShown(theirs, window);
}

// Both sides changed one field differently: the window's stays, and the file
// is kept beside it. A file deleted elsewhere has nothing to keep.
bool DayKind::merge(const DayPage& window, const DayPage& theirs)
{
    merged = mergePages(held, window, theirs);
    return merged.conflict;
}

KeepAnswer keepDayFile(StoredPage& stored, DayPage& window, const SystemTime& date, KeepOccasion occasion,
                       const KeepContext& context)
{
    DayKind kind = dayKind(stored, date);
    return keepFile(kind, window, occasion, context);
}
