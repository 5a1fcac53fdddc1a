// The text of a day line after a directory entry's name is put in place of its selection.
#pragma once

#include "day/day_page.h"

// Room for a whole line's text both before and after a whole name, each with
// its blank: more than is ever needed, since both sides come from one line.
constexpr int insertedTextSize = 3 * (lineTextSize - 1) + 2 + 1;

struct InsertedText {
    char text[insertedTextSize];
    int caret;  // right after the name
    bool nameFits;  // else nothing was put in: the line stays as it was
};

// The name replaces the text from selectionStart to selectionEnd (byte offsets), with one blank
// on each side where text remains. Only the first 259 characters of the line
// and the name count. A line may hold more than the editor let the user type,
// of which only the first 259 were read, so positions beyond the text count as
// its end; a start behind the end is taken as the end and the other way round.
// The line's own text stays whole: the name is cut so that the result holds
// no more than a line can (259 characters), and when not one character of it
// fits, the text is the line's as it was.
InsertedText composeInsertedText(const char* lineText, int selectionStart, int selectionEnd,
                                 const char* name);
