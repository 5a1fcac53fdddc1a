// The add/edit dialogs of a contact and of a template, and what every add/edit dialog does alike.
#include "app/entry_dialogs_win32.h"

#include <cstring>

#include "app/app_state_win32.h"
#include "app/locale_text_win32.h"
#include "text/utf8_text.h"
#include "directory/entry_rules.h"
#include "resources/resource.h"

namespace {

// Characters first to first + count - 1 of the text, or as many of them as it
// has; a hand-edited birthday may hold other characters than digits.
void setPartText(HWND dialog, int id, std::string_view text, size_t first, size_t count)
{
    size_t start = editorPrefixBytes(text, first);
    SetDlgItemTextA(dialog, id, std::string(text.substr(start, editorPrefixBytes(text.substr(start), count))).c_str());
}

bool isComboBox(HWND control)
{
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, "ComboBox") == 0;
}

// The period kind whose text begins with the stored one; the first kind when
// none does, so that a new task starts as the first.
void selectPeriod(HWND box, const char* period)
{
    LRESULT item = period[0] ? SendMessageA(box, CB_FINDSTRING, 0, LPARAM(period)) : CB_ERR;
    SendMessageA(box, CB_SETCURSEL, item == CB_ERR ? 0 : item, 0);
}

void limitText(HWND dialog, int id, int characters)
{
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, characters, 0);
}

template <size_t width>
void readText(HWND dialog, int id, char (&field)[width])
{
    readControlText(GetDlgItem(dialog, id), field, width);
}

void openContact(HWND dialog, LPARAM edit)
{
    limitText(dialog, IDC_ENTRY_NAME, int(charactersOfBuffer(sizeof(DirectoryEntry::name))));
    limitText(dialog, IDC_ENTRY_PHONE, int(charactersOfBuffer(sizeof(DirectoryEntry::phone))));
    limitText(dialog, IDC_ENTRY_EMAIL, int(charactersOfBuffer(sizeof(DirectoryEntry::email))));
    limitText(dialog, IDC_BIRTHDAY_MONTH, 2);
    limitText(dialog, IDC_BIRTHDAY_DAY, 2);
    limitText(dialog, IDC_BIRTHDAY_YEAR, 4);
    limitText(dialog, IDC_ENTRY_DESCRIPTION, int(charactersOfBuffer(sizeof(DirectoryEntry::description))));
    showEntryInDialog(dialog, startEntryDialog(dialog, edit));
}

// A birthday that is incomplete or impossible is dropped without a word: the
// contact is still worth keeping.
void storeContact(HWND dialog)
{
    DirectoryEntry entry{};
    readText(dialog, IDC_ENTRY_NAME, entry.name);
    readText(dialog, IDC_ENTRY_PHONE, entry.phone);
    readText(dialog, IDC_ENTRY_EMAIL, entry.email);
    readText(dialog, IDC_ENTRY_DESCRIPTION, entry.description);
    char month[8], day[8], year[8];
    GetDlgItemTextA(dialog, IDC_BIRTHDAY_MONTH, month, sizeof month);
    GetDlgItemTextA(dialog, IDC_BIRTHDAY_DAY, day, sizeof day);
    GetDlgItemTextA(dialog, IDC_BIRTHDAY_YEAR, year, sizeof year);
    composeBirthday(month, day, year, entry.birthday);
    finishEntryDialog(dialog, entry, checkEntryName(entry.name));
}

void storeTemplate(HWND dialog)
{
    DirectoryEntry entry{};
    readText(dialog, IDC_ENTRY_NAME, entry.name);
    finishEntryDialog(dialog, entry, checkEntryName(entry.name));
}

}  // namespace

const DirectoryEntry& startEntryDialog(HWND dialog, LPARAM edit)
{
    SetWindowLongPtrA(dialog, DWLP_USER, edit);
    const EntryEdit& asked = *reinterpret_cast<const EntryEdit*>(edit);
    if (asked.caption) SetWindowTextA(dialog, asked.caption);
    return asked.entry;
}

void finishEntryDialog(HWND dialog, const DirectoryEntry& entry, const char* problem)
{
    auto* edit = reinterpret_cast<EntryEdit*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (problem) {
        showMessage(edit->listControl, problem, MB_OK | MB_ICONINFORMATION);
        return;
    }
    edit->entry = entry;
    EndDialog(dialog, 1);
}

void showEntryInDialog(HWND dialog, DirectoryEntry entry)
{
    auto setText = [dialog](int id, const char* text) {
        if (GetDlgItem(dialog, id)) SetDlgItemTextA(dialog, id, text);
    };
    setText(IDC_ENTRY_NAME, entry.name);
    setText(IDC_ENTRY_PHONE, entry.phone);
    setText(IDC_ENTRY_EMAIL, entry.email);
    if (HWND box = GetDlgItem(dialog, IDC_ENTRY_DESCRIPTION)) {
        if (isComboBox(box))
            selectPeriod(box, entry.period);
        else
            SetWindowTextA(box, entry.description);
    }
    if (GetDlgItem(dialog, IDC_BIRTHDAY_MONTH)) {
        setPartText(dialog, IDC_BIRTHDAY_MONTH, entry.birthday, 0, 2);
        setPartText(dialog, IDC_BIRTHDAY_DAY, entry.birthday, 3, 2);
        setPartText(dialog, IDC_BIRTHDAY_YEAR, entry.birthday, 6, 4);
    }
    size_t weekLength = strnlen(entry.week, sizeof entry.week);
    for (int i = 0; i < 7; ++i) {
        if (!GetDlgItem(dialog, IDC_FIRST_WEEKDAY_BOX + i)) continue;
        bool ticked = size_t(i) < weekLength && entry.week[i] == '+';
        CheckDlgButton(dialog, IDC_FIRST_WEEKDAY_BOX + i, ticked ? BST_CHECKED : BST_UNCHECKED);
    }
    setText(IDC_TASK_DAY, entry.day);
    setText(IDC_TASK_MONTH, entry.month);
}

INT_PTR CALLBACK ContactDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: openContact(dialog, lParam); return 1;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: storeContact(dialog); return 1;
        case IDCANCEL: EndDialog(dialog, 0); return 1;
        }
        break;
    }
    return 0;
}

INT_PTR CALLBACK TemplateDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        limitText(dialog, IDC_ENTRY_NAME, int(charactersOfBuffer(sizeof(DirectoryEntry::name))));
        showEntryInDialog(dialog, startEntryDialog(dialog, lParam));
        return 1;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: storeTemplate(dialog); return 1;
        case IDCANCEL: EndDialog(dialog, 0); return 1;
        }
        break;
    }
    return 0;
}
