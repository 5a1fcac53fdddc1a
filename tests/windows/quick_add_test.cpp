// Quick add as the window does it: the box from the menu, its preview following the keys, Enter placing the line.

#include "main_window_fixture.h"

#include "app/line_controls_win32.h"

namespace {

// Sunday 6 December is shown. Enter puts a line on the day shown (one undo step) or merges it into another
// day's file; a day without a free line keeps the box open with the reason, and its file as it was.
TEST_F(MainWindowTest, QuickAddFromTheMenu)
{
    writeBytes(dayFile("2026_12_07.ini"), "[TODO]\r\nTEXT_0 = Pay rent\r\n");
    std::string full = "[TODO]\r\n";
    for (int i = 0; i < 20; ++i) full += "TEXT_" + std::to_string(i) + " = busy\r\n";
    writeBytes(dayFile("2026_12_08.ini"), full);
    openWindow();
    const struct { const wchar_t* typed; const char* preview; bool stays; } cases[] = {
        {L"Standup 10:00", "Today \xc2\xb7 10:00 \xc2\xb7 Standup", false},
        {L"Dentist tomorrow 14:15 for 30 min", "Tomorrow \xc2\xb7 14:15-14:45 \xc2\xb7 Dentist", false},
        {L"Call Tuesday", "No free line on Tuesday 8 December.", true},
    };
    for (const auto& c : cases) {
        std::string preview, after;
        runWithDialogs([&] { command(IDM_QUICK_ADD); },
                       {[&] {
                            ASSERT_TRUE(dialogNamed("Quick add")) << "no box";
                            postKeys(GetDlgItem(dialogNamed("Quick add"), IDC_QUICK_TEXT), c.typed);
                        },
                        [&] {
                            preview = controlText(dialogNamed("Quick add"), IDC_QUICK_PREVIEW);
                            press("Quick add", IDOK);
                            if (c.stays) after = controlText(dialogNamed("Quick add"), IDC_QUICK_PREVIEW);
                            if (c.stays) press("Quick add", IDCANCEL);
                        }});
        EXPECT_EQ(preview, c.preview);
        EXPECT_EQ(after, c.stays ? c.preview : "");
    }
    EXPECT_EQ(text(lineEditorId(4)), "Standup");
    command(IDM_UNDO);
    EXPECT_EQ(text(lineEditorId(4)), "");
    std::string other = readBytes(dayFile("2026_12_07.ini"));
    EXPECT_TRUE(other.find("TEXT_0 = Pay rent") != std::string::npos &&
                other.find("TEXT_12 = 14:15-14:45 Dentist") != std::string::npos) << other;
    EXPECT_EQ(readBytes(dayFile("2026_12_08.ini")), full);
}

}  // namespace
