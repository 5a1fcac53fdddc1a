// Items put on days other than the one shown, through the keeper.
#include "icalendar/place_on_days.h"

#include "day/page_merge.h"
#include "day/stored_page.h"

namespace {

DayPlacement placeOnDay(const DayImport& day, const KeepContext& context)
{
    StoredPage stored;
    if (loadStoredPage(stored, day.date, stored.page) == ReadResult::unreadable) return nothingPlaced(day);
    pageAsShown(stored.page, DayPage{});
    DayPage page = stored.page;
    DayPlacement placement = changePage(page, day);
    if (sameStoredPage(page, stored.page)) return placement;
    DayKind kind = dayKind(stored, day.date);
    if (takeInKept(kind, page, true, context).saved != SaveOutcome::saved) return nothingPlaced(day);
    return placement;
}

}  // namespace

std::vector<DayPlacement> placeOnOtherDays(const std::vector<DayImport>& days, const KeepContext& context)
{
    std::vector<DayPlacement> placements;
    for (const DayImport& day : days) placements.push_back(placeOnDay(day, context));
    return placements;
}
