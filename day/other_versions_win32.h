// Other versions of the day shown and of the directory files, as sync tools and this program keep them.
#pragma once

// Run every second: lists the other versions about every two seconds, and at
// once when the date shown has changed. Directory copies are merged without
// asking; a day's version that holds the page as it is moves aside; the
// header button and the menu item show whether any is left.
void watchOtherVersions();

// Lists the other versions of a day just shown, so that the button and the
// menu item are right at once rather than at the next tick.
void findDayVersionsNow();

// The Other versions dialog over the main window.
void openOtherVersions();
