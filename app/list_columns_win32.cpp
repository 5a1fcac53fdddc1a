// List view columns, their widths scaled to the DPI of the monitor the list is on.
#include "app/list_columns_win32.h"

#include <commctrl.h>

#include "app/screen_scale_win32.h"

void addListColumns(HWND list, const ListColumn* columns, int count, DWORD extendedStyle)
{
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extendedStyle);
    int dpi = int(windowDpi(list));
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[i].title);
        column.cx = MulDiv(columns[i].width, dpi, 96);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, LPARAM(&column));
    }
}
