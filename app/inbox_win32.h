// What reaches the window from outside, in the order it came: files and lines another copy passes on, dropped
// files and the command line's. Each waits until nothing is open over the window, then is imported or added.
#pragma once

#include <windows.h>

#include <string>

// WM_COPYDATA's marks: a calendar file's path, or a line given with /add.
constexpr ULONG_PTR calendarPathData = 0x51494353;
constexpr ULONG_PTR quickAddData = 0x51414444;

// The hidden window another copy finds and sends to. It is no dialog, so it is
// never mistaken for a message the program shows, and it takes what is sent
// while a message or dialog is open.
void openInbox();
void closeInbox();
HWND inboxWindow();

// The running copy's inbox, by the caption, or null.
HWND runningCopy();
// Brings the running copy's window, or the message open over it, to the front.
void bringRunningCopyForward(HWND inbox);
// Whether the running copy took the file or line.
bool passToRunningCopy(HWND inbox, ULONG_PTR kind, const std::string& text);

void receive(ULONG_PTR kind, const std::string& text);
// Imports and adds what waits, one after the other, unless a message or
// dialog is open: then the clock's next tick after it closes asks again.
void handleArrivals();
