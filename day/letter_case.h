// Folding letter case from a table of upper cases: the platform fills the table, the folding is the same everywhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The upper case of every character up to U+FFFF, one UTF-16 unit for one,
// as the platform's simple case mapping gives it; characters beyond U+FFFF
// keep their case. a to z must map to A to Z and no other ASCII may change.
using CaseTable = std::vector<char16_t>;

// Appends the text with every character replaced by its upper case; a byte
// that begins no well-formed character is kept as it is.
void foldWithCaseTable(std::string_view text, std::string& folded, const CaseTable& upper);
