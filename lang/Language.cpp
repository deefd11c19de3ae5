#include "lang/Language.h"
#include "framework/WinApp.h"
#include "lang/LanguageNames.h"
#include "qxintl/qxintl.h"
#include "store/Options.h"

namespace {
QxHandle g_library = nullptr;
WORD g_currentLanguage = 0;
LanguageReloadedHandler g_reloaded = nullptr;
const size_t kMaxArguments = 9;
}  // namespace

bool OpenLanguageLibrary(WORD language) {
    CloseLanguageLibrary();
    g_library = QxOpen(LanguageFilePrefix, language);
    if (g_library) g_currentLanguage = language;
    return g_library != nullptr;
}

void CloseLanguageLibrary() {
    QxClose(g_library);
    g_library = nullptr;
}

WORD CurrentLanguage() {
    return g_currentLanguage;
}

void SetLanguage(WORD language) {
    if (language == g_currentLanguage) return;
    g_currentLanguage = language;
    TheApp()->Settings().WriteNumber(OptionsSection, Option::Language, language);
}

void ReloadLanguage(WORD language) {
    g_currentLanguage = language;
    OpenLanguageLibrary(language);  // a failed reopen leaves no library; texts come back empty
    if (g_reloaded) g_reloaded();
}

void SetLanguageReloadedHandler(LanguageReloadedHandler handler) {
    g_reloaded = handler;
}

std::string GetText(const char* key) {
    char buffer[QxTextBufferSize];
    buffer[0] = '\0';
    QxGetText(g_library, key, buffer, sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

bool TryFormatText(const char* key, std::initializer_list<const char*> arguments, std::string& text) {
    const char* slots[kMaxArguments] = {};
    size_t count = 0;
    for (const char* argument : arguments) {
        if (count == kMaxArguments) break;
        slots[count++] = argument ? argument : "";
    }
    char buffer[QxTextBufferSize];
    buffer[0] = '\0';
    // The argument list always ends with a null pointer; unused slots are null already.
    int ok = QxFormatText(g_library, buffer, sizeof buffer, key, slots[0], slots[1], slots[2], slots[3], slots[4],
                          slots[5], slots[6], slots[7], slots[8], static_cast<const char*>(nullptr));
    buffer[sizeof buffer - 1] = '\0';
    text = buffer;
    return ok != 0;
}

std::string FormatText(const char* key, std::initializer_list<const char*> arguments) {
    std::string text;
    TryFormatText(key, arguments, text);
    return text;
}

void LocaliseDialog(HWND dialog) {
    QxLocaliseDialog(g_library, dialog);
}

void LocaliseMenu(HMENU menu) {
    QxLocaliseMenu(g_library, menu);
}
