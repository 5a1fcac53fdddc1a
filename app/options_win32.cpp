// The options, kept in the registry, and the Options dialog.
#include "app/options_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "app/app_state_win32.h"
#include "app/day_view_win32.h"
#include "app/locale_text_win32.h"
#include "resources/resource.h"

namespace {

const char programKey[] = "Software\\Brenhollow\\Quillory";
const char runKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t autorunArgument[] = L"-autorun";

// A value of another type, or none at all, leaves the default.
int32_t readDword(HKEY key, const char* name, int32_t fallback)
{
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return fallback;
    return int32_t(value);
}

void writeDword(HKEY key, const char* name, int32_t value)
{
    DWORD data = DWORD(value);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

// Autorun is on while a text value named after the caption exists. Its length
// does not matter: a long command line is written whole, so it must read back as on.
void readAutorun()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, runKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    DWORD type = 0;
    appState.autorun =
        RegQueryValueExA(key, appState.caption, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS && type == REG_SZ;
    RegCloseKey(key);
}

// Start-up looks for "-autorun" as the second argument only, so the entry is
// the program's own path and that argument: a copy started with arguments of
// its own still stores an entry that works.
std::wstring runCommandLine()
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD n;
    while ((n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) >= path.size())
        path.resize(path.size() * 2);
    path.resize(n);
    return L"\"" + path + L"\" " + autorunArgument;
}

void writeRunValue(HKEY key)
{
    wchar_t name[260] = L"";
    LoadStringW(appState.instance, IDS_CAPTION, name, 260);
    std::wstring commandLine = runCommandLine();
    // A text value is stored with its terminator, so every reader finds it ended.
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(commandLine.c_str()),
                   DWORD((commandLine.size() + 1) * sizeof(wchar_t)));
}

const int quickAddHotkey = 1;
bool keyHeld = false;

UINT modifiersOf(int32_t key)
{
    BYTE held = HIBYTE(LOWORD(key));
    return (held & HOTKEYF_SHIFT ? MOD_SHIFT : 0) | (held & HOTKEYF_CONTROL ? MOD_CONTROL : 0) |
           (held & HOTKEYF_ALT ? MOD_ALT : 0) | MOD_NOREPEAT;
}

// A start that is not told where to work goes where the program last ran.
void writeFolder(HKEY key)
{
    wchar_t folder[MAX_PATH * 4];
    DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, folder);
    if (length == 0 || length >= MAX_PATH * 4) return;
    RegSetValueExW(key, L"folder", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), (length + 1) * sizeof(wchar_t));
}

void setBox(HWND dialog, int id, int32_t on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int32_t boxValue(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

int32_t chosenKey(HWND dialog)
{
    return LOWORD(SendDlgItemMessageA(dialog, IDC_QUICK_ADD_KEY, HKM_GETHOTKEY, 0, 0));
}

// The key is tried as it is chosen, so the user learns at once that another
// program holds it; the program's own key is let go meanwhile, or pressing
// it here would open the box instead of choosing it.
void tryChosenKey(HWND dialog)
{
    bool free = useQuickAddKey(chosenKey(dialog));
    dropQuickAddKey();
    ShowWindow(GetDlgItem(dialog, IDC_QUICK_ADD_KEY_HELD), free ? SW_HIDE : SW_SHOW);
}

void showOptions(HWND dialog, int32_t autorun, int32_t am_pm, int32_t showTime, int32_t largeFont, int32_t key)
{
    setBox(dialog, IDC_AUTORUN, autorun);
    setBox(dialog, IDC_AM_PM, am_pm);
    setBox(dialog, IDC_SHOW_TIME, showTime);
    setBox(dialog, IDC_LARGE_FONT, largeFont);
    SendDlgItemMessageA(dialog, IDC_QUICK_ADD_KEY, HKM_SETHOTKEY, WPARAM(key), 0);
    tryChosenKey(dialog);
}

// A global key needs Shift with Ctrl or Alt: a bare key, Shift, Ctrl or Alt
// alone would take typing or a shortcut from every other program, and
// Ctrl+Alt is AltGr on many keyboards (AltGr+Q types @ in German). Such a
// choice gets all three.
void setKeyRules(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_QUICK_ADD_KEY, HKM_SETRULES,
                        HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A | HKCOMB_CA,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT, 0));
}

void applyOptions(HWND dialog)
{
    appState.autorun = boxValue(dialog, IDC_AUTORUN);
    appState.am_pm = boxValue(dialog, IDC_AM_PM);
    appState.showTime = boxValue(dialog, IDC_SHOW_TIME);
    appState.largeFont = boxValue(dialog, IDC_LARGE_FONT);
    appState.quickAddKey = chosenKey(dialog);
    useQuickAddKey(appState.quickAddKey);
    showHourLabels();
    EndDialog(dialog, 0);
}

void cancelOptions(HWND dialog)
{
    useQuickAddKey(appState.quickAddKey);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        setKeyRules(dialog);
        showOptions(dialog, appState.autorun, appState.am_pm, appState.showTime, appState.largeFont,
                     appState.quickAddKey);
        return 1;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: applyOptions(dialog); break;
        case IDCANCEL: cancelOptions(dialog); break;
        case IDC_SET_DEFAULT: showOptions(dialog, 1, 0, 1, 0, defaultQuickAddKey); break;
        case IDC_QUICK_ADD_KEY:
            if (HIWORD(wParam) == EN_CHANGE) tryChosenKey(dialog);
            break;
        }
        break;
    }
    return 0;
}

}  // namespace

void openOptionsDialog()
{
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_OPTIONS), appState.mainWindow, OptionsDialogProc, 0);
}

void readLargeFontOption()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, programKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    appState.largeFont = readDword(key, "largeFont", appState.largeFont);
    RegCloseKey(key);
}

std::string recordedFolder()
{
    wchar_t folder[MAX_PATH * 4] = L"";
    DWORD size = sizeof folder;
    if (RegGetValueW(HKEY_CURRENT_USER, toWide(programKey).c_str(), L"folder", RRF_RT_REG_SZ, nullptr, folder, &size) !=
        ERROR_SUCCESS)
        return {};
    return fromWide(folder);
}

void readOptions()
{
    HKEY key;
    // Before the first save there is no key, and every option keeps its default.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, programKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    appState.am_pm = readDword(key, "am_pm", appState.am_pm);
    appState.showTime = readDword(key, "showTime", appState.showTime);
    appState.calendarFile = readDword(key, "calendarFile", appState.calendarFile) ? 1 : 0;
    appState.quickAddKey = readDword(key, "quickAddKey", appState.quickAddKey) & 0xFFFF;
    RegCloseKey(key);
    readAutorun();
}

void writeOptions()
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, programKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        writeDword(key, "am_pm", appState.am_pm);
        writeDword(key, "showTime", appState.showTime);
        writeDword(key, "largeFont", appState.largeFont);
        writeDword(key, "calendarFile", appState.calendarFile);
        writeDword(key, "quickAddKey", appState.quickAddKey);
        writeFolder(key);
        RegCloseKey(key);
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, runKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (appState.autorun)
        writeRunValue(key);
    else
        RegDeleteValueA(key, appState.caption);
    RegCloseKey(key);
}

bool useQuickAddKey(int32_t key)
{
    dropQuickAddKey();
    keyHeld = key != 0 && !RegisterHotKey(appState.mainWindow, quickAddHotkey, modifiersOf(key), LOBYTE(key));
    return !keyHeld;
}

void dropQuickAddKey()
{
    UnregisterHotKey(appState.mainWindow, quickAddHotkey);
}

bool quickAddKeyHeld()
{
    return keyHeld;
}
