#include "framework/FrameWnd.h"
#include "framework/WinApp.h"
#include <dde.h>
#include <ddeml.h>
#include <string.h>
#include <string>

bool CFrameWnd::Create(const char* className, const char* title, DWORD style, HWND parent, HMENU menu,
                       DWORD exStyle) {
    return CreateEx(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    parent, menu);
}

void CFrameWnd::EnableMenuItems(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        UINT id = GetMenuItemID(menu, position);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and sub-menus
        bool enabled = false;
        if (!OnUpdateCommand(id, enabled)) enabled = HasCommandHandler(id);
        EnableMenuItem(menu, position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

bool CFrameWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CREATE:
        if (DefaultProc(message, wParam, lParam) == -1) {
            result = -1;
        } else {
            result = OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
        }
        return true;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) EnableMenuItems(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    case WM_NCDESTROY:
        if (TheApp() && TheApp()->m_pMainWnd == this) {
            TheApp()->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
        return false;
    case WM_DDE_INITIATE:
    case WM_DDE_EXECUTE:
    case WM_DDE_TERMINATE:
        if (OnDdeMessage(message, wParam, lParam)) {
            result = 0;
            return true;
        }
        break;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}

bool CFrameWnd::OnDdeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    CWinApp* app = TheApp();
    if (!app || !app->DdeApplicationAtom()) return false;
    HWND client = reinterpret_cast<HWND>(wParam);
    switch (message) {
    case WM_DDE_INITIATE: {
        ATOM application = LOWORD(lParam), topic = HIWORD(lParam);
        if (application != app->DdeApplicationAtom() || topic != app->DdeTopicAtom()) return false;
        // The acknowledgement carries atoms of its own; the client deletes them.
        ATOM ackApplication = GlobalAddAtomA(app->AppName().c_str());
        ATOM ackTopic = GlobalAddAtomA("system");
        SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(ackApplication, ackTopic));
        return true;
    }
    case WM_DDE_EXECUTE: {
        UINT_PTR unused = 0, handle = 0;
        UnpackDDElParam(WM_DDE_EXECUTE, lParam, &unused, &handle);
        std::string command;  // whole: what is too long to handle is the application's to refuse
        HGLOBAL memory = reinterpret_cast<HGLOBAL>(handle);
        if (const char* text = static_cast<const char*>(GlobalLock(memory))) {
            command.assign(text, strnlen(text, GlobalSize(memory)));
            GlobalUnlock(memory);
        }
        // Acknowledge at once; the command is dropped while a dialog owned by this window is open.
        LPARAM ack = ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, DDE_FACK, handle);
        if (!PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_hWnd), ack)) FreeDDElParam(WM_DDE_ACK, ack);
        if (IsWindowEnabled(m_hWnd)) app->OnDDECommand(command.c_str());
        return true;
    }
    case WM_DDE_TERMINATE:
        PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
        return true;
    }
    return false;
}
