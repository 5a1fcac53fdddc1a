// The days read from Data stay for the rest of the run: a later opening of Find or the picker reads only what changed.
#include "app/day_index_win32.h"

#include <windows.h>

#include "app/app_state_win32.h"
#include "app/day_lines_win32.h"
#include "app/locale_text_win32.h"

DayIndex& dayIndex()
{
    static DayIndex days = [] {
        DayIndex index;
        index.fold = foldAsTheUserDoes;
        return index;
    }();
    return days;
}

void planDayIndex()
{
    DayPage shown;
    gatherDayPage(shown);
    char folder[MAX_PATH] = "";
    GetFullPathNameA(".\\Data", sizeof folder, folder, nullptr);
    planIndex(dayIndex(), folder, listFolder(".\\Data"));
    setShownDay(dayIndex(), toSystemTime(appState.dateShown), shown, appState.storedDay.unreadable);
}

bool readDayIndexFor(unsigned milliseconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds)
        if (!readNextDay(dayIndex())) return true;
    return dayIndex().readCount == dayIndex().toRead.size();
}
