#include "tray/TrayClicks.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "store/Options.h"
#include <shellapi.h>

namespace {
// Ctrl+Shift held with the launching click: as on the taskbar, this start is as administrator.
// The state is the thread's as the click's notification is handled.
bool ElevationKeysHeld() {
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) < 0;
}
}  // namespace

bool TrayClicks::BringModalWindowForward() const {
    if (TheApp()->ModalDepth == 0) return false;
    HWND popup = GetLastActivePopup(m_owner);
    if (popup && popup != m_owner) SetForegroundWindow(popup);
    return true;
}

LRESULT TrayClicks::OnNotify(WPARAM wParam, LPARAM lParam) {
    // Icons of the fourth version pass the event in the low word of lParam and the icon in its
    // high word; first-version icons pass the icon in wParam and the event in lParam.
    const ULONGLONG value = static_cast<ULONGLONG>(lParam);
    if (value > 0xFFFFFFFFull) return 1;
    // The pointer on an icon, or the keyboard there, comes before any menu: the sheet's library
    // loads meanwhile.
    CPropertySheet::LoadControlsAhead();
    const bool fourth = (value >> 16) != 0;
    const UINT event = fourth ? LOWORD(value) : static_cast<UINT>(value);
    const UINT_PTR iconId = fourth ? HIWORD(value) : wParam;

    const bool mouse = event == WM_LBUTTONDOWN || event == WM_LBUTTONDBLCLK || event == WM_RBUTTONDOWN;
    const bool keyboard = event == NIN_SELECT || event == NIN_KEYSELECT || event == WM_CONTEXTMENU;
    if (event >= WM_MOUSEFIRST && event <= WM_MOUSELAST) {
        m_lastMouseIcon = iconId;
        m_lastMouseTick = GetTickCount64();
    }
    if ((!mouse && !keyboard) || BringModalWindowForward()) return 1;
    const int number = m_shortcuts.NumberOfIconId(iconId);
    if (number == 0) return 1;  // an icon that is already gone
    // The shell follows a mouse click with a selection or context-menu event of its own; only the
    // keyboard's count.
    if (keyboard && iconId == m_lastMouseIcon && GetTickCount64() - m_lastMouseTick <= GetDoubleClickTime()) return 1;
    const ClickStyle click = ReadClickStyle();
    switch (event) {
    case WM_LBUTTONDOWN:
        if (click == ClickStyle::Single) m_launcher.Launch(m_shortcuts.At(number - 1), ElevationKeysHeld());
        break;
    case WM_LBUTTONDBLCLK:
        if (click == ClickStyle::Double) m_launcher.Launch(m_shortcuts.At(number - 1), ElevationKeysHeld());
        break;
    case NIN_SELECT:
    case NIN_KEYSELECT:
        // The keyboard's selection does what the configured click does.
        if (click != ClickStyle::None) m_launcher.Launch(m_shortcuts.At(number - 1));
        break;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
        m_commands.ShowContextMenu(number - 1);
        break;
    }
    return 1;
}

void TrayClicks::LaunchNumber(WPARAM number) const {
    const ShortcutItem* item = m_shortcuts.ByNumber(number);
    // As a click would: nothing while a modal window is open, and a new shortcut the sheet has
    // not stored yet is not there to start.
    if (!item || TheApp()->ModalDepth > 0 || static_cast<int>(number) - 1 == m_shortcuts.PendingIndex()) return;
    m_launcher.Launch(*item);
}
