// Which language the program starts in: the stored one, else English (9), else the
// first language file beside the program.
#pragma once
#include "lang/LanguageNames.h"
#include <windows.h>
#include <string>

// The low 8 bits of a locale identifier written as hexadecimal digits ("0407" gives 7).
WORD DefaultLanguageFromLocaleText(const char* localeText);
// The user's default language: the low 8 bits of the user locale's language identifier.
WORD UserDefaultLanguage();

typedef bool (*LanguageOpener)(WORD language);
// Tries stored, then 9, then the first "velko???.mlb" in folder; current receives the language
// that opened (0 after a failed search). False when none opened.
bool OpenStartupLanguage(WORD stored, const std::string& folder, LanguageOpener open, WORD& current);

