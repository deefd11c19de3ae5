#include "lang/LanguageNames.h"
#include <string.h>
#include "framework/WideText.h"
#include <wchar.h>

const char* const LanguageFilePrefix = "velko";
const char* const LanguageFilePattern = "velko???.mlb";

WORD LanguageFromFileName(const char* fileName) {
    std::string name = fileName ? fileName : "";
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    unsigned value = 0;
    for (size_t i = strlen(LanguageFilePrefix); i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
        if (value > 0xFFFF) value = 0xFFFF;  // a language number is 16 bits
    }
    return static_cast<WORD>(value);
}

std::string StripCountry(const std::string& name) {
    size_t parenthesis = name.rfind('(');
    if (parenthesis == std::string::npos) return name;
    size_t end = parenthesis;
    while (end > 0 && name[end - 1] == ' ') --end;
    return name.substr(0, end);
}

std::string LanguageDisplayName(WORD language) {
    // The wide call: the ANSI one answers in the locale's own code page, not the program's.
    wchar_t name[100] = L"";
    if (!GetLocaleInfoW(static_cast<LCID>(language), LOCALE_SLANGUAGE, name, 100)) name[0] = L'\0';
    return StripCountry(FromWide(name, wcslen(name)));
}
