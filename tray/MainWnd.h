// The hidden top-level window: it owns the tray icons, receives their notifications and
// the context menu's commands, and is what a second instance finds.
#pragma once
#include "framework/FrameWnd.h"

class CMainWnd : public CFrameWnd {
public:
    bool Create();
    // Gives the special icons the tooltips of the current language.
    void RetitleSpecialIcons();

protected:
    int OnCreate(CREATESTRUCTA* create) override;
};
