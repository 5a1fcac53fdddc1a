// The add/edit dialog of a periodic task, whose fields follow the period chosen.
#include "app/periodic_task_dialog_win32.h"

#include <commctrl.h>

#include "app/app_state_win32.h"
#include "app/entry_dialogs_win32.h"
#include "app/locale_text_win32.h"
#include "directory/entry_rules.h"
#include "resources/resource.h"

namespace {

constexpr int weekdayCount = 7;

// The up arrow steps toward 1, the down arrow toward the largest value.
void setUpStepper(HWND dialog, int stepper, int buddy, int largest)
{
    SendDlgItemMessageA(dialog, stepper, UDM_SETBUDDY, WPARAM(GetDlgItem(dialog, buddy)), 0);
    SendDlgItemMessageA(dialog, stepper, UDM_SETRANGE, 0, MAKELPARAM(1, largest));
    SendDlgItemMessageA(dialog, stepper, UDM_SETPOS, 0, 0);
}

void readPeriodicTaskDialog(HWND dialog, PeriodicTask& task)
{
    readControlText(GetDlgItem(dialog, IDC_ENTRY_NAME), task.name, sizeof task.name);
    readControlText(GetDlgItem(dialog, IDC_TASK_DAY), task.day, sizeof task.day);
    readControlText(GetDlgItem(dialog, IDC_TASK_MONTH), task.month, sizeof task.month);
    task.period[0] = '\0';
    HWND box = GetDlgItem(dialog, IDC_TASK_PERIOD);
    LRESULT item = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (item != CB_ERR && SendMessageA(box, CB_GETLBTEXTLEN, item, 0) < LRESULT(sizeof task.period))
        SendMessageA(box, CB_GETLBTEXT, item, LPARAM(task.period));
    for (int i = 0; i < weekdayCount; ++i)
        task.week[i] = IsDlgButtonChecked(dialog, IDC_FIRST_WEEKDAY_BOX + i) == BST_CHECKED ? '+' : '-';
    task.week[weekdayCount] = '\0';
}

void enable(HWND dialog, const int (&ids)[3], bool enabled)
{
    for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enabled);
}

void updatePeriodicTaskFields(HWND dialog)
{
    PeriodicTask task{};
    readPeriodicTaskDialog(dialog, task);
    bool byWeek = lstrcmpA(task.period, appState.periodNames[periodDayOrWeek]) == 0;
    bool byMonth = lstrcmpA(task.period, appState.periodNames[periodMonth]) == 0;
    for (int i = 0; i < weekdayCount; ++i) EnableWindow(GetDlgItem(dialog, IDC_FIRST_WEEKDAY_BOX + i), byWeek);
    enable(dialog, {IDC_TASK_DAY, IDC_TASK_DAY_LABEL, IDC_TASK_DAY_STEPPER}, !byWeek);
    enable(dialog, {IDC_TASK_MONTH, IDC_TASK_MONTH_LABEL, IDC_TASK_MONTH_STEPPER}, !byWeek && !byMonth);
}

void openPeriodicTask(HWND dialog, LPARAM edit)
{
    setUpStepper(dialog, IDC_TASK_DAY_STEPPER, IDC_TASK_DAY, 31);
    setUpStepper(dialog, IDC_TASK_MONTH_STEPPER, IDC_TASK_MONTH, 12);
    SendDlgItemMessageA(dialog, IDC_ENTRY_NAME, EM_LIMITTEXT, charactersOfBuffer(sizeof(PeriodicTask::name)), 0);
    SendDlgItemMessageA(dialog, IDC_TASK_DAY, EM_LIMITTEXT, 2, 0);
    SendDlgItemMessageA(dialog, IDC_TASK_MONTH, EM_LIMITTEXT, 2, 0);
    PeriodicTask task = startEntryDialog(dialog, edit);
    for (const char* name : appState.periodNames)
        SendDlgItemMessageA(dialog, IDC_TASK_PERIOD, CB_ADDSTRING, 0, LPARAM(name));
    showEntryInDialog(dialog, task);
    updatePeriodicTaskFields(dialog);
}

// Only the fields the period uses are stored; the others are emptied even when
// their disabled controls still show something.
void storePeriodicTask(HWND dialog)
{
    PeriodicTask task{};
    readPeriodicTaskDialog(dialog, task);
    const char* problem = checkPeriodicTask(task);
    finishEntryDialog(dialog, task, problem);
}

}  // namespace

INT_PTR CALLBACK PeriodicTaskDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: openPeriodicTask(dialog, lParam); return 1;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: storePeriodicTask(dialog); return 1;
        case IDCANCEL: EndDialog(dialog, 0); return 1;
        case IDC_TASK_PERIOD:
            if (HIWORD(wParam) == CBN_SELCHANGE) updatePeriodicTaskFields(dialog);
            return 1;
        }
        break;
    }
    return 0;
}
