// The user's locale rules on the program's texts: collation and letter case, applied to their UTF-16 form.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The program's texts are in its code page (UTF-8, as its manifest declares,
// or the system's on a Windows without UTF-8 code pages).
std::wstring toWide(std::string_view text);
std::string fromWide(std::wstring_view text);

// What the user typed into a control, in the program's code page: whole
// characters, as many as a buffer of `width` bytes made by utf8BufferSize
// holds, terminated. A control at its limit can hold the first half of an
// emoji whose second half did not fit; that half is left out, where its
// conversion would store a replacement character.
void readControlText(HWND control, char* text, size_t width);

// Case-sensitive, accents included, negative/0/positive like strcmp.
int collateAsTheUserDoes(const char* a, const char* b);

// Appends the text upper-cased as the user's locale does.
void foldAsTheUserDoes(std::string_view text, std::string& folded);
