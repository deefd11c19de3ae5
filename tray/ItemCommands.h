// The commands of the icons' context menu and the flows around them: the settings sheet, new
// special icons, delete, close and the About box; the first-time choice; a new shortcut from a
// file's or folder's path (QuickNew). What the menu would grey is refused however a command arrives.
#pragma once
#include "store/ShortcutList.h"
#include <windows.h>
#include <string>

// The tooltip of a special item in the current language.
std::string SpecialItemTitle(ShortcutKind kind);

class ItemCommands {
public:
    // owner: the main window's handle, which the menu and the windows belong to.
    ItemCommands(const HWND& owner, ShortcutList& shortcuts) : m_owner(owner), m_shortcuts(shortcuts) {}

    // Opens the context menu of the item at index at the cursor; returns when it has closed.
    void ShowContextMenu(int index);
    bool Handles(UINT id) const;
    bool IsEnabled(UINT id) const;
    // Runs a menu command, unless the menu would grey it or a modal window is open.
    void Run(UINT id);

    // The settings sheet for the shortcut at index.
    void EditShortcut(int index);
    // The sheet for a new shortcut (the first of all cannot be cancelled); false when there is no room.
    bool NewShortcut(bool first);
    // The sheet for a new shortcut filled from the program, document or folder at path, unless
    // changes are locked, a window is open, or there is no such file or folder.
    void NewShortcutFromPath(const std::string& path);
    void AddSpecialItem(ShortcutKind kind);
    // Offers the first icon while there is none; may end the program.
    void RunFirstTimeFlow();

private:
    void DeleteContextItem();
    void CloseProgram();
    void ShowAboutBox();

    const HWND& m_owner;
    ShortcutList& m_shortcuts;
    int m_contextIndex = -1;  // the item whose context menu was opened last
};
