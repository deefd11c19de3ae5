// Language numbers of the language files and the names shown for them.
#pragma once
#include <windows.h>
#include <string>

// Language files are called the prefix, the language number in three digits and ".mlb"
// ("velko009.mlb"); the help files the same with ".hlp".
extern const char* const LanguageFilePrefix;
// The pattern that finds the language files of a folder.
extern const char* const LanguageFilePattern;
// The decimal digits after the prefix of a name like "velko012.mlb" (12); 0 without digits.
WORD LanguageFromFileName(const char* fileName);
// The language's name without its country ("German (Germany)" gives "German").
std::string LanguageDisplayName(WORD language);
// Cuts a "Language (Country)" text at its last opening parenthesis and drops the blanks before it.
std::string StripCountry(const std::string& name);
