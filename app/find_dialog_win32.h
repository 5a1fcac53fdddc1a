// The Find dialog: every line of every day that holds the typed text, and going to one of them.
#pragma once

void openFind();
