// Other versions of the day shown and of the directory files, as sync tools and this program keep them.
#pragma once

// Run every second: lists the day's other versions about every two seconds,
// and at once when the date shown has changed; the header button and the menu
// item show whether any differs from the page as it stands now, or could not
// be compared with it. None moves aside but by the user's choice.
void watchOtherVersions();

// Lists the other versions of a day just shown, so that the button and the
// menu item are right at once rather than at the next tick.
void findDayVersionsNow();

// The Other versions dialog over the main window.
void openOtherVersions();
