// What the mouse or the keyboard does on a tray icon: the configured click (or the keyboard's
// selection) starts the shortcut, as administrator when Ctrl+Shift is held with the click; a
// right click (or the menu key) opens its context menu, and while a modal window is open either
// only brings that window forward. Message 143 from other programs starts an item as a click does.
#pragma once
#include "store/ShortcutList.h"
#include "tray/ItemCommands.h"
#include "tray/Launcher.h"
#include <windows.h>

class TrayClicks {
public:
    TrayClicks(const HWND& owner, const ShortcutList& shortcuts, const Launcher& launcher, ItemCommands& commands)
        : m_owner(owner), m_shortcuts(shortcuts), m_launcher(launcher), m_commands(commands) {}

    // The tray callback, in the first version's form (wParam the icon id, lParam the event) or the
    // fourth's (lParam the event and the icon id). Always answers 1.
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    // Message 143: starts item number (1-based) as a click does; other numbers do nothing.
    void LaunchNumber(WPARAM number) const;

private:
    // True when a modal window is open: it is brought forward instead.
    bool BringModalWindowForward() const;

    const HWND& m_owner;
    const ShortcutList& m_shortcuts;
    const Launcher& m_launcher;
    ItemCommands& m_commands;
    // The last mouse event on an icon: the shell's own events after a click are not the keyboard's.
    UINT_PTR m_lastMouseIcon = 0;
    ULONGLONG m_lastMouseTick = 0;
};
