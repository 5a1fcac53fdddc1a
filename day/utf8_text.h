// Texts inside the program are UTF-8; limits are counted in characters as the line editor counts them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The line editor counts UTF-16 units: one for most characters, two for one
// beyond U+FFFF (an emoji). A unit takes at most three bytes in UTF-8, so a
// buffer of this size holds any text of that many characters and its terminator.
constexpr int utf8BufferSize(int characters)
{
    return 3 * characters + 1;
}

// The characters a buffer sized by utf8BufferSize holds.
constexpr size_t charactersOfBuffer(size_t bytes)
{
    return bytes == 0 ? 0 : (bytes - 1) / 3;
}

// Well-formed UTF-8: no overlong form, no surrogate, nothing above U+10FFFF,
// no sequence cut short or left without its lead byte.
bool isValidUtf8(std::string_view bytes);

// The end of the run of ASCII bytes that begins at pos.
size_t asciiRunEnd(std::string_view text, size_t pos);

// The character that begins at pos, and pos moved past it. A byte that begins
// no well-formed sequence stands for itself (as U+FFFD) and takes one byte.
char32_t nextCharacter(std::string_view text, size_t& pos);

void appendUtf8(std::string& text, char32_t character);

// The length of a text as the line editor counts it.
size_t editorLength(std::string_view text);

// How many bytes of the text's start hold at most `characters` editor
// characters without ending inside one.
size_t editorPrefixBytes(std::string_view text, size_t characters);

// Positions in the editor (UTF-16 units) and in the UTF-8 text, either way.
// A byte offset inside a character counts as that character's start.
size_t editorPosition(std::string_view text, size_t byteOffset);
size_t byteOffsetOfPosition(std::string_view text, size_t position);

// Copies what a field of `width` bytes holds: at most charactersOfBuffer(width)
// whole characters, terminated.
void copyCutText(std::string_view text, char* buffer, size_t width);
