// Language numbers of the language files and the names shown for them.
#pragma once
#include <windows.h>
#include <string>

// The decimal digits after the five-letter prefix of a name like "velko012.mlb" (12); 0 without digits.
WORD LanguageFromFileName(const char* fileName);
// The language's name without its country ("German (Germany)" gives "German").
std::string LanguageDisplayName(WORD language);
// Cuts a "Language (Country)" text at its last opening parenthesis and drops the blanks before it.
std::string StripCountry(const std::string& name);
