// The to-do order on Windows: the rules of the core with the user's locale collation.
#pragma once

// The user's default locale, case-sensitive, accents included.
int localeCollation(const char* a, const char* b);
