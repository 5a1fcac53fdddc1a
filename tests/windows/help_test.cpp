// The About box and the user manual.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/help_win32.h"
#include "day/day_view_win32.h"
#include "main_window_fixture.h"
#include "modal_dialog.h"

namespace {

using Help = MainWindowTest;

std::string dialogText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Runs the About box as the menu does and returns how it was closed.
INT_PTR runAboutBox(HWND owner, std::function<void(HWND)> inside)
{
    whenDialogOpens("About", std::move(inside));
    return DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}

TEST_F(Help, AboutBoxNamesTheVersionAndClosesWithEnterEscapeAndOk)
{
    openWindow();
    std::string title, credit;
    bool hasPicture = false;
    EXPECT_EQ(runAboutBox(window,
                          [&](HWND dialog) {
                              title = dialogText(dialog, IDC_ABOUT_TITLE);
                              credit = dialogText(dialog, IDC_ABOUT_CREDIT);
                              hasPicture = SendDlgItemMessageA(dialog, IDC_ABOUT_PICTURE, STM_GETIMAGE,
                                                               IMAGE_BITMAP, 0) != 0;
                              pressKey(dialog, VK_RETURN);
                          }),
              IDOK);
    EXPECT_EQ(title, "Quillory version 1.1");
    EXPECT_FALSE(credit.empty());
    EXPECT_TRUE(hasPicture);

    EXPECT_EQ(runAboutBox(window, [](HWND dialog) { pressKey(dialog, VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(runAboutBox(window, [](HWND dialog) { SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0); }), IDOK);

    // The menu command opens the same box.
    bool opened = false;
    whenDialogOpens("About", [&](HWND dialog) {
        opened = GetWindow(dialog, GW_OWNER) == window;
        pressKey(dialog, VK_ESCAPE);
    });
    command(IDM_ABOUT);
    EXPECT_TRUE(opened);
}

TEST_F(Help, UserManualWithoutAManualChangesNothing)
{
    openWindow();
    setText(1003, "Dentist");
    SYSTEMTIME shown = appState.dateShown;
    command(IDM_USER_MANUAL);
    pumpMessages();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(text(1003), "Dentist");
    EXPECT_EQ(appState.dateShown.wDay, shown.wDay);
    EXPECT_TRUE(shownMessages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Quillory.chm"));
}

}  // namespace
