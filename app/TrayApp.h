// The application object: start-up, the single-instance rule, the language state, and the
// count of modal dialogs that tray clicks consult.
#pragma once
#include "framework/WinApp.h"
#include <memory>

class CMainWnd;

class TrayApp : public CWinApp {
public:
    TrayApp();
    ~TrayApp() override;

    bool InitInstance() override;
    // The Help command (57670) of every dialog, page and sheet ends here.
    bool OnCommand(UINT id) override;
    bool HandlesCommand(UINT id) const override;

    WORD CurrentLanguage() const { return m_currentLanguage; }
    // Stores a new language choice (Options\Language) when it differs from the current one.
    void SetLanguage(WORD language);
    // Reopens the language library for language and re-titles what shows language texts.
    void ReloadLanguage(WORD language);

    // Modal dialogs, message boxes and sheets the program's own code is running now.
    int ModalDepth = 0;

    CMainWnd* MainWindow() const;

private:
    WORD m_currentLanguage = 0;
    std::unique_ptr<CMainWnd> m_mainWindow;
};

TrayApp& App();

// Raises ModalDepth for the lifetime of a modal run.
class ModalScope {
public:
    ModalScope() { ++App().ModalDepth; }
    ~ModalScope() { --App().ModalDepth; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};
