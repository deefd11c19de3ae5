// The application object: start-up, the single-instance rule and the language state.
#pragma once
#include "framework/Handles.h"
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
    // [new("<path>")] from the Explorer verb: a new shortcut for the file or folder at path.
    bool OnDDECommand(const char* command) override;

    CMainWnd* MainWindow() const;

    // Held by the running copy for its whole life.
    static const char* const InstanceMutexName;

private:
    // True for the first copy; a later one brings the first forward instead.
    bool IsOnlyInstance();

    OwnedHandle m_instanceMutex;
    std::unique_ptr<CMainWnd> m_mainWindow;
    OwnedIcon m_smallIcon;  // outlives the main window that shows it
};

TrayApp& App();
