// The hidden top-level window: it owns the shortcut list and the tray icons, receives their
// notifications and the context menu's commands, and is what a second instance finds. Clicks,
// commands and launching are the work of the classes it holds. As a top-level window it hears of
// setting changes: the menus follow the dark-mode setting, and the desktop menu's icons the shell.
#pragma once
#include "framework/DarkMenus.h"
#include "framework/FrameWnd.h"
#include "store/ShortcutList.h"
#include "tray/ItemCommands.h"
#include "tray/Launcher.h"
#include "tray/TrayClicks.h"
#include "tray/TrayIcons.h"
#include <string>

// Window message other programs may post to launch item wParam (1-based) as a click does.
const UINT LaunchItemMessage = 143;

class CMainWnd : public CFrameWnd {
public:
    static const char* const ClassName;
    // Adds the window class "QX:Velkator", whose windows are made by Create.
    static void RegisterWindowClass(HINSTANCE instance);

    // startupNewPath: a file or folder the command line asked to add ("/n"), offered once the window exists.
    explicit CMainWnd(const std::string& startupNewPath = std::string());
    bool Create();
    ShortcutList& Shortcuts() { return m_shortcuts; }
    ItemCommands& Commands() { return m_commands; }
    // Gives the special icons the tooltips of the current language.
    void RetitleSpecialIcons();

protected:
    int OnCreate(CREATESTRUCTA* create) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnUpdateCommand(UINT id, bool& enabled) override;
    bool HasCommandHandler(UINT id) const override;

private:
    TrayIcons m_icons;  // before the list, which tells it of every change
    ShortcutList m_shortcuts;
    Launcher m_launcher;
    ItemCommands m_commands;
    TrayClicks m_clicks;
    DarkMenus m_darkMenus;
    const std::string m_startupNewPath;
};
