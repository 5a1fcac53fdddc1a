// Subscribed calendars kept on the page: the Subscriptions dialog, and their readings on a worker thread.
#pragma once

// Calendar > Subscriptions...: the list, with Add, Remove and Read now.
void openSubscriptionsDialog();

// Each tick: the first once the window is up, then every 30 minutes; a failure
// that waited for an open message is told.
void readSubscriptionsWhenDue();
// Read now, and after a resume from sleep. A reading under way is not started
// twice: false then, and when there is nothing to read.
bool readSubscriptionsNow();
// The worker's readings (WM_SUBSCRIPTION_READ) placed on the days ahead.
void takeSubscriptionReadings();
