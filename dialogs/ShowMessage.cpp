#include "dialogs/ShowMessage.h"
#include "dialogs/MessageDlg.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include <string>

const char* const ProgramTitle = "Velkator";

namespace {
std::string MessageTitle(const char* key, const char* titleKey) {
    std::string title;
    if (titleKey && *titleKey) title = GetText(titleKey);
    if (title.empty()) title = GetText((std::string(key) + "Title").c_str());
    if (title.empty()) title = ProgramTitle;
    return title;
}
}  // namespace

int ShowMessage(const char* key, UINT style, const char* titleKey, std::initializer_list<const char*> arguments) {
    if (!key || !*key) return IDOK;
    std::string text;
    if (!TryFormatText(key, arguments, text)) return IDOK;
    std::string title = MessageTitle(key, titleKey);

    // Owned by whatever the program shows on top now, so the box stays in front of it.
    CWnd* main = TheApp() ? TheApp()->m_pMainWnd : nullptr;
    HWND owner = main && main->m_hWnd ? GetLastActivePopup(main->m_hWnd) : nullptr;

    CMessageDlg box(text, title, style, owner);
    return static_cast<int>(box.DoModal());
}
