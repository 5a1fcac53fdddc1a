// Keeping a file in step with what the window shows: how a save came out.
#pragma once

// How a save came out, for the one message about it. A failure is told once,
// and again only after a save has succeeded in between: a save retried every
// second must not bury the user in message boxes.
enum class StoreResult { skipped, stored, failed, failedAgain };

StoreResult noteSaveOutcome(bool succeeded, bool& failureTold);
