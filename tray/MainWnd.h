// The hidden top-level window: it owns the tray icons, receives their notifications and
// the context menu's commands, and is what a second instance finds.
#pragma once
#include "framework/FrameWnd.h"

class CMainWnd : public CFrameWnd {
public:
    static const char* const ClassName;
    // Adds the window class "QX:Velkator"; the object takes the window over when it is made.
    static void RegisterWindowClass(HINSTANCE instance);

    bool Create();
    // Gives the special icons the tooltips of the current language.
    void RetitleSpecialIcons();

    // 1-based number of the item whose context menu was opened last.
    int ContextItem = 0;

protected:
    int OnCreate(CREATESTRUCTA* create) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AddAllIcons();
    void RemoveAllIcons();
};
