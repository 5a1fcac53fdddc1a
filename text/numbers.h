// Decimal numbers at the front of a text: the one reader of digits for every name, file and field.
#pragma once

#include <cstddef>
#include <string_view>

// Takes the decimal digits at the front of text off it, at most `most` of
// them, and gives how many it took: 0 when the text does not begin with one.
// value is the number they make, 0 for none; one beyond INT_MAX reads as INT_MAX.
size_t takeDecimal(std::string_view& text, int& value, size_t most = std::string_view::npos);

// Exactly `count` digits at the front of text, taken off it; false, and the
// text left as it was, when fewer stand there.
bool takeDigits(std::string_view& text, size_t count, int& value);
