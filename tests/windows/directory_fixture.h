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

    // Adds an entry through the list's "+" and the add dialog, naming it only.
    static std::vector<DialogStep> addSteps(const char* list, const char* addDialog, const char* name)
    {
        return {[=] { press(list, IDC_ADD_ENTRY); },
                [=] {
                    SetDlgItemTextA(dialogNamed(addDialog), IDC_ENTRY_NAME, name);
                    press(addDialog, IDOK);
                }};
    }
};
