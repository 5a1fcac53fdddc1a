// Composing a day line around an inserted directory entry name.
#include "edit/insert_text.h"

#include <algorithm>
#include <cstring>

namespace {

int boundedLength(const char* text)
{
    const void* end = std::memchr(text, '\0', lineTextSize - 1);
    return end ? int(static_cast<const char*>(end) - text) : lineTextSize - 1;
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
    // where text remains there; the name has the rest of the line's room.
    int kept = start + (start > 0 ? 1 : 0) + (end < lineLength ? 1 + lineLength - end : 0);
    nameLength = std::min(nameLength, lineTextSize - 1 - kept);

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
