// The user's weekday and month names and order of dates, for reading lines typed in the user's own words.
#pragma once

#include "phrases/quick_phrase.h"

// Read from the user's locale each time, so a change in the control panel
// counts from the next line typed.
LocaleNames userLocaleNames();
