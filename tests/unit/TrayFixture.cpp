#include "TrayFixture.h"
#include "app/TrayApp.h"
#include "dialogs/DialogOpen.h"
#include "lang/Language.h"

namespace {
// Destroying the main window posts WM_QUIT; a later test's dialog must not see it.
void DestroyMainWindow(CMainWnd& window) {
    window.DestroyWindow();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
}  // namespace

void TrayFixture::TearDown() {
    if (WindowAlive()) DestroyMainWindow(*window);
    App().m_pMainWnd = nullptr;
    App().ModalDepth = 0;
    DialogOpenFlag = false;
    OpenLanguageLibrary(9);
}

void TrayFixture::CreateWindowWith(const std::vector<std::string>& tokens) {
    std::string order;
    for (const std::string& token : tokens) {
        size_t equals = token.find('=');
        std::string name = token.substr(0, equals);
        if (equals != std::string::npos) {
            TheApp()->WriteProfileString("Shortcuts", name.c_str(), "Installed");
            TheApp()->WriteProfileString(name.c_str(), "Path", token.substr(equals + 1).c_str());
        }
        order += name + "|";
    }
    TheApp()->WriteProfileString("Shortcuts", "Order", order.c_str());
    if (WindowAlive()) DestroyMainWindow(*window);
    CMainWnd::RegisterWindowClass(GetModuleHandleA(nullptr));
    window.reset(new CMainWnd);
    ASSERT_TRUE(window->Create());
    App().m_pMainWnd = window.get();
}

void TrayFixture::Click(int itemNumber, UINT mouseMessage) {
    int iconId = window->Shortcuts().At(itemNumber - 1).IconId;
    SendMessageA(window->m_hWnd, TrayCallbackMessage, static_cast<WPARAM>(iconId), mouseMessage);
}

std::string TrayFixture::Order() const {
    return TheApp()->GetProfileString("Shortcuts", "Order", "<none>");
}
