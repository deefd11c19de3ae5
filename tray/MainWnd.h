// The hidden top-level window: it owns the tray icons, receives their notifications and
// the context menu's commands, and is what a second instance finds.
#pragma once
#include "framework/FrameWnd.h"
#include "store/ShortcutTable.h"

// Set while the About box or the property sheet exists; a right click then only beeps.
extern bool DialogOpenFlag;

// Window message other programs may post to launch item wParam (1-based) as a click does.
const UINT LaunchItemMessage = 143;

class CMainWnd : public CFrameWnd {
public:
    static const char* const ClassName;
    // Adds the window class "QX:Velkator"; the object takes the window over when it is made.
    static void RegisterWindowClass(HINSTANCE instance);

    CMainWnd();
    bool Create();
    // Gives the special icons the tooltips of the current language.
    void RetitleSpecialIcons();

    // 1-based number of the item whose context menu was opened last.
    int ContextItem = 0;

    // Tray callback: wParam the icon id, lParam the mouse message. Always answers 1.
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    // Opens the context menu at the cursor and returns when it has closed.
    void ShowShortcutMenu(int itemNumber);
    // Activates item itemNumber (1-based): launches it, or opens its menu.
    void LaunchItem(int itemNumber, UINT mouseMessage);

    // Context menu commands.
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
    void AddAllIcons();
    void RemoveAllIcons();
};
