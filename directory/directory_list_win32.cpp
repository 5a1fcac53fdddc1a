// The list dialog shared by the contacts, templates and periodic tasks.
#include "app/commands_win32.h"

void openContacts() {}
void openTemplates() {}
void openPeriodicTasks() {}
