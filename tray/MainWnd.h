// The hidden top-level window: it owns the shortcut list and the tray icons, receives their
// notifications and the context menu's commands, and is what a second instance finds.
#pragma once
#include "framework/FrameWnd.h"
#include "store/ShortcutList.h"
#include "tray/TrayIcons.h"

// Window message other programs may post to launch item wParam (1-based) as a click does.
const UINT LaunchItemMessage = 143;
// Posted to itself at creation: what start-up does once the window exists (the first-time flow).
const UINT StartupActionMessage = WM_APP + 1;

class CMainWnd : public CFrameWnd {
public:
    static const char* const ClassName;
    // Adds the window class "QX:Velkator", whose windows are made by Create.
    static void RegisterWindowClass(HINSTANCE instance);

    CMainWnd();
    bool Create();
    ShortcutList& Shortcuts() { return m_shortcuts; }
    // Gives the special icons the tooltips of the current language.
    void RetitleSpecialIcons();

    // 1-based number of the item whose context menu was opened last.
    int ContextItem = 0;
    // A program the command line asked to add ("/n"); offered once the window exists.
    std::string StartupNewPath;

    // Tray callback: wParam the icon id, lParam the mouse message. Always answers 1.
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    // Opens the context menu at the cursor and returns when it has closed.
    void ShowShortcutMenu(int itemNumber);
    // Activates item itemNumber (1-based): launches it, or opens its menu. Other numbers do nothing.
    void LaunchItem(WPARAM itemNumber, UINT mouseMessage);

    // Context menu commands.
    // Opens the settings sheet for item selection (1-based), or for a new shortcut (-1, or 0
    // when it cannot be cancelled); false when the list has no room for a new one.
    bool RunShortcutSheet(int selection);
    // Opens the sheet for a new shortcut filled from the program at path (QuickNew), unless
    // changes are locked, a window is open, or there is no such file.
    void NewShortcutFromPath(const std::string& path);
    void AddSpecialItem(ShortcutKind kind);
    void DeleteContextItem();
    void CloseProgram();
    void ShowAboutBox();
    // Offers the first icon while there is none; may end the program.
    void RunFirstTimeFlow();

protected:
    int OnCreate(CREATESTRUCTA* create) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnUpdateCommand(UINT id, bool& enabled) override;
    bool HasCommandHandler(UINT id) const override;

private:
    // Whether a command of the context menu may run now; the menu greys what may not.
    bool IsCommandEnabled(UINT id) const;
    void AddAllIcons();
    void RemoveAllIcons();

    TrayIcons m_icons;  // before the list, which tells it of every change
    ShortcutList m_shortcuts;
};

// The tooltip of a special item in the current language.
std::string SpecialItemTitle(ShortcutKind kind);
