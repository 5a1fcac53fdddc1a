// Subscribed calendars: the dialog that lists them, a worker thread that reads them so the window never waits
// for the network, and each reading placed on the days ahead as an import.
#include "app/subscriptions_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "app/app_state_win32.h"
#include "app/calendar_download_win32.h"
#include "app/import_calendar_win32.h"
#include "app/list_columns_win32.h"
#include "app/locale_text_win32.h"
#include "icalendar/ical_reader.h"
#include "icalendar/subscriptions.h"
#include "storage/file_store.h"
#include "storage/ini_file.h"
#include "resources/resource.h"

namespace {

constexpr ULONGLONG readingInterval = 30 * 60 * 1000;

// What this run knows of a calendar, by its address.
struct SubscriptionState {
    std::string lastRead;  // when it last read well, as the user's clock showed
    std::string state;
    CalendarValidators validators;
    bool failureTold = false;
    std::string failureToTell;  // waits while another message is open
    int placedDay = 0;          // dateKey of the day its calendar was last placed on
};

struct Reading {
    Subscription subscription;
    CalendarDownload download;
    // The calendar answered, or the copy kept when the answer was "not modified", read on the worker too: a large
    // calendar takes longer to read than to place.
    CalendarFile file;
    bool readable = false;
    bool sameAsKept = false;  // the copy kept holds these bytes already
};

// Shared with the worker; never freed, since a worker may still be reading when the program ends.
struct Worker {
    std::mutex mutex;
    std::vector<Reading> done;
    bool busy = false;
};
Worker& worker = *new Worker;

std::map<std::string, SubscriptionState> states;
ULONGLONG lastStarted = 0;
bool started = false;
HWND dialog = nullptr;

std::vector<Subscription> loadSubscriptions()
{
    IniFile ini;
    loadIniFile(subscriptionsPath, ini);
    return readSubscriptions(ini);
}

std::string controlText(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    std::wstring text(size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return fromWide(text);
}

std::string nowText()
{
    SYSTEMTIME now = localTime();
    char text[32];
    wsprintfA(text, "%04d-%02d-%02d %02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    return text;
}

HWND list()
{
    return GetDlgItem(dialog, IDC_SUBSCRIPTION_LIST);
}

void showSubscriptions()
{
    if (!dialog) return;
    int selected = int(SendMessageA(list(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    SendMessageA(list(), LVM_DELETEALLITEMS, 0, 0);
    std::vector<Subscription> subscriptions = loadSubscriptions();
    for (size_t row = 0; row < subscriptions.size(); ++row) {
        const SubscriptionState& state = states[subscriptions[row].address];
        std::wstring texts[] = {toWide(subscriptions[row].name), toWide(subscriptions[row].address),
                                toWide(state.lastRead), toWide(state.state)};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = int(row);
        item.pszText = texts[0].data();
        SendMessageW(list(), LVM_INSERTITEMW, 0, LPARAM(&item));
        for (int column = 1; column < 4; ++column) {
            item.iSubItem = column;
            item.pszText = texts[column].data();
            SendMessageW(list(), LVM_SETITEMTEXTW, row, LPARAM(&item));
        }
    }
    if (subscriptions.empty()) return;
    LVITEMA item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list(), LVM_SETITEMSTATE, std::clamp(selected, 0, int(subscriptions.size()) - 1), LPARAM(&item));
}

// The list is read again before each change, so one made on another computer is kept.
bool changeSubscriptions(const std::function<void(std::vector<Subscription>&)>& change)
{
    std::vector<Subscription> subscriptions = loadSubscriptions();
    change(subscriptions);
    std::string bytes = composeSubscriptions(subscriptions);
    if (writeFileAtomically(subscriptionsPath, bytes.data(), bytes.size())) return true;
    showMessage(dialog, "The subscriptions could not be saved.", MB_OK | MB_ICONERROR);
    return false;
}

void tellFailures()
{
    for (auto& [address, state] : states) {
        if (state.failureToTell.empty() || messageBoxOpen()) continue;
        std::string text = std::move(state.failureToTell);
        state.failureToTell.clear();
        showMessage(appState.mainWindow, text.c_str(), MB_OK | MB_ICONWARNING);
    }
}

void failed(const Subscription& subscription, const std::string& reason)
{
    SubscriptionState& state = states[subscription.address];
    state.state = reason;
    if (state.failureTold) return;
    state.failureTold = true;
    state.failureToTell = readingFailureMessage(subscription.name, reason);
}

void take(Reading& reading)
{
    SubscriptionState& state = states[reading.subscription.address];
    const CalendarDownload& download = reading.download;
    if (download.result == CalendarDownload::failed) return failed(reading.subscription, download.reason);
    if (download.result == CalendarDownload::changed && !reading.readable)
        return failed(reading.subscription, "not a calendar file");
    // What was placed today stays as it is; a new day brings a day into reach, so the same calendar is placed again.
    int today = dateKey(toSystemTime(localTime()));
    if (reading.readable && !(reading.sameAsKept && state.placedDay == today)) {
        if (!reading.sameAsKept) {
            createFolder(subscriptionCopiesFolder);
            std::string copy = subscriptionCopyPath(reading.subscription.address);
            writeFileAtomically(copy.c_str(), download.bytes.data(), download.bytes.size());
        }
        placeCalendar(reading.file, {reading.subscription.address, true});
        state.placedDay = today;
    }
    if (download.result == CalendarDownload::changed) state.validators = download.validators;
    state.lastRead = nowText();
    state.state = "Up to date";
    state.failureTold = false;
}

INT_PTR CALLBACK AddSubscriptionProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDCANCEL) EndDialog(window, IDCANCEL);
    if (LOWORD(wParam) != IDOK) return TRUE;
    Subscription added{controlText(window, IDC_SUBSCRIPTION_NAME), controlText(window, IDC_SUBSCRIPTION_ADDRESS)};
    if (added.name.empty() || parseCalendarAddress(added.address).kind == CalendarAddress::invalid) {
        showMessage(window, "Give the calendar a name, and an address beginning with http://, https:// or webcal://, or a file's path.",
                    MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    if (changeSubscriptions([&](std::vector<Subscription>& subscriptions) { subscriptions.push_back(added); }))
        EndDialog(window, IDOK);
    return TRUE;
}

void removeSelected()
{
    int row = int(SendMessageA(list(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    std::vector<Subscription> subscriptions = loadSubscriptions();
    if (row < 0 || row >= int(subscriptions.size())) return;
    Subscription removed = subscriptions[size_t(row)];
    std::string question = "Remove the subscription " + removed.name + "? The lines it placed stay on their days.";
    if (showMessage(dialog, question.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
    changeSubscriptions([&](std::vector<Subscription>& all) {
        std::erase_if(all, [&](const Subscription& s) { return s.name == removed.name && s.address == removed.address; });
    });
}

INT_PTR CALLBACK SubscriptionsProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        dialog = window;
        static const ListColumn columns[] = {{"Name", 100}, {"Address", 230}, {"Last read", 110}, {"State", 110}};
        addListColumns(list(), columns, LVS_EX_FULLROWSELECT);
        showSubscriptions();
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ADD_SUBSCRIPTION:
            if (DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_ADD_SUBSCRIPTION), window, AddSubscriptionProc, 0) ==
                IDOK)
                readSubscriptionsNow();
            break;
        case IDC_REMOVE_SUBSCRIPTION: removeSelected(); break;
        case IDC_READ_SUBSCRIPTIONS: readSubscriptionsNow(); break;
        case IDCANCEL: EndDialog(window, IDCANCEL); break;
        default: return FALSE;
        }
        showSubscriptions();
        return TRUE;
    case WM_DESTROY: dialog = nullptr; break;
    }
    return FALSE;
}

}  // namespace

void openSubscriptionsDialog()
{
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_SUBSCRIPTIONS), appState.mainWindow, SubscriptionsProc, 0);
}

bool readSubscriptionsNow()
{
    started = true;
    lastStarted = GetTickCount64();
    std::vector<Subscription> subscriptions = loadSubscriptions();
    {
        std::lock_guard lock(worker.mutex);
        if (worker.busy || subscriptions.empty()) return false;
        worker.busy = true;
    }
    std::vector<std::pair<Subscription, CalendarValidators>> asked;
    for (const Subscription& s : subscriptions) {
        states[s.address].state = "Reading...";
        asked.emplace_back(s, states[s.address].validators);
    }
    HWND window = appState.mainWindow;
    std::thread([asked, window] {
        for (const auto& [subscription, validators] : asked) {
            Reading reading{subscription, downloadCalendar(subscription.address, validators), {}};
            std::string kept;
            readWholeFile(subscriptionCopyPath(subscription.address).c_str(), kept);
            bool changed = reading.download.result == CalendarDownload::changed;
            reading.sameAsKept = reading.download.result == CalendarDownload::unchanged ||
                                 (changed && reading.download.bytes == kept);
            const std::string& bytes = changed ? reading.download.bytes : kept;
            if (reading.download.result != CalendarDownload::failed && !bytes.empty())
                reading.readable = readCalendarFile(bytes, reading.file) == CalendarFileCheck::read;
            std::lock_guard lock(worker.mutex);
            worker.done.push_back(std::move(reading));
            PostMessageA(window, WM_SUBSCRIPTION_READ, 0, 0);
        }
        std::lock_guard lock(worker.mutex);
        worker.busy = false;
    }).detach();
    return true;
}

void readSubscriptionsWhenDue()
{
    if (!started || GetTickCount64() - lastStarted >= readingInterval) readSubscriptionsNow();
    tellFailures();
}

void takeSubscriptionReadings()
{
    std::vector<Reading> readings;
    {
        std::lock_guard lock(worker.mutex);
        readings.swap(worker.done);
    }
    // A reading of a subscription removed meanwhile places nothing.
    std::vector<Subscription> subscriptions = loadSubscriptions();
    for (Reading& reading : readings)
        if (std::ranges::any_of(subscriptions, [&](const Subscription& s) {
                return s.name == reading.subscription.name && s.address == reading.subscription.address;
            }))
            take(reading);
    showSubscriptions();
    tellFailures();
}
