// Folding letter case from a table of upper cases: the platform fills the table, the folding is the same everywhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The upper case of every character up to U+1FFFF, one for one, as the
// platform's simple case mapping gives it: below U+10000 the upper case
// itself, above it the low sixteen bits of one in the same plane (as every
// upper case of a letter there is: Deseret, Osage, Adlam...). Characters
// beyond keep their case. a to z must map to A to Z and no other ASCII may change.
using CaseTable = std::vector<char16_t>;
constexpr size_t caseTableSize = 0x20000;

// Appends the text with every character replaced by its upper case; a byte
// that begins no well-formed character is kept as it is.
void foldWithCaseTable(std::string_view text, std::string& folded, const CaseTable& upper);

// Appends the text with its letter case folded, so that two texts that differ
// only in case become equal. The folded form may differ in length, but keeps
// every line break. The Windows side folds as the user's locale does;
// foldLetterCase knows the Latin, Greek and Cyrillic letters.
using CaseFold = void (*)(std::string_view text, std::string& folded);
void foldLetterCase(std::string_view text, std::string& folded);

// The letters a to z in place, for ASCII texts and file names.
void foldPlainCase(char* text, size_t length);
