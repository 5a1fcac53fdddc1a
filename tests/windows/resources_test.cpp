// The main window's templates, menu and shortcut table, checked against the layout they must have.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace {

struct ExpectedControl {
    int id;
    const char* className;
    DWORD style;  // the bits that matter for its role
    RECT place;   // x, y, width, height in dialog units
};

const int lineRows[] = {47, 59, 74, 85, 100, 112, 126, 137, 152, 163, 178,
                        189, 204, 216, 231, 243, 258, 269, 285, 296, 311, 322};
const int scheduleBoxRows[] = {48, 60, 74, 86, 100, 112, 126, 139, 152, 165, 178,
                               190, 204, 217, 231, 244, 258, 271, 285, 298, 311, 324};
const int todoBoxRows[] = {48, 60, 74, 85, 100, 112, 126, 139, 152, 165,
                           178, 190, 204, 217, 231, 244, 258, 271, 285, 298};
const int minuteRows[] = {49, 61, 76, 87, 103, 114, 129, 140, 155, 166, 181,
                          192, 207, 218, 234, 245, 261, 272, 287, 298, 313, 324};
const int hourRows[] = {49, 76, 103, 129, 155, 181, 207, 234, 261, 287, 313};

std::vector<ExpectedControl> expectedControls()
{
    // The border is checked apart: the edit control turns WS_BORDER into a client edge.
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL;
    const DWORD boxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
    std::vector<ExpectedControl> all;
    for (int i = 0; i < 22; ++i) all.push_back({1000 + i, "Edit", editStyle, {49, lineRows[i], 198, 12}});
    for (int i = 0; i < 22; ++i) all.push_back({1101 + i, "Edit", editStyle, {321, lineRows[i], 198, 12}});
    for (int i = 0; i < 22; ++i) all.push_back({1030 + i, "Button", boxStyle, {253, scheduleBoxRows[i], 10, 11}});
    for (int i = 0; i < 20; ++i) all.push_back({1151 + i, "Button", boxStyle, {525, todoBoxRows[i], 10, 11}});
    for (int i = 0; i < 11; ++i) all.push_back({1060 + i, "Static", WS_CHILD | WS_VISIBLE, {7, hourRows[i], 26, 20}});
    for (int i = 0; i < 22; ++i) all.push_back({1229 + i, "Static", WS_CHILD | WS_VISIBLE, {34, minuteRows[i], 11, 8}});
    all.push_back({1090, "Static", WS_CHILD | WS_VISIBLE, {7, 7, 40, 31}});
    all.push_back({1091, "Static", WS_CHILD | WS_VISIBLE, {121, 7, 142, 20}});
    all.push_back({1092, "Static", WS_CHILD | WS_VISIBLE, {321, 7, 142, 20}});
    all.push_back({1093, "Static", WS_CHILD | WS_VISIBLE, {467, 7, 68, 20}});
    const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    all.push_back({1200, "Button", buttonStyle, {49, 7, 21, 20}});
    all.push_back({1201, "Button", buttonStyle, {73, 7, 21, 20}});
    all.push_back({1202, "Button", buttonStyle, {97, 7, 21, 20}});
    all.push_back({1203, "Static", WS_CHILD | WS_VISIBLE, {49, 36, 198, 10}});
    all.push_back({1204, "Static", WS_CHILD | WS_VISIBLE, {321, 36, 198, 10}});
    return all;
}

