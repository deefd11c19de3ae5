// A top-level frame window: closing destroys it, destroying the application's main window
// ends the message loop, popup menus it owns are enabled command by command, and it answers
// the shell-open DDE conversation when the application enabled that service.
#pragma once
#include "framework/Wnd.h"

class CFrameWnd : public CWnd {
public:
    bool Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
                HWND parent = nullptr, HMENU menu = nullptr, DWORD exStyle = 0);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Creation after the system's own (WM_CREATE); -1 makes the creation fail.
    virtual int OnCreate(CREATESTRUCTA* create) { (void)create; return 0; }
    // Menu enabling: true when the window has a rule for the command (enabled set), else the
    // command is enabled exactly when HasCommandHandler says so.
    virtual bool OnUpdateCommand(UINT id, bool& enabled) { (void)id; (void)enabled; return false; }
    virtual bool HasCommandHandler(UINT id) const { (void)id; return false; }

private:
    void EnableMenuItems(HMENU menu);
    bool OnDdeMessage(UINT message, WPARAM wParam, LPARAM lParam);
};
