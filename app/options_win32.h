// The four options, kept in the registry, and the Options dialog.
#pragma once

// Before the main window is made, whose template the large font chooses.
void readLargeFontOption();
void readOptions();
void writeOptions();
void openOptionsDialog();
