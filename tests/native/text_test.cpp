// UTF-8 texts: which bytes are well formed, and limits counted as the line editor counts characters.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "day/day_file.h"
#include "text/legacy_text.h"
#include "text/numbers.h"
#include "text/utf8_text.h"
#include "directory/directory_file.h"
#include "tests/common/dates.h"
#include "tests/common/saved_files.h"
#include "tests/common/scratch_folder.h"

namespace {

std::string repeated(const std::string& piece, int times)
{
    std::string text;
    while (times-- > 0) text += piece;
    return text;
}

TEST(Utf8, WellFormedSequences)
{
    const struct { const char* bytes; bool valid; } cases[] = {
        {"", true}, {"caf\xc3\xa9 \xc5\x81ukasz", true}, {"\xe2\x9c\x93 \xe6\x97\xa5\xe6\x9c\xac", true},
        {"\xf0\x9f\x98\x80", true}, {"\xf4\x8f\xbf\xbf", true},  // an emoji; U+10FFFF, the last
        {"\xc0\xaf", false}, {"\xe0\x80\xaf", false}, {"\xf0\x80\x80\xaf", false},  // overlong "/"
        {"\xed\xa0\x80", false}, {"\xf4\x90\x80\x80", false},  // a surrogate; beyond U+10FFFF
        {"ends cut \xe2\x82", false}, {"\xe2\x82\nnext line", false}, {"caf\xe9 cr\xe8me", false},
        {"\x80", false}, {"\xf8\x88\x80\x80\x80", false},
    };
    // Behind ASCII of several lengths, each case also falls across the sixteen-byte steps.
    for (const auto& c : cases)
        for (size_t ascii : {0, 1, 14, 15, 16, 31, 64, 77})
            for (auto check : {isValidUtf8, isValidUtf8ByCharacter})
                EXPECT_EQ(check(std::string(ascii, 'a') + c.bytes), c.valid) << ascii << " ASCII, then " << c.bytes;
}

// Editor characters: an emoji is two, and is never split; a stray byte is one.
TEST(Utf8, CharactersCountedAsTheEditorCounts)
{
    const std::string emoji = "\xf0\x9f\x98\x80";
    const struct { std::string text; size_t limit, length, prefixBytes; } cases[] = {
        {"\xc3\xa9\xc3\xa9\xc3\xa9", 2, 3, 4}, {"a" + emoji + "b", 2, 4, 1},
        {"a" + emoji + "b", 3, 4, 5}, {"caf\xe9", 3, 4, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(editorLength(c.text), c.length) << c.text;
        if (isValidUtf8(c.text)) { EXPECT_EQ(wellFormedEditorLength(c.text), c.length) << c.text; }
        EXPECT_EQ(editorPrefixBytes(c.text, c.limit), c.prefixBytes) << c.text;
    }
}

// Digits are taken from the front, at most as many as asked, or exactly so many or none; a number too large stays
// at the largest int.
TEST(Numbers, DecimalDigitsTakenFromTheFront)
{
    constexpr size_t any = std::string_view::npos;
    const struct { const char* text; size_t most, taken; int value; const char* rest; } cases[] = {
        {"2026_12", any, 4, 2026, "_12"}, {"007", any, 3, 7, ""}, {"", any, 0, 0, ""}, {"-5", any, 0, 0, "-5"},
        {"20261207", 4, 4, 2026, "1207"}, {"12", 3, 2, 12, ""}, {"1x3", 3, 1, 1, "x3"},
        {"2147483647", any, 10, INT_MAX, ""}, {"99999999999x", any, 11, INT_MAX, "x"},
        {"18446744073709551616", any, 20, INT_MAX, ""},  // 2^64, which would wrap round to 0
    };
    for (const auto& c : cases) {
        std::string_view text = c.text, exact = c.text;
        int value = -1;
        EXPECT_EQ(takeDecimal(text, value, c.most), c.taken) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
        if (c.most == any) continue;
        EXPECT_EQ(takeDigits(exact, c.most, value), c.taken == c.most) << c.text;
        EXPECT_EQ(exact, c.taken == c.most ? c.rest : c.text) << c.text;
    }
}

// Each line is UTF-8 or the old code page on its own; a UTF-16 file is converted whole.
TEST(LegacyFiles, EachLineIsUtf8OrTheOldCodePage)
{
    const struct { std::string bytes, text; bool legacy; } cases[] = {
        {"name = Dentist", "name = Dentist", false},
        {"\xef\xbb\xbfname = caf\xc3\xa9", "name = caf\xc3\xa9", false},
        {"name = caf\xe9 cr\xe8me \x80", "name = caf\xc3\xa9 cr\xc3\xa8me \xe2\x82\xac", true},
        {"a = \xc3\xa9\r\nb = \xe9", "a = \xc3\xa9\r\nb = \xc3\xa9", true},  // each line its own way
        {"b = \xe9\na = \xc5\x81\xc3\xb3" "d\xc5\xba", "b = \xc3\xa9\na = \xc5\x81\xc3\xb3" "d\xc5\xba", true},
        // UTF-16, little and big endian: "a = Ł😀", then half a pair
        {std::string("\xff\xfe" "a\0 \0=\0 \0\x41\x01\x3d\xd8\x00\xde\x3d\xd8", 18), "a = \xc5\x81\xf0\x9f\x98\x80\xef\xbf\xbd",
         true},
        {std::string("\xfe\xff\0a\0 \0=\0 \x01\x41", 12), "a = \xc5\x81", true},
    };
    for (const auto& c : cases) {
        std::string converted;
        bool legacy = !c.legacy;
        EXPECT_EQ(fileText(c.bytes, converted, legacy), c.text) << c.bytes;
        EXPECT_EQ(legacy, c.legacy) << c.bytes;
    }
}

// 259 characters in any script are kept whole; a longer hand-edited value keeps what its editor accepts.
TEST(LegacyFiles, LimitsCountCharacters)
{
    ScratchFolder folder;
    DayPage page, back;
    setLineText(page.lines[0], repeated("\xe6\x97\xa5", 259));
    setLineText(page.lines[1], repeated("\xf0\x9f\x98\x80", 200));  // two editor characters each
    ASSERT_EQ(saveDayPage(page, date(2026, 3, 14)), WriteOutcome::written);
    writeBytes("Data/2026_03_15.ini", "[NOTE]\r\nTEXT_0 = " + repeated("\xc3\xa9", 300) + "\r\n");
    readDayPage(date(2026, 3, 14), back);
    EXPECT_EQ(std::string(back.lines[0].text), repeated("\xe6\x97\xa5", 259));
    EXPECT_EQ(std::string(back.lines[1].text), repeated("\xf0\x9f\x98\x80", 129));
    readDayPage(date(2026, 3, 15), back);
    EXPECT_EQ(std::string(back.lines[firstNoteLine].text), repeated("\xc3\xa9", 259));

    writeBytes("directory_contact.ini", "[ITEM_0]\r\nname = x\r\nphone = " + repeated("\xd0\x94", 25) +
                                            "\r\nemail = " + repeated("\xe2\x9c\x93", 39) + "\r\n");
    Directory contacts;
    loadDirectory(contactsFile, contacts);
    EXPECT_EQ(std::string(contacts[0].phone), repeated("\xd0\x94", 19));
    EXPECT_EQ(std::string(contacts[0].email), repeated("\xe2\x9c\x93", 39));
}

}  // namespace
