// The native tests make each step of the POSIX file store fail in turn: every
// step asks this first, while it is set. Nothing sets it in the program.
#pragma once

enum class FileStep { open, read, write, flush, rename, remove, stamp };

enum class StepFault { none, failed, diskFull, heldElsewhere };

extern StepFault (*fileStepFault)(FileStep step);

// Whether the step fails this time, with errno set as the platform would set it.
bool stepFails(FileStep step);
