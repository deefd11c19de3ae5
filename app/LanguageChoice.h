// Which language the program starts in: the stored one, else English (9), else the
// first language file beside the program.
#pragma once
#include <windows.h>
#include <string>

// The low 8 bits of a locale identifier written as hexadecimal digits ("0407" gives 7).
WORD DefaultLanguageFromLocaleText(const char* localeText);
// The user's default language: the low 8 bits of the user locale's language identifier.
WORD UserDefaultLanguage();
// The decimal digits after the five-letter prefix of a name like "velko012.mlb" (12); 0 without digits.
WORD LanguageFromFileName(const char* fileName);

typedef bool (*LanguageOpener)(WORD language);
// Tries stored, then 9, then the first "velko???.mlb" in folder; current receives the language
// that opened (0 after a failed search). False when none opened.
bool OpenStartupLanguage(WORD stored, const std::string& folder, LanguageOpener open, WORD& current);

// The language's name without its country ("German (Germany)" gives "German").
std::string LanguageDisplayName(WORD language);
// Cuts a "Language (Country)" text at its last opening parenthesis and drops the blanks before it.
std::string StripCountry(const std::string& name);
