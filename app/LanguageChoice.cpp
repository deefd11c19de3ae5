#include "app/LanguageChoice.h"
#include "framework/WideText.h"
#include <wchar.h>
#include <stdlib.h>

WORD DefaultLanguageFromLocaleText(const char* localeText) {
    unsigned long identifier = strtoul(localeText ? localeText : "", nullptr, 16);
    return static_cast<WORD>(identifier & 0xFF);
}

WORD UserDefaultLanguage() {
    wchar_t text[13] = L"";
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE, text, 13)) text[0] = L'\0';
    return DefaultLanguageFromLocaleText(FromWide(text, wcslen(text)).c_str());
}

bool OpenStartupLanguage(WORD stored, const std::string& folder, LanguageOpener open, WORD& current) {
    current = stored;
    if (open(current)) return true;
    current = 9;
    if (open(current)) return true;
    current = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + LanguageFilePattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    current = LanguageFromFileName(found.cFileName);
    return open(current);
}
