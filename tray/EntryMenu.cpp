// The menu both special icons fill.
#include "tray/EntryMenus.h"
#include "framework/Display.h"
#include "framework/Handles.h"
#include "framework/PopupMenu.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include <algorithm>

EntryMenu::EntryMenu(HWND mainWindow) : m_owner(mainWindow) {
    GetCursorPos(&m_cursor);
    m_menu.reset(LoadMenuA(ProgramInstance(), MAKEINTRESOURCEA(IDM_ENTRY_MENU)));
}

void EntryMenu::Append(UINT command, const std::string& name, UINT flags, HBITMAP image) {
    AppendMenuA(Popup(), flags, command, MenuItemText(name).c_str());
    m_filled = true;
    if (!image) return;
    if (!m_showsImages) {
        // The entries are never checked: the images take the check mark's place, not a column of their own.
        MENUINFO style = {};
        style.cbSize = sizeof style;
        style.fMask = MIM_STYLE;
        style.dwStyle = MNS_CHECKORBMP;
        m_showsImages = SetMenuInfo(Popup(), &style) != FALSE;
    }
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = image;
    // Should it fail, the entry still shows its name.
    SetMenuItemInfoA(Popup(), command, FALSE, &item);
}

void EntryMenu::AppendSeparator() {
    AppendMenuA(Popup(), MF_SEPARATOR, 0, nullptr);
}

UINT EntryMenu::Track() {
    if (m_filled) DeleteMenu(Popup(), ID_EMPTY, MF_BYCOMMAND);
    return TrackOwnedMenu(m_owner, Popup(), m_cursor, TPM_RETURNCMD);
}

int EntryMenu::RowHeight(int imageHeight) const {
    // A row holds a line of the menu font, or the check mark's box or the image when taller, with
    // the space round it that the system's menus give at this DPI.
    const UINT dpi = WindowDpi(m_owner);
    NONCLIENTMETRICSW metrics;
    int text = 0;
    if (NonClientMetricsForDpi(metrics, dpi)) {
        OwnedFont font(CreateFontIndirectW(&metrics.lfMenuFont));
        HDC screen = GetDC(nullptr);
        if (screen && font) {
            HGDIOBJ old = SelectObject(screen, font.get());
            TEXTMETRICW measured = {};
            if (GetTextMetricsW(screen, &measured)) text = measured.tmHeight + measured.tmExternalLeading;
            SelectObject(screen, old);
        }
        if (screen) ReleaseDC(nullptr, screen);
    }
    return std::max({text, MetricForDpi(SM_CYMENUCHECK, dpi), imageHeight}) + ScaleForDpi(8, dpi);
}

int EntryMenu::AvailableHeight() const {
    // Menus may cover the taskbar: the whole monitor the menu opens on counts, less a margin.
    const MONITORINFO monitor = MonitorInfoOf(MonitorFromPoint(m_cursor, MONITOR_DEFAULTTOPRIMARY));
    return monitor.rcMonitor.bottom - monitor.rcMonitor.top - ScaleForDpi(30, WindowDpi(m_owner));
}
