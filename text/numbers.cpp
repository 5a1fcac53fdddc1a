// Decimal numbers at the front of a text.
#include "text/numbers.h"

#include <climits>

size_t takeDecimal(std::string_view& text, int& value, size_t most)
{
    size_t taken = 0;
    long long number = 0;
    for (; taken < most && taken < text.size() && text[taken] >= '0' && text[taken] <= '9'; ++taken)
        if (number <= INT_MAX) number = number * 10 + (text[taken] - '0');
    text.remove_prefix(taken);
    value = number > INT_MAX ? INT_MAX : int(number);
    return taken;
}

bool takeDigits(std::string_view& text, size_t count, int& value)
{
    std::string_view rest = text;
    if (takeDecimal(rest, value, count) != count) return false;
    text = rest;
    return true;
}
