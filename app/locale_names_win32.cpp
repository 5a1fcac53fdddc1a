#include "app/locale_names_win32.h"

#include <windows.h>

#include "app/locale_text_win32.h"

namespace {

std::string localeText(LCTYPE type)
{
    wchar_t text[96] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 96) == 0)
        return {};
    return fromWide(text);
}

}  // namespace

LocaleNames userLocaleNames()
{
    LocaleNames names;
    // The locale counts its days from Monday; the reader from Sunday.
    for (int day = 0; day < 7; ++day) {
        names.weekdays[(day + 1) % 7] = localeText(LOCALE_SDAYNAME1 + day);
        names.shortWeekdays[(day + 1) % 7] = localeText(LOCALE_SABBREVDAYNAME1 + day);
    }
    for (int month = 0; month < 12; ++month) {
        names.months[month] = localeText(LOCALE_SMONTHNAME1 + month);
        names.shortMonths[month] = localeText(LOCALE_SABBREVMONTHNAME1 + month);
    }
    DWORD order = 1;
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDATE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&order),
                    sizeof order / sizeof(wchar_t));
    names.order = order == 0 ? DateOrder::MonthDayYear : order == 2 ? DateOrder::YearMonthDay : DateOrder::DayMonthYear;
    return names;
}
