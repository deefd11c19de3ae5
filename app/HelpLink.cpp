#include "app/HelpLink.h"
#include "app/TrayApp.h"
#include "dialogs/ShowMessage.h"
#include "framework/ComApartment.h"
#include "framework/SystemCalls.h"
#include "framework/WideText.h"
#include "framework/Wnd.h"
#include "lang/Language.h"
#include "lang/LanguageNames.h"
#include <string.h>
#include <wchar.h>
#include <string>

namespace {
// Lower-case three-letter name of the language ("deu"); empty for English and when unknown.
std::string LanguageAbbreviation(WORD language) {
    if (language == 9) return std::string();
    wchar_t name[10] = L"";
    if (!GetLocaleInfoW(language, LOCALE_SABBREVLANGNAME, name, 10)) return std::string();
    CharLowerW(name);
    return FromWide(name, wcslen(name));
}

// What boxes of the help command belong to: whatever the program shows on top now.
HWND BoxOwner(bool activeWhileStarting) {
    CWnd* main = App().m_pMainWnd;
    if (main && main->m_hWnd) return GetLastActivePopup(main->m_hWnd);
    HWND active = activeWhileStarting ? GetActiveWindow() : nullptr;
    return active ? GetLastActivePopup(active) : nullptr;
}

std::string SystemErrorText(DWORD error) {
    char text[4096] = "";
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                        LANG_USER_DEFAULT, text, sizeof text, nullptr))
        wsprintfA(text, "Error %lu", static_cast<unsigned long>(error));
    return text;
}
}  // namespace

void OpenHelpLink(const char* prefix) {
    const std::string key = prefix;
    char helpFile[32];
    wsprintfA(helpFile, "%s%03u.hlp", LanguageFilePrefix, static_cast<unsigned>(CurrentLanguage()));
    const std::string target = FormatText(
        key.c_str(), {App().ModuleFolder().c_str(), LanguageAbbreviation(CurrentLanguage()).c_str(), helpFile});

    // Only the exact lower-case scheme counts as a web address that needs the user's consent.
    if (strncmp(target.c_str(), "http", 4) == 0 &&
        ShowMessage("msgSiteLink", MB_YESNO | MB_ICONQUESTION, (key + "Title").c_str(),
                    {GetText((key + "LinkDesc").c_str()).c_str(), target.c_str()}) != IDYES)
        return;

    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // NOASYNC: a handler the shell hands the work to finishes before the call returns.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = BoxOwner(true);
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    EnsureComApartment();
    if (System.shellExecuteEx(&info)) {
        // The mask hands back the new process's handle; nothing waits on it.
        if (info.hProcess) CloseHandle(info.hProcess);
        return;
    }
    const std::string text = SystemErrorText(GetLastError());
    ModalMessageBox(BoxOwner(false), text.c_str(), GetText((key + "Title").c_str()).c_str(), MB_ICONEXCLAMATION);
}
