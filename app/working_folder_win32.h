// The folder a start of the program keeps its files in, chosen before anything is read.
#pragma once

// A start from a launcher (the logon entry, "Open with", the Run box, the
// Start menu) works where the program last ran; Documents\Quillory is made at
// the first such start of an installed copy.
void useWorkingFolder();
