// Shortcut keystrokes typed into a day line become main-window commands and never reach the line.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/shortcuts_win32.h"
#include "main_window_fixture.h"

namespace {

std::vector<int> commandsSeen;
std::vector<UINT> keysSeenByLine;
WNDPROC mainProc;
WNDPROC lineProc;

LRESULT CALLBACK recordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam == 0) {  // a command, not a control's notification
        commandsSeen.push_back(LOWORD(wParam));
        // Commands that open a modal dialog are only recorded: the dialog would wait for a user.
        if (LOWORD(wParam) == IDM_ABOUT || LOWORD(wParam) == IDM_CONTACTS) return 0;
    }
    return CallWindowProcA(mainProc, window, message, wParam, lParam);
}

LRESULT CALLBACK recordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR) keysSeenByLine.push_back(UINT(wParam));
    return CallWindowProcA(lineProc, window, message, wParam, lParam);
}

class Shortcuts : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
        installShortcutFilter(appState.instance);
        commandsSeen.clear();
        keysSeenByLine.clear();
        mainProc = WNDPROC(SetWindowLongPtrA(window, GWLP_WNDPROC, LONG_PTR(recordCommands)));
        lineProc = WNDPROC(SetWindowLongPtrA(item(1005), GWLP_WNDPROC, LONG_PTR(recordKeys)));
        focus(1005);
        setText(1005, "keep me");
    }
    void TearDown() override
    {
        setModifier(VK_CONTROL, false);
        setModifier(VK_MENU, false);
        removeShortcutFilter();
        MainWindowTest::TearDown();
    }

    static void setModifier(int key, bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    // Posts a keystroke to the focused line and runs it through a dialog loop, as the modal loop does.
    void type(UINT message, WPARAM key, LPARAM flags = 1)
    {
        PostMessageA(item(1005), message, key, flags);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageA(window, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
};

TEST_F(Shortcuts, CtrlKeysBecomeCommands)
{
    setModifier(VK_CONTROL, true);
    type(WM_KEYDOWN, 'A');
    type(WM_KEYDOWN, 'L');
    type(WM_KEYDOWN, '2');
    setModifier(VK_CONTROL, false);
    EXPECT_EQ(commandsSeen, (std::vector<int>{IDM_CONTACTS, IDM_CLEAR, IDM_MARK_SECONDARY}));
    EXPECT_TRUE(keysSeenByLine.empty());
    EXPECT_EQ(text(1005), "");  // cleared by the command, with no letter typed into it
    EXPECT_EQ(font(1005), appState.markFonts[2]);
}

TEST_F(Shortcuts, AltSlashAndAltQuestionMarkOpenAbout)
{
    const LPARAM altDown = 1 | (1 << 29);
    setModifier(VK_MENU, true);
    type(WM_SYSCHAR, '/', altDown);
    type(WM_SYSCHAR, '?', altDown);
    setModifier(VK_MENU, false);
    EXPECT_EQ(commandsSeen, (std::vector<int>{IDM_ABOUT, IDM_ABOUT}));
    EXPECT_TRUE(keysSeenByLine.empty());
}

TEST_F(Shortcuts, OrdinaryKeysReachTheLine)
{
    type(WM_CHAR, 'x');
    EXPECT_TRUE(commandsSeen.empty());
    EXPECT_EQ(keysSeenByLine, std::vector<UINT>{'x'});
}

}  // namespace
