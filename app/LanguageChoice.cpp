#include "app/LanguageChoice.h"
#include <stdlib.h>

WORD DefaultLanguageFromLocaleText(const char* localeText) {
    unsigned long identifier = strtoul(localeText ? localeText : "", nullptr, 16);
    return static_cast<WORD>(identifier & 0xFF);
}

WORD UserDefaultLanguage() {
    char text[13] = "";
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, text, sizeof text)) text[0] = '\0';
    return DefaultLanguageFromLocaleText(text);
}

WORD LanguageFromFileName(const char* fileName) {
    std::string name = fileName ? fileName : "";
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    unsigned value = 0;
    for (size_t i = 5; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
        if (value > 0xFFFF) value = 0xFFFF;  // a language number is 16 bits
    }
    return static_cast<WORD>(value);
}

bool OpenStartupLanguage(WORD stored, const std::string& folder, LanguageOpener open, WORD& current) {
    current = stored;
    if (open(current)) return true;
    current = 9;
    if (open(current)) return true;
    current = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\velko???.mlb").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    current = LanguageFromFileName(found.cFileName);
    return open(current);
}

std::string StripCountry(const std::string& name) {
    size_t parenthesis = name.rfind('(');
    if (parenthesis == std::string::npos) return name;
    size_t end = parenthesis;
    while (end > 0 && name[end - 1] == ' ') --end;
    return name.substr(0, end);
}

std::string LanguageDisplayName(WORD language) {
    char name[100] = "";
    if (!GetLocaleInfoA(static_cast<LCID>(language), LOCALE_SLANGUAGE, name, sizeof name)) name[0] = '\0';
    return StripCountry(name);
}
