// Composing a day line around an inserted directory entry name.
#include "directory/insert_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

// The bytes of the first 259 characters.
int boundedLength(const char* text)
{
    std::string_view whole(text, strnlen(text, lineTextSize - 1));
    return int(editorPrefixBytes(whole, lineCharacterLimit));
}

}  // namespace

InsertedText composeInsertedText(const char* lineText, int selectionStart, int selectionEnd,
                                 const char* name)
{
    int lineLength = boundedLength(lineText);
    int nameLength = boundedLength(name);
    int start = std::clamp(std::min(selectionStart, selectionEnd), 0, lineLength);
    int end = std::clamp(std::max(selectionStart, selectionEnd), 0, lineLength);

    // What stays of the line, with a blank before the name and after it
    // where text remains there; the name has the rest of the line's room,
    // counted in characters as the line editor counts them.
    std::string_view line(lineText, size_t(lineLength));
    size_t kept = editorLength(line.substr(0, size_t(start))) + (start > 0 ? 1 : 0) +
                  (end < lineLength ? 1 + editorLength(line.substr(size_t(end))) : 0);
    size_t room = kept < size_t(lineCharacterLimit) ? size_t(lineCharacterLimit) - kept : 0;
    nameLength = int(editorPrefixBytes(std::string_view(name, size_t(nameLength)), room));

    InsertedText result;
    result.nameFits = nameLength > 0;
    if (!result.nameFits) {
        std::memcpy(result.text, lineText, size_t(lineLength));
        result.text[lineLength] = '\0';
        result.caret = end;
        return result;
    }
    int length = 0;
    auto append = [&](const char* bytes, int count) {
        std::memcpy(result.text + length, bytes, size_t(count));
        length += count;
    };
    append(lineText, start);
    if (start > 0) append(" ", 1);
    append(name, nameLength);
    result.caret = length;
    if (end < lineLength) {
        append(" ", 1);
        append(lineText + end, lineLength - end);
    }
    result.text[length] = '\0';
    return result;
}
