// The one record of the running program, and the seams through which tests steer it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "day/day_page.h"
#include "day/stored_page.h"
#include "directory/directory_entry.h"
#include "directory/directory_file.h"
#include "edit/undo_history.h"

// A key as the hotkey control gives it: the virtual key in the low byte, and
// in the next Shift 1, Ctrl 2 and Alt 4. Ctrl+Alt+Shift+Q.
constexpr int32_t defaultQuickAddKey = 0x0751;

struct AppState {
    HWND mainWindow;
    HINSTANCE instance;
    char caption[260];
    HFONT markFonts[3];  // indexed by mark: bold, the dialog's own font, italic
    SYSTEMTIME dateShown;
    std::string computer;  // as other versions are named after it; asked once, as the window opens
    int32_t autorun;
    int32_t am_pm;
    int32_t showTime;
    int32_t largeFont;
    int32_t calendarFile;  // Quillory.ics kept beside Data
    int32_t quickAddKey = defaultQuickAddKey;  // the quick add box's key from any program, 0 for none
    Directory templates;
    Directory contacts;
    Directory periodicTasks;
    HWND insertTarget;
    char periodNames[periodKindCount][260];
    // What the files hold, so that only a change is written and a file that
    // could not be read is never written over.
    StoredPage storedDay;
    StoredDirectory storedTemplates;
    StoredDirectory storedContacts;
    StoredDirectory storedPeriodicTasks;
    UndoHistory undoHistory;  // of the day shown
};

extern AppState appState;

static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME));

inline SystemTime toSystemTime(const SYSTEMTIME& t)
{
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

inline SYSTEMTIME toSYSTEMTIME(const SystemTime& t)
{
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// Only year, month and day make a date.
inline bool isSameDay(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return isSameDay(toSystemTime(a), toSystemTime(b));
}

// Every message box and question goes through here, titled with the caption.
int showMessage(HWND owner, const char* text, UINT type);

// The one message for a file that could not be written.
void reportSaveFailure();

// "<file> could not be read. It is left as it is, and <consequence>"
void reportUnreadableFile(const char* path, const char* consequence);

// While a message box asks or tells something, the command that opened it
// waits inside it, and nothing else may act on the day.
bool messageBoxOpen();

// The local time; tests set a fixed one.
SYSTEMTIME localTime();

// The name Windows gives this computer, which names the other versions kept
// here; tests set one of their own.
std::string thisComputer();

// Replaced by tests: the message box itself, the clock and the computer's name.
extern int (*messageBoxFunction)(HWND owner, const char* text, const char* title, UINT type);
extern void (*localTimeFunction)(SYSTEMTIME* now);
extern std::string (*computerNameFunction)();
