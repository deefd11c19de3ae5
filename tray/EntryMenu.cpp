// The menu both special icons fill.
#include "tray/EntryMenus.h"
#include "framework/WinApp.h"
#include "res/resource.h"

EntryMenu::EntryMenu(HWND mainWindow) : m_owner(mainWindow) {
    GetCursorPos(&m_cursor);
    SetForegroundWindow(mainWindow);
    m_menu.reset(LoadMenuA(TheApp()->m_hInstance, MAKEINTRESOURCEA(IDM_ENTRY_MENU)));
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
    return static_cast<UINT>(
        TrackPopupMenu(Popup(), TPM_RIGHTBUTTON | TPM_RETURNCMD, m_cursor.x, m_cursor.y, 0, m_owner, nullptr));
}
