// Feeds arbitrary bytes to the calendar reader and the import behind it: nothing is read past the file, and every line planned fits a page.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dates/calendar.h"
#include "text/utf8_text.h"
#include "icalendar/import_plan.h"
#include "tests/common/zones.h"

namespace {

bool fitsItsPage(const DayImport& day, const ImportedItem& item)
{
    return isValidDate(day.date) && item.startMinute >= -1 && item.startMinute < 24 * 60 && item.scheduleLine >= -1 &&
           item.scheduleLine < scheduleLineCount && editorLength(item.text) <= size_t(lineCharacterLimit) &&
           editorLength(item.timedText) <= size_t(lineCharacterLimit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CalendarFile file;
    if (readCalendarFile(std::string_view(reinterpret_cast<const char*>(data), size), file) != CalendarFileCheck::read)
        return 0;
    ImportPlan plan = planImport(file, {{2026, 12, 0, 1}, berlinRules, zoneByWindowsName});
    // One page for every day, so that it fills up and the items that find no line are taken through too.
    DayPage page;
    ImportTally tally;
    for (const DayImport& day : plan.days) {
        for (const ImportedItem& item : day.items)
            if (!fitsItsPage(day, item)) std::abort();
        tallyDay(tally, day, placeOnPage(page, day.items));
    }
    if (importSummary(plan, tally).empty()) std::abort();
    return 0;
}