class Templates : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(Templates, EveryControlHasItsIdClassStyleAndPlace)
{
    openWindow(GetParam());
    std::vector<ExpectedControl> expected = expectedControls();
    for (const ExpectedControl& c : expected) {
        HWND control = item(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        char className[64];
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, c.className) << c.id;
        EXPECT_EQ(DWORD(GetWindowLongA(control, GWL_STYLE)) & c.style, c.style) << c.id;
        if (c.style & ES_MULTILINE) {
            EXPECT_TRUE((GetWindowLongA(control, GWL_STYLE) & WS_BORDER) ||
                        (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) << c.id;
        }

        // The dialog manager converts position and size separately.
        RECT place = c.place;
        MapDialogRect(window, &place);
        place.right += place.left;
        place.bottom += place.top;
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, place.left) << c.id;
        EXPECT_EQ(actual.top, place.top) << c.id;
        EXPECT_EQ(actual.right, place.right) << c.id;
        EXPECT_EQ(actual.bottom, place.bottom) << c.id;
    }
    for (int line = 0; line < 44; ++line) {
        int id = line < 22 ? 1000 + line : 1101 + line - 22;
        EXPECT_EQ(SendMessageA(item(id), EM_GETLIMITTEXT, 0, 0), 259) << id;
    }

    int controls = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++controls;
    EXPECT_EQ(controls, 150);

    RECT client{0, 0, 550, 342};
    MapDialogRect(window, &client);
    RECT actual;
    GetClientRect(window, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);
    DWORD style = DWORD(GetWindowLongA(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_P(Templates, TabOrderRunsDownTheLinesThenTheBoxesAndButtons)
{
    openWindow(GetParam());
    std::vector<int> order;
    for (int i = 0; i < 22; ++i) order.push_back(1000 + i);
    for (int i = 0; i < 22; ++i) order.push_back(1101 + i);
    for (int i = 0; i < 22; ++i) order.push_back(1030 + i);
    for (int i = 0; i < 20; ++i) order.push_back(1151 + i);
    order.insert(order.end(), {1200, 1201, 1202, 1000});
    HWND at = item(1000);
    for (size_t i = 1; i < order.size(); ++i) {
        at = GetNextDlgTabItem(window, at, FALSE);
        ASSERT_EQ(GetDlgCtrlID(at), order[i]) << "after " << order[i - 1];
    }
}

TEST_P(Templates, TemplateFontAndTitle)
{
    openWindow(GetParam());
    LOGFONTA base;
    GetObjectA(appState.markFonts[1], sizeof base, &base);
    EXPECT_STREQ(base.lfFaceName, "Microsoft Sans Serif");
    EXPECT_EQ(base.lfWeight, 400);
    HDC dc = GetDC(window);
    int points = GetParam() == IDD_MAIN ? 8 : 10;
    EXPECT_EQ(-base.lfHeight, MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72));
    ReleaseDC(window, dc);
    char title[64];
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Quillory");
}

// Wine builds the dialog font with the default character set, so the
// template's own header is read to check what it asks for.
TEST_P(Templates, HeaderAsksForTheFontMenuAndSize)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(GetParam()), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    ASSERT_NE(found, nullptr);
    auto bytes = static_cast<const BYTE*>(LockResource(LoadResource(self, found)));
    auto word = [&](size_t at) { return *reinterpret_cast<const WORD*>(bytes + at); };
    ASSERT_EQ(word(2), 0xFFFF);  // an extended template
    EXPECT_EQ(word(16), 150);    // controls
    EXPECT_EQ(word(22), 550);
    EXPECT_EQ(word(24), 342);
    EXPECT_EQ(word(26), 0xFFFF);  // the menu, by number
    EXPECT_EQ(word(28), IDR_MAIN_MENU);
    EXPECT_EQ(word(30), 0);  // the standard dialog class
    EXPECT_EQ(word(32), 0);  // no title text
    EXPECT_EQ(word(34), GetParam() == IDD_MAIN ? 8 : 10);
    EXPECT_EQ(word(36), 400);
    EXPECT_EQ(bytes[38], 0);    // not italic
    EXPECT_EQ(bytes[39], 204);  // character set
    std::wstring face(reinterpret_cast<const wchar_t*>(bytes + 40));
    EXPECT_EQ(face, L"Microsoft Sans Serif");
}

INSTANTIATE_TEST_SUITE_P(SmallAndLarge, Templates, ::testing::Values(IDD_MAIN, IDD_MAIN_LARGE));

void collectMenu(HMENU menu, const std::string& path, std::vector<std::string>& items)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char label[128] = "";
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = label;
        info.cch = sizeof label;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back(path + "---");
        } else if (info.hSubMenu) {
            collectMenu(info.hSubMenu, path + label + ">", items);
        } else {
            items.push_back(path + label + "=" + std::to_string(info.wID));
        }
    }
}

