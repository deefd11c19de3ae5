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

void EntryMenu::Append(UINT command, const std::string& name, UINT flags) {
    AppendMenuA(Popup(), flags, command, MenuItemText(name).c_str());
    m_filled = true;
}

void EntryMenu::AppendSeparator() {
    AppendMenuA(Popup(), MF_SEPARATOR, 0, nullptr);
}

UINT EntryMenu::Track() {
    if (m_filled) DeleteMenu(Popup(), ID_EMPTY, MF_BYCOMMAND);
    return TrackOwnedMenu(m_owner, Popup(), m_cursor, TPM_RETURNCMD);
}

int EntryMenu::RowHeight() const {
    // A row holds a line of the menu font, or the check mark's box when that is taller, with the
    // space round it that the system's menus give at this DPI.
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
    return std::max(text, MetricForDpi(SM_CYMENUCHECK, dpi)) + ScaleForDpi(8, dpi);
}

int EntryMenu::AvailableHeight() const {
    // Menus may cover the taskbar: the whole monitor the menu opens on counts, less a margin.
    const MONITORINFO monitor = MonitorInfoOf(MonitorFromPoint(m_cursor, MONITOR_DEFAULTTOPRIMARY));
    return monitor.rcMonitor.bottom - monitor.rcMonitor.top - ScaleForDpi(30, WindowDpi(m_owner));
}
