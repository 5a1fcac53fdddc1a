// The About box and the user manual.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/help_win32.h"
#include "day/day_view_win32.h"
#include "dialog_script.h"
#include "main_window_fixture.h"

namespace {

using Help = MainWindowTest;

// Runs the About box as the menu does, with the step inside it, and returns how it was closed.
INT_PTR runAboutBox(HWND owner, const DialogStep& inside)
{
    INT_PTR closedWith = 0;
    runWithDialogs(
        [&] { closedWith = DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0); },
        {inside});
    return closedWith;
}

TEST_F(Help, AboutBoxNamesTheVersionAndClosesWithEnterEscapeAndOk)
{
    openWindow();
    EXPECT_EQ(runAboutBox(window,
                          [] {
                              HWND dialog = dialogNamed("About");
                              EXPECT_EQ(dialogText(dialog, IDC_ABOUT_TITLE), "Quillory version 1.1");
                              EXPECT_FALSE(dialogText(dialog, IDC_ABOUT_CREDIT).empty());
                              EXPECT_TRUE(SendDlgItemMessageA(dialog, IDC_ABOUT_PICTURE, STM_GETIMAGE,
                                                              IMAGE_BITMAP, 0) != 0);
                              pressKey("About", VK_RETURN);
                          }),
              IDOK);
    EXPECT_EQ(runAboutBox(window, [] { pressKey("About", VK_ESCAPE); }), IDCANCEL);
    EXPECT_EQ(runAboutBox(window, [] { clickButton("About", IDOK); }), IDOK);

    // The menu command opens the same box.
    runWithDialogs([&] { command(IDM_ABOUT); },
                   {[&] {
                       EXPECT_EQ(GetWindow(dialogNamed("About"), GW_OWNER), window);
                       pressKey("About", VK_ESCAPE);
                   }});
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
