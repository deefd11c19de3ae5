// Tray clicks and the shortcut menu with its enabling rules.
#include "app/TrayApp.h"
#include "framework/SystemCalls.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/Options.h"
#include "tray/MainWnd.h"

LRESULT CMainWnd::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_LBUTTONDBLCLK && mouseMessage != WM_RBUTTONDOWN)
        return 1;
    if (App().ModalDepth > 0) {
        // A modal dialog is open: the click only brings it forward.
        HWND popup = GetLastActivePopup(m_hWnd);
        if (popup && popup != m_hWnd) SetForegroundWindow(popup);
        return 1;
    }
    int number = ShortcutTable.NumberOfIconId(static_cast<int>(iconId));
    if (number == 0) return 1;  // an icon that is already gone
    int clickStyle = App().GetProfileInt(OptionsSection, "Click", 1);
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        if (clickStyle == 1) LaunchItem(number, WM_LBUTTONDOWN);
        break;
    case WM_LBUTTONDBLCLK:
        if (clickStyle == 2) LaunchItem(number, WM_LBUTTONDBLCLK);
        break;
    case WM_RBUTTONDOWN:
        // While the sheet or the About box exists the click only beeps; the item they were
        // opened for stays the context item.
        if (!DialogOpenFlag) ContextItem = number;
        ShowShortcutMenu(number);
        break;
    }
    return 1;
}

void CMainWnd::ShowShortcutMenu(int) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    SetForegroundWindow(m_hWnd);
    if (DialogOpenFlag) {
        System.messageBeep(1);
        return;
    }
    HMENU menu = LoadMenuA(App().m_hInstance, MAKEINTRESOURCEA(IDM_SHORTCUT_MENU));
    if (!menu) return;
    LocaliseMenu(menu);
    HMENU popup = GetSubMenu(menu, 0);
    SetMenuDefaultItem(popup, ID_PROPERTIES, FALSE);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageA(m_hWnd, WM_USER, 0, 0);
    DestroyMenu(menu);
}

bool CMainWnd::OnUpdateCommand(UINT id, bool& enabled) {
    if ((id >= 101 && id <= 120) || (id >= 201 && id <= 450)) {
        enabled = true;  // entries of the dial-up and desktop menus
        return true;
    }
    switch (id) {
    case ID_DELETE:
    case ID_NEW_ICON:
    case ID_NEW_SEPARATOR:
    case ID_CLOSE:
        enabled = !IsPasswordStored();
        return true;
    case ID_NEW_DUN:
        enabled = !IsPasswordStored() && !ShortcutTable.HasItemWithPath(DialUpWord);
        return true;
    case ID_NEW_DESKACCESS:
        enabled = !IsPasswordStored() && !ShortcutTable.HasItemWithPath(DeskAccessWord);
        return true;
    }
    return false;
}

bool CMainWnd::HasCommandHandler(UINT id) const {
    switch (id) {
    case ID_DELETE:
    case ID_NEW_SEPARATOR:
    case ID_NEW_DUN:
    case ID_NEW_DESKACCESS:
    case ID_CLOSE:
    case ID_ABOUT:
        return true;
    }
    return false;
}

bool CMainWnd::OnCommand(UINT id, UINT, HWND) {
    switch (id) {
    case ID_NEW_SEPARATOR: AddSpecialItem(ShortcutKind::Separator); return true;
    case ID_NEW_DUN: AddSpecialItem(ShortcutKind::DialUp); return true;
    case ID_NEW_DESKACCESS: AddSpecialItem(ShortcutKind::DeskAccess); return true;
    case ID_DELETE: DeleteContextItem(); return true;
    case ID_CLOSE: CloseProgram(); return true;
    case ID_ABOUT: ShowAboutBox(); return true;
    }
    return false;
}
