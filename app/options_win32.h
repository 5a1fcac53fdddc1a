// The options, kept in the registry, and the Options dialog.
#pragma once

#include <cstdint>
#include <string>

// Before the main window is made, whose template the large font chooses.
void readLargeFontOption();
void readOptions();
void writeOptions();  // and records the folder the program runs in, for starts that are not told one
std::string recordedFolder();  // empty when none
void openOptionsDialog();

// The key that opens the quick add box from any program (as
// `AppState.quickAddKey`) in place of the one before; false when another
// program holds it.
bool useQuickAddKey(int32_t key);
void dropQuickAddKey();
bool quickAddKeyHeld();  // by another program, when last tried
