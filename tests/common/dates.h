// A date as the tests write it: year, month, day.
#pragma once

#include <cstdint>

#include "day/day_page.h"

constexpr SystemTime date(int year, int month, int day) { return {uint16_t(year), uint16_t(month), 0, uint16_t(day)}; }
