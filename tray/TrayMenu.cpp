// Tray clicks and the shortcut menu with its enabling rules.
#include "dialogs/DialogOpen.h"
#include "framework/Handles.h"
#include "framework/PopupMenu.h"
#include "framework/SystemCalls.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/Options.h"
#include "tray/MainWnd.h"

namespace {
// The beep a right click gives while the sheet or the About box is open.
const UINT BusyBeep = 1;

bool IsEntryMenuCommand(UINT id) {
    return (id >= ID_DIALUP_ENTRY_FIRST && id <= ID_DIALUP_ENTRY_LAST) ||
           (id >= ID_DESKTOP_ENTRY_FIRST && id <= ID_DESKTOP_ENTRY_LAST);
}
}  // namespace

LRESULT CMainWnd::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    // Icons of the fourth version pass the event in the low word of lParam and the icon in its
    // high word; first-version icons pass the icon in wParam and the event in lParam.
    const ULONGLONG value = static_cast<ULONGLONG>(lParam);
    if (value > 0xFFFFFFFFull) return 1;
    const bool fourth = (value >> 16) != 0;
    const UINT event = fourth ? LOWORD(value) : static_cast<UINT>(value);
    const UINT_PTR iconId = fourth ? HIWORD(value) : wParam;

    const bool mouse = event == WM_LBUTTONDOWN || event == WM_LBUTTONDBLCLK || event == WM_RBUTTONDOWN;
    const bool keyboard = event == NIN_SELECT || event == NIN_KEYSELECT || event == WM_CONTEXTMENU;
    if (event >= WM_MOUSEFIRST && event <= WM_MOUSELAST) {
        m_lastMouseIcon = iconId;
        m_lastMouseTick = GetTickCount64();
    }
    if (!mouse && !keyboard) return 1;
    if (TheApp()->ModalDepth > 0) {
        // A modal dialog is open: the click only brings it forward.
        HWND popup = GetLastActivePopup(m_hWnd);
        if (popup && popup != m_hWnd) SetForegroundWindow(popup);
        return 1;
    }
    int number = m_shortcuts.NumberOfIconId(iconId);
    if (number == 0) return 1;  // an icon that is already gone
    // The shell follows a mouse click with a selection or context-menu event of its own; only the
    // keyboard's count.
    if (keyboard && iconId == m_lastMouseIcon && GetTickCount64() - m_lastMouseTick <= GetDoubleClickTime()) return 1;
    int clickStyle = ReadOption(Option::Click);
    switch (event) {
    case WM_LBUTTONDOWN:
        if (clickStyle == 1) LaunchItem(static_cast<WPARAM>(number), WM_LBUTTONDOWN);
        break;
    case WM_LBUTTONDBLCLK:
        if (clickStyle == 2) LaunchItem(static_cast<WPARAM>(number), WM_LBUTTONDBLCLK);
        break;
    case NIN_SELECT:
    case NIN_KEYSELECT:
        // The keyboard's selection does what the configured click does.
        if (clickStyle == 1 || clickStyle == 2) LaunchItem(static_cast<WPARAM>(number), event);
        break;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
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
    if (DialogOpenFlag) {
        SetForegroundWindow(m_hWnd);
        System.messageBeep(BusyBeep);
        return;
    }
    OwnedMenu menu(LoadMenuA(TheApp()->m_hInstance, MAKEINTRESOURCEA(IDM_SHORTCUT_MENU)));
    if (!menu) return;
    LocaliseMenu(menu.get());
    HMENU popup = GetSubMenu(menu.get(), 0);
    SetMenuDefaultItem(popup, ID_PROPERTIES, FALSE);
    TrackOwnedMenu(m_hWnd, popup, cursor, 0);
}

bool CMainWnd::IsCommandEnabled(UINT id) const {
    if (IsEntryMenuCommand(id)) return true;
    switch (id) {
    case ID_DELETE:
    case ID_NEW_ICON:
    case ID_NEW_SEPARATOR:
    case ID_CLOSE:
        return !IsPasswordStored();
    case ID_NEW_DUN:
        return !IsPasswordStored() && !m_shortcuts.Contains(ShortcutKind::DialUp);
    case ID_NEW_DESKACCESS:
        return !IsPasswordStored() && !m_shortcuts.Contains(ShortcutKind::DeskAccess);
    }
    return HasCommandHandler(id);
}

bool CMainWnd::OnUpdateCommand(UINT id, bool& enabled) {
    enabled = IsCommandEnabled(id);
    return true;
}

bool CMainWnd::HasCommandHandler(UINT id) const {
    switch (id) {
    case ID_PROPERTIES:
    case ID_NEW_ICON:
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
    if (!HasCommandHandler(id)) return false;
    // A command the menu would grey (one posted by another program, say) is refused here too, and
    // so is every command while a modal window is open: no menu opens then, and the window may
    // be editing the very list the command would change.
    if (!IsCommandEnabled(id) || TheApp()->ModalDepth > 0) return true;
    switch (id) {
    case ID_PROPERTIES:
        if (ContextItem >= 1 && ContextItem <= m_shortcuts.Count()) RunShortcutSheet(ContextItem);
        break;
    case ID_NEW_ICON: RunShortcutSheet(-1); break;
    case ID_NEW_SEPARATOR: AddSpecialItem(ShortcutKind::Separator); break;
    case ID_NEW_DUN: AddSpecialItem(ShortcutKind::DialUp); break;
    case ID_NEW_DESKACCESS: AddSpecialItem(ShortcutKind::DeskAccess); break;
    case ID_DELETE: DeleteContextItem(); break;
    case ID_CLOSE: CloseProgram(); break;
    case ID_ABOUT: ShowAboutBox(); break;
    }
    return true;
}
