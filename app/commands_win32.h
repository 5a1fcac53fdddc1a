// The actions of the main window's commands, each carried out by its own file.
#pragma once

#include <windows.h>

#include <cstdint>

// Clock, current slot and notification-area icon
void startClock();  // the one-second timer, and the time it started at
void clockTick();
void markCurrentSlot();
void addTrayIcon();
void scaleTrayIcon();  // at the size the window's DPI asks for
void removeTrayIcon();

// Options and the logon-start entry
void readLargeFontOption();
void readOptions();
void writeOptions();
void openOptionsDialog();

// Help menu
void openAboutBox();
void openUserManual(HWND owner, const char* baseName);
void openHomePage();

// Date navigation
void stepDay(int days);
void openDatePicker();
// Saves the day left, then shows the date; false when it could not be saved.
// A move the user asked for tells every failure; one the program retries
// each second (following today at midnight) tells it once.
bool moveTo(const SYSTEMTIME& date, bool userAsked = true);
void openFind();

// Directories
void openContacts();
void openTemplates();
void openPeriodicTasks();

// Editing the day
void setMark(int32_t mark);  // of the line with the focus
void closeEmptyTasks();
void moveLine(int direction);
void clearLine();
void sortTasks();
void closeCurrentDay();

// Undo and redo of the day shown
void startUndoHistory();
void takeUndoStep();
void undoChange();
void redoChange();
void updateUndoItems(HMENU menu);
