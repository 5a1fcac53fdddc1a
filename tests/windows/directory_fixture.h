// A main window with directory dialogs driven from inside, and ways to read their lists.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "main_window_fixture.h"

using Names = std::vector<std::string>;

class DirectoryListTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
    }

    static void fill(Directory& directory, const Names& names)
    {
        std::memset(directory, 0, sizeof directory);
        for (size_t i = 0; i < names.size(); ++i)
            lstrcpynA(directory[i].name, names[i].c_str(), sizeof directory[i].name);
    }

    static Names namesOf(const Directory& directory)
    {
        Names names;
        for (const DirectoryEntry& entry : directory)
            if (entry.name[0]) names.push_back(entry.name);
        return names;
    }

    static HWND rows(const char* caption) { return GetDlgItem(dialogNamed(caption), IDC_DIRECTORY_ROWS); }

    static std::string cell(HWND list, int row, int column)
    {
        char text[300] = "";
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, row, LPARAM(&item));
        return text;
    }

    static Names shownNames(HWND list)
    {
        Names names;
        int count = int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) names.push_back(cell(list, row, 0));
        return names;
    }

    static int selection(HWND list) { return int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }

    static void selectRow(HWND list, int row)
    {
        LVITEMA item{};
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, row, LPARAM(&item));
    }

    // As a click on empty space leaves it; opening selects the row appended last.
    static void deselectAll(HWND list)
    {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&item));
    }

    static bool rowFullyVisible(HWND list, int row)
    {
        int top = int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
        int perPage = int(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
        return row >= top && row < top + perPage;
    }

    static std::vector<std::string> columnTitles(HWND list)
    {
        std::vector<std::string> titles;
        for (int i = 0;; ++i) {
            char title[64] = "";
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = title;
            column.cchTextMax = sizeof title;
            if (!SendMessageA(list, LVM_GETCOLUMNA, i, LPARAM(&column))) break;
            titles.push_back(std::string(title) + " " + std::to_string(column.cx));
        }
        return titles;
    }

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const ShownMessage& message : shownMessages) texts.push_back(message.text);
        return texts;
    }
};
