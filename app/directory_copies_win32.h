// Copies of the directory files that sync tools leave beside them.
#pragma once

// Run every second: looks for copies about every two seconds. A copy that holds
// entries the directory lacks is offered to the user, who may add them; the
// copy then moves into "Other versions".
void watchDirectoryCopies();
