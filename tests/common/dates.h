// A date as the tests write it: year, month, day.
#pragma once

#include <cstdint>

#include "day/day_page.h"

constexpr SystemTime date(int year, int month, int day)
{
    SystemTime t;
    t.wYear = uint16_t(year), t.wMonth = uint16_t(month), t.wDay = uint16_t(day);
    return t;
}
