// Enter moves from one day line to the next.
#pragma once

#include <windows.h>

void subclassDayLines();
