// UTF-8 texts: which bytes are well formed, and limits counted as the line editor counts characters.
#include <gtest/gtest.h>

#include <string>

#include "day/utf8_text.h"

namespace {

std::string repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(Utf8, WellFormedSequences)
{
    const struct {
        const char* bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"Buy stamps", true},
        {"caf\xc3\xa9 \xc5\x81ukasz", true},           // two bytes
        {"\xe2\x9c\x93 \xe6\x97\xa5\xe6\x9c\xac", true},  // three
        {"\xf0\x9f\x98\x80", true},                     // four: an emoji
        {"\xf4\x8f\xbf\xbf", true},                     // U+10FFFF, the last
        {"\xc0\xaf", false},                            // overlong "/"
        {"\xe0\x80\xaf", false},
        {"\xf0\x80\x80\xaf", false},
        {"\xed\xa0\x80", false},                        // a surrogate
        {"\xf4\x90\x80\x80", false},                    // beyond U+10FFFF
        {"ends cut \xe2\x82", false},
        {"\xe2\x82\nnext line", false},
        {"caf\xe9 cr\xe8me", false},                    // a lone 0xE9: code page 1252
        {"\xe9", false},
        {"\x80", false},                                // a continuation without its lead
        {"\xf8\x88\x80\x80\x80", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes;
    // Long enough for the sixteen-byte steps, with the fault behind them.
    EXPECT_FALSE(isValidUtf8(std::string(40, 'a') + "\xe9" + std::string(40, 'b')));
    EXPECT_TRUE(isValidUtf8(std::string(40, 'a') + "\xc3\xa9" + std::string(40, 'b')));
}

TEST(Utf8, CharactersCountedAsTheEditorCounts)
{
    const std::string emoji = "\xf0\x9f\x98\x80";  // two editor characters
    const struct {
        std::string text;
        size_t limit;
        size_t length;  // as the editor counts
        size_t prefix;  // bytes within the limit
    } cases[] = {
        {std::string(300, 'a'), 259, 300, 259},
        {repeated("\xe6\x97\xa5", 259), 259, 259, 777},  // three bytes each, all kept
        {repeated("\xe6\x97\xa5", 260), 259, 260, 777},
        {repeated("\xc3\xa9", 3), 2, 3, 4},
        {"a" + emoji + "b", 2, 4, 1},                     // the emoji is not split
        {"a" + emoji + "b", 3, 4, 5},
        {"caf\xe9", 3, 4, 3},                             // a stray byte counts as one
    };
    for (const auto& c : cases) {
        EXPECT_EQ(editorLength(c.text), c.length) << c.text;
        EXPECT_EQ(editorPrefixBytes(c.text, c.limit), c.prefix) << c.text;
    }
}

TEST(Utf8, PositionsBetweenEditorAndBytes)
{
    const std::string text = "\xc5\x81ukasz \xf0\x9f\x98\x80 ok";  // Ł 2 bytes, emoji 4 bytes and 2 units
    EXPECT_EQ(editorPosition(text, 2), 1u);
    EXPECT_EQ(editorPosition(text, 1), 0u);  // inside Ł
    EXPECT_EQ(editorPosition(text, 12), 9u);
    EXPECT_EQ(byteOffsetOfPosition(text, 9), 12u);
    EXPECT_EQ(byteOffsetOfPosition(text, 8), 8u);  // half the emoji is none of it
    EXPECT_EQ(byteOffsetOfPosition(text, 99), text.size());
}

TEST(Utf8, FieldsHoldTheirCharactersWhole)
{
    char phone[utf8BufferSize(19)];
    copyCutText(repeated("\xd0\x94", 25), phone, sizeof phone);
    EXPECT_EQ(std::string(phone), repeated("\xd0\x94", 19));
    copyCutText("\xf0\x9f\x98\x80\xf0\x9f\x98\x80", phone, 6);  // one character's room
    EXPECT_EQ(std::string(phone), "");
}

}  // namespace
