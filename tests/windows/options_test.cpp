// The options: their dialog, where they are kept in the registry, and the logon-start entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/commands_win32.h"
#include "app/options_win32.h"
#include "dialog_script.h"
#include "main_window_fixture.h"

namespace {

const char programKey[] = "Software\\Brenhollow\\Quillory";
const char runKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A value as stored: its type and bytes, or "missing".
std::string stored(const char* key, const char* name)
{
    BYTE bytes[4096];
    DWORD type = 0, size = sizeof bytes;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, bytes, &size) != ERROR_SUCCESS)
        return "missing";
    if (type == REG_DWORD) return "dword " + std::to_string(*reinterpret_cast<DWORD*>(bytes));
    return std::to_string(type) + " " + std::string(reinterpret_cast<char*>(bytes), size);
}

void store(const char* key, const char* name, DWORD type, const void* data, DWORD size)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, data, size);
}

using Options = MainWindowTest;

TEST_F(Options, OkAppliesAtOnceAndClosingStoresEveryOptionAndTheLogonEntry)
{
    openWindow();
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "13");
    runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                       HWND dialog = dialogNamed("Options");
                       EXPECT_TRUE(boxTicked(dialog, IDC_AUTORUN) && boxTicked(dialog, IDC_SHOW_TIME));
                       for (int box : {IDC_AM_PM, IDC_SHOW_TIME, IDC_LARGE_FONT}) clickButton("Options", box);
                       clickButton("Options", IDOK);
                   }});
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5) + text(IDC_CLOCK), "012026");
    closeWindow();
    std::string values;
    for (const char* name : {"am_pm", "showTime", "largeFont"}) values += stored(programKey, name) + "|";
    EXPECT_EQ(values, "dword 1|dword 0|dword 1|");
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\" -autorun";
    EXPECT_EQ(stored(runKey, "Quillory"), "1 " + std::string(commandLine.begin(), commandLine.end()) + '\0');
}

TEST_F(Options, AutorunOffDeletesTheLogonEntryAtTheNextSave)
{
    openWindow();
    closeWindow();
    openWindow();
    runWithDialogs([&] { command(IDM_OPTIONS); }, {[&] {
                       clickButton("Options", IDC_AUTORUN);
                       clickButton("Options", IDOK);
                   }});
    EXPECT_NE(stored(runKey, "Quillory"), "missing");  // nothing is written before the save
    closeWindow();
    EXPECT_EQ(stored(runKey, "Quillory"), "missing");
}

TEST_F(Options, ValuesOfAnotherTypeAreIgnored)
{
    store(programKey, "am_pm", REG_SZ, "1", 2);
    store(programKey, "largeFont", REG_SZ, "1", 2);
    DWORD one = 1;
    store(runKey, "Quillory", REG_DWORD, &one, sizeof one);
    readLargeFontOption();
    openWindow();
    EXPECT_EQ(appState.am_pm + appState.largeFont + appState.autorun, 0);
}

}  // namespace
