// Closing the day shown: its unfinished work moves on to the next day.
#pragma once

void closeCurrentDay();
