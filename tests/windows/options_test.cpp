// The options: their dialog, where they are kept in the registry, and the logon-start entry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>

#include "app/commands_win32.h"
#include "app/options_win32.h"
#include "dialog_script.h"
#include "main_window_fixture.h"

namespace {

const char programKey[] = "Software\\Brenhollow\\Quillory";
const char runKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct StoredValue {
    bool present = false;
    DWORD type = 0;
    std::string bytes;
};

StoredValue storedValue(const char* keyName, const char* name)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, std::wstring(name, name + strlen(name)).c_str(), nullptr, &value.type, nullptr,
                         &size) == ERROR_SUCCESS) {
        value.present = true;
        value.bytes.resize(size);
        RegQueryValueExW(key, std::wstring(name, name + strlen(name)).c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    }
    RegCloseKey(key);
    return value;
}

DWORD storedDword(const char* name)
{
    StoredValue value = storedValue(programKey, name);
    EXPECT_TRUE(value.present) << name;
    EXPECT_EQ(value.type, DWORD(REG_DWORD)) << name;
    DWORD number = 0xFFFFFFFF;
    if (value.bytes.size() == sizeof number) memcpy(&number, value.bytes.data(), sizeof number);
    return number;
}

std::wstring storedRunText()
{
    StoredValue value = storedValue(runKey, "Quillory");
    std::wstring text(reinterpret_cast<const wchar_t*>(value.bytes.data()), value.bytes.size() / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

void store(const char* keyName, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void storeDword(const char* name, DWORD value) { store(programKey, name, REG_DWORD, &value, sizeof value); }

class Options : public MainWindowTest {
protected:
    // Opens the dialog as the menu does and plays the step inside it before it closes.
    void useOptionsDialog(const DialogStep& inside)
    {
        runWithDialogs([&] { command(IDM_OPTIONS); }, {inside});
        EXPECT_EQ(dialogNamed("Options"), nullptr);
    }

    // The boxes ticked in the open dialog, named after the options they set.
    static std::string tickedBoxes()
    {
        const std::pair<int, const char*> boxes[] = {
            {IDC_AUTORUN, "autorun"}, {IDC_AM_PM, "am_pm"}, {IDC_SHOW_TIME, "showTime"}, {IDC_LARGE_FONT, "largeFont"}};
        std::string names;
        for (auto [id, name] : boxes)
            if (boxTicked(dialogNamed("Options"), id)) names += names.empty() ? name : std::string(" ") + name;
        return names;
    }
};

TEST_F(Options, FirstRunUsesTheDefaultsAndItsSaveStoresThem)
{
    openWindow();
    EXPECT_EQ(appState.autorun, 1);
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "13");
    EXPECT_NE(text(IDC_CLOCK), "2026");
    useOptionsDialog([&] {
        EXPECT_EQ(tickedBoxes(), "autorun showTime");
        clickButton("Options", IDCANCEL);
    });

    closeWindow();
    EXPECT_EQ(storedDword("am_pm"), 0u);
    EXPECT_EQ(storedDword("showTime"), 1u);
    EXPECT_EQ(storedDword("largeFont"), 0u);
    StoredValue run = storedValue(runKey, "Quillory");
    ASSERT_TRUE(run.present);
    EXPECT_EQ(run.type, DWORD(REG_SZ));
    std::wstring commandLine = GetCommandLineW();
    TrimBlanks(commandLine.data());
    commandLine.resize(wcslen(commandLine.c_str()));
    EXPECT_EQ(storedRunText(), commandLine + L" -autorun");
}

TEST_F(Options, AutorunOffDeletesTheRunValueAtTheNextSaveAndOnWritesItAgain)
{
    openWindow();
    closeWindow();
    ASSERT_TRUE(storedValue(runKey, "Quillory").present);

    openWindow();
    useOptionsDialog([&] {
        clickButton("Options", IDC_AUTORUN);
        clickButton("Options", IDOK);
    });
    EXPECT_EQ(appState.autorun, 0);
    EXPECT_TRUE(storedValue(runKey, "Quillory").present);  // nothing is written before the save
    closeWindow();
    EXPECT_FALSE(storedValue(runKey, "Quillory").present);

    openWindow();
    EXPECT_EQ(appState.autorun, 0);
    closeWindow();  // deleting a value that is not there is no error
    EXPECT_FALSE(storedValue(runKey, "Quillory").present);
    openWindow();
    useOptionsDialog([&] {
        clickButton("Options", IDC_AUTORUN);
        clickButton("Options", IDOK);
    });
    closeWindow();
    EXPECT_TRUE(storedValue(runKey, "Quillory").present);
}

TEST_F(Options, SetToDefaultThenCancelChangesNothing)
{
    storeDword("am_pm", 1);
    storeDword("showTime", 0);
    appState.largeFont = 1;  // read by the entry point, before the window
    openWindow();
    appState.autorun = 0;
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "01");
    EXPECT_EQ(text(IDC_CLOCK), "2026");
    useOptionsDialog([&] {
        EXPECT_EQ(tickedBoxes(), "am_pm largeFont");
        clickButton("Options", IDC_SET_DEFAULT);
        EXPECT_TRUE(IsWindow(dialogNamed("Options")));
        EXPECT_EQ(tickedBoxes(), "autorun showTime");
        pressKey("Options", VK_ESCAPE);
    });
    EXPECT_EQ(appState.autorun, 0);
    EXPECT_EQ(appState.am_pm, 1);
    EXPECT_EQ(appState.showTime, 0);
    EXPECT_EQ(appState.largeFont, 1);
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "01");
    EXPECT_EQ(text(IDC_CLOCK), "2026");
}

