// Texts in any script: typed, shown, found, sorted and kept in the files as UTF-8 (reminded: see the clock).
#include "main_window_fixture.h"

#include "app/locale_text_win32.h"
#include "text/utf8_text.h"
#include "tests/common/saved_files.h"

namespace {

const char* const lukasz = "Spotkanie z \xc5\x81ukaszem";

using Texts = MainWindowTest;

// An old code page day is left as it is until keys of several scripts change it to UTF-8. The editor counts
// 259 UTF-16 units, whatever their UTF-8 form takes; half an emoji is none.
TEST_F(Texts, KeysOfSeveralScriptsTurnAnOldCodePageDayIntoUtf8)
{
    ASSERT_EQ(GetACP(), UINT(CP_UTF8)) << "the program runs in the UTF-8 code page";
    const std::string head = "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\nTEXT_0 = ";
    writeBytes(dayFile("2026_12_06.ini"), head + "Caf\xe9 cr\xe8me\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n");
    openWindow();
    tick();  // saving as the user types finds nothing changed
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")), head + "Caf\xe9 cr\xe8me\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n");
    type(1001, L"\u0141ukasz \u03a9\u03bc\u03ad\u03b3\u03b1 \u0434\u043e\u043c \u65e5\u672c \U0001F600");
    type(1101, std::wstring(300, L'\u65e5'));
    type(1102, std::wstring(258, L'a') + L"\U0001F600");
    closeWindow();
    EXPECT_EQ(readBytes(dayFile("2026_12_06.ini")),
              head + "Caf\xc3\xa9 cr\xc3\xa8me\r\nDONE_0 = 0\r\nMARK_0 = 1\r\nTEXT_1 = \xc5\x81ukasz "
                     "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1 \xd0\xb4\xd0\xbe\xd0\xbc \xe6\x97\xa5\xe6\x9c\xac "
                     "\xf0\x9f\x98\x80\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n\r\n[TODO]\r\nTEXT_0 = " +
                  fromWide(std::wstring(259, L'\u65e5')) + "\r\nDONE_0 = 0\r\nMARK_0 = 1\r\nTEXT_1 = " +
                  std::string(258, 'a') + "\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n\r\n[NOTE]\r\n");
}

// Letter case is the core's; here the list asks for a text to draw with room for its characters, not its bytes,
// and the text found is selected by the line's own units.
TEST_F(Texts, FindListsAndSelectsTextsOfAnyScript)
{
    DayPage march;
    setLineText(march.lines[1], lukasz);
    const std::string japanese = fromWide(std::wstring(259, L'\u65e5'));
    setLineText(march.lines[2], japanese);
    saveDayPage(march, {2026, 3, 0, 14});
    openWindow();
    runWithDialogs([&] { command(IDM_FIND); },
                   {[&] {
                        HWND find = dialogNamed("Find");
                        SetDlgItemTextA(find, IDC_FIND_TEXT, "\xe6\x97\xa5");
                        char room[260] = "";
                        NMLVDISPINFOA draw{};
                        draw.hdr = {nullptr, IDC_FIND_ROWS, UINT(LVN_GETDISPINFOA)};
                        draw.item.mask = LVIF_TEXT, draw.item.iSubItem = 2;
                        draw.item.pszText = room, draw.item.cchTextMax = sizeof room;
                        SendMessageA(find, WM_NOTIFY, IDC_FIND_ROWS, LPARAM(&draw));
                        EXPECT_EQ(draw.item.pszText, japanese);
                        SetDlgItemTextA(find, IDC_FIND_TEXT, "\xc5\x82UKASZ");
                        EXPECT_EQ(listRows(GetDlgItem(find, IDC_FIND_ROWS), 3),
                                  Names{"3/14/2026 08:30 " + std::string(lukasz)});
                        pressKey("Find", VK_RETURN);
                    }});
    DWORD start = 0, end = 0;
    SendMessageA(item(1001), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(toWide(text(1001)).substr(start, end - start), L"\u0141ukasz");
}

// The table Find folds with gives what the platform gives for a whole text: every character up to
// U+FFFF (in reverse, among other neighbours than the table was asked with), and one beyond.
TEST(LetterCase, TheTableFoldsAsThePlatformDoes)
{
    std::string every;
    for (char32_t c = 0x1ffff; c > 0; --c)
        if (c < 0xd800 || c >= 0xe000) appendUtf8(every, c);
    std::string folded;
    foldAsTheUserDoes(every, folded);
    std::wstring wide = toWide(every);
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(), int(wide.size()), wide.data(),
                  int(wide.size()), nullptr, nullptr, 0);
    EXPECT_TRUE(folded == fromWide(wide)) << "the table and the platform fold differently";
}

}  // namespace
