// What the settings sheet and its pages share while the sheet is open.
#pragma once
#include "store/ShortcutList.h"
#include <string>

struct SheetState {
    SheetState(ShortcutList& shortcuts, int selectedIndex, bool mayCancel)
        : Shortcuts(shortcuts), SelectedIndex(selectedIndex), MayCancel(mayCancel) {}

    ShortcutList& Shortcuts;
    // Index of the shortcut being edited, -1 until the record of a new one exists. Follows the
    // shortcut when the Order page moves it.
    int SelectedIndex;
    // False for the first shortcut of all, which the user must make or close the sheet.
    const bool MayCancel;
    // The Order page's list was touched; its apply rebuilds the order.
    bool OrderChanged = false;
    // The Properties page's name as last typed, and the name the Order page's list shows.
    std::string EditedName;
    std::string ListedName;
    // Empty while the pages may be edited; the stored password form while changes are locked.
    std::string ActivePassword;

    // A record was added for a new shortcut and is not stored yet.
    bool NewItemPending() const { return SelectedIndex >= 0 && SelectedIndex == Shortcuts.PendingIndex(); }
    bool IsLocked() const { return !ActivePassword.empty(); }
};