TEST(Resources, MenuItemsAndCommands)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    std::vector<std::string> items;
    collectMenu(menu, "", items);
    DestroyMenu(menu);
    std::vector<std::string> expected = {
        "Edit>Mark>&Important\tCTRL+~=32771", "Edit>Mark>&Primary\tCTRL+1=32772",
        "Edit>Mark>&Secondary\tCTRL+2=32773", "Edit>---",
        "Edit>Move up\tCTRL+Up=32790", "Edit>Move down\tCTRL+Down=32791", "Edit>---",
        "Edit>Clear\tCTRL+L=32795", "Edit>---", "Edit>Close &empty tasks\tCTRL+E=32783",
        "Edit>Sort tasks=32804", "Edit>---", "Edit>Close current day=32803", "Edit>---",
        "Edit>&Find...\tCTRL+F=32810", "Edit>---", "Edit>E&xit=105", "Directory>Cont&acts...\tCTRL+A=32782",
        "Directory>&Templates...\tCTRL+T=32781", "Directory>Periodic tasks...\tCTRL+P=32800",
        "Options...=32780", "&Help>User manual=32789", "&Help>---", "&Help>&About ...=104",
        "&Help>Home page=32788"};
    EXPECT_EQ(items, expected);
}

TEST(Resources, ShortcutTable)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SHORTCUTS));
    ACCEL entries[20];
    int count = CopyAcceleratorTableA(table, entries, 20);
    ASSERT_EQ(count, 13);
    const BYTE ctrl = FVIRTKEY | FCONTROL | FNOINVERT;
    const ACCEL expected[] = {
        {ctrl, 'A', 32782},      {ctrl, 'T', 32781},        {ctrl, 'L', 32795},
        {ctrl, 'E', 32783},      {ctrl, VK_DOWN, 32791},    {ctrl, VK_UP, 32790},
        {ctrl, VK_OEM_3, 32771}, {ctrl, '1', 32772},        {ctrl, '2', 32773},
        {FALT | FNOINVERT, '/', 104}, {FALT | FNOINVERT, '?', 104}, {ctrl, 'P', 32800},
        {ctrl, 'F', 32810}};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(entries[i].fVirt & ~0x80, expected[i].fVirt) << i;
        EXPECT_EQ(entries[i].key, expected[i].key) << i;
        EXPECT_EQ(entries[i].cmd, expected[i].cmd) << i;
    }
}

TEST(Resources, StringsIconsAndPicture)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    char text[128];
    LoadStringA(self, IDS_CAPTION, text, sizeof text);
    EXPECT_STREQ(text, "Quillory");
    LoadStringA(self, IDS_VERSION, text, sizeof text);
    EXPECT_STREQ(text, "1.1");
    EXPECT_GT(LoadStringA(self, IDS_CREDIT, text, sizeof text), 0);
    EXPECT_GT(LoadStringA(self, IDS_NOTICE, text, sizeof text), 0);
    for (int size : {16, 32, 64})
        EXPECT_NE(LoadImageA(self, MAKEINTRESOURCEA(IDI_APP_LARGE), IMAGE_ICON, size, size, 0), nullptr);
    EXPECT_NE(LoadImageA(self, MAKEINTRESOURCEA(IDI_APP_SMALL), IMAGE_ICON, 16, 16, 0), nullptr);
    HBITMAP picture = HBITMAP(LoadImageA(self, MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info;
    GetObjectA(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 203);
    EXPECT_EQ(info.bmHeight, 61);
    EXPECT_EQ(info.bmBitsPixel, 24);
}

}  // namespace
