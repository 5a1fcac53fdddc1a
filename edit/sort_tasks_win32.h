// The to-do order on Windows: the rules of the core with the user's locale collation.
#pragma once

// lstrcmpA: the user's default locale, case-sensitive.
int localeCollation(const char* a, const char* b);