TEST_F(Options, OkAppliesTheHourLabelsAndTheClockAtOnce)
{
    openWindow();
    useOptionsDialog([&] {
        clickButton("Options", IDC_AM_PM);
        clickButton("Options", IDC_SHOW_TIME);
        clickButton("Options", IDC_LARGE_FONT);
        clickButton("Options", IDOK);
    });
    const char* hours[] = {"08", "09", "10", "11", "12", "01", "02", "03", "04", "05", "06"};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + i), hours[i]);
    EXPECT_EQ(text(IDC_CLOCK), "2026");
    EXPECT_EQ(appState.largeFont, 1);
    closeWindow();
    EXPECT_EQ(storedDword("am_pm"), 1u);
    EXPECT_EQ(storedDword("showTime"), 0u);
    EXPECT_EQ(storedDword("largeFont"), 1u);
}

TEST_F(Options, ValuesOfAnotherTypeAreIgnoredAndReplacedAtTheNextSave)
{
    store(programKey, "am_pm", REG_SZ, "1", 2);
    store(programKey, "showTime", REG_BINARY, "\0\0\0\0", 4);
    DWORD number = 1;
    store(runKey, "Quillory", REG_DWORD, &number, sizeof number);
    openWindow();
    EXPECT_EQ(appState.am_pm, 0);
    EXPECT_EQ(appState.showTime, 1);
    EXPECT_EQ(appState.autorun, 0);
    EXPECT_EQ(text(IDC_FIRST_HOUR_LABEL + 5), "13");
    closeWindow();
    EXPECT_EQ(storedDword("am_pm"), 0u);
    EXPECT_EQ(storedDword("showTime"), 1u);
    EXPECT_FALSE(storedValue(runKey, "Quillory").present);
}

TEST_F(Options, ALongRunValueStillReadsAsAutorunOn)
{
    std::string longLine = "\"C:\\" + std::string(600, 'q') + "\\quillory.exe\" -autorun";
    store(runKey, "Quillory", REG_SZ, longLine.c_str(), DWORD(longLine.size() + 1));
    storeDword("am_pm", 0);
    openWindow();
    EXPECT_EQ(appState.autorun, 1);
}

TEST_F(Options, LargeFontIsReadBeforeTheWindowExists)
{
    readLargeFontOption();
    EXPECT_EQ(appState.largeFont, 0);
    store(programKey, "largeFont", REG_SZ, "1", 2);
    readLargeFontOption();
    EXPECT_EQ(appState.largeFont, 0);
    storeDword("largeFont", 1);
    readLargeFontOption();
    EXPECT_EQ(appState.largeFont, 1);
}

TEST(RunCommandLine, AddsTheArgumentOnceAndKeepsTheWholeLine)
{
    EXPECT_EQ(runCommandLine(L"  C:\\Q\\quillory.exe  "), L"C:\\Q\\quillory.exe -autorun");
    EXPECT_EQ(runCommandLine(L"\"C:\\My Q\\quillory.exe\" -autorun "), L"\"C:\\My Q\\quillory.exe\" -autorun");
    EXPECT_EQ(runCommandLine(L"quillory.exe \"-autorun\""), L"quillory.exe \"-autorun\"");
    EXPECT_EQ(runCommandLine(L"quillory.exe x-autorun"), L"quillory.exe x-autorun -autorun");
    EXPECT_EQ(runCommandLine(L"-autorun"), L"-autorun -autorun");  // a program path, not an argument
    std::wstring longPath = L"\"C:\\" + std::wstring(900, L'p') + L"\\quillory.exe\"";
    EXPECT_EQ(runCommandLine(longPath.c_str()), longPath + L" -autorun");
}

}  // namespace
