// The columns of the program's list views: named, and as wide at any DPI as at 96.
#pragma once

#include <windows.h>

struct ListColumn {
    const char* title;
    int width;  // at 96 DPI
};

void addListColumns(HWND list, const ListColumn* columns, int count, DWORD extendedStyle);

template <int count>
void addListColumns(HWND list, const ListColumn (&columns)[count], DWORD extendedStyle)
{
    addListColumns(list, columns, count, extendedStyle);
}
