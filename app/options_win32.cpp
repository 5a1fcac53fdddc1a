// The four options, kept in the registry, and the Options dialog.
#include "app/commands_win32.h"

void readLargeFontOption() {}
void readOptions() {}
void writeOptions() {}
void openOptionsDialog() {}
