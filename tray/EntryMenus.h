// The entry menus of the two special icons. The Dial-Up Networking icon lists the default
// phonebook's entries and dials the one chosen; the system's Remote Access library is loaded only
// while that menu is built and shown, so the program runs on machines without dial-up networking.
// The desktop-access icon lists the desktop's items with their icons, folders first, in columns
// that fit the screen, and opens the one chosen. Both menus are built from MENU IDM_ENTRY_MENU.
#pragma once
#include "tray/ShellOwners.h"
#include <string>
#include <vector>

// The most entries each menu lists. Entry i has the command ID_DIALUP_ENTRY_FIRST + i or
// ID_DESKTOP_ENTRY_FIRST + i; the main window enables them up to ..._ENTRY_LAST, later ones are greyed.
const size_t MaxDialUpEntries = 100;
const size_t MaxDeskItems = 500;

// MENU IDM_ENTRY_MENU, to be shown where the pointer was when the icon was activated.
class EntryMenu {
public:
    explicit EntryMenu(HWND mainWindow);
    bool Loaded() const { return m_menu != nullptr; }
    // An entry showing the name as it is; flags may add MF_MENUBARBREAK. image, when given, is a
    // 32-bit bitmap with alpha shown before the name; the caller keeps it until the menu has gone.
    void Append(UINT command, const std::string& name, UINT flags = MF_STRING, HBITMAP image = nullptr);
    void AppendSeparator();
    // Shows the menu until it closes and gives the command chosen, or 0. "(Empty)" is shown,
    // greyed, only when nothing was appended.
    UINT Track();
    // The height of one row of the menu in pixels (with images of imageHeight pixels), and the
    // height a column of rows may take.
    int RowHeight(int imageHeight = 0) const;
    int AvailableHeight() const;

private:
    HMENU Popup() const { return GetSubMenu(m_menu.get(), 0); }
    HWND m_owner;
    POINT m_cursor = {};
    OwnedMenu m_menu;
    bool m_filled = false;
    bool m_showsImages = false;
};

// Lists the phonebook at the cursor and dials the entry chosen; one entry is dialled at once.
void ShowDialUpMenu(HWND mainWindow);
// Starts the system's dialler for the entry; says why when it cannot start.
void DialEntry(HWND mainWindow, const std::string& entryName);

// Lists the desktop at the cursor and opens the item chosen.
void ShowDeskAccessMenu(HWND mainWindow);
// The item's normal display name as program text; empty when the shell refuses.
std::string DisplayNameToAnsi(IShellFolder* folder, LPCITEMIDLIST item);
// Runs the item's default verb.
void OpenDeskItem(LPCITEMIDLIST item);

// What needs no window: ordering and layout.

// Names in byte order (upper case before lower case), equal names in the service's order; at
// most MaxDialUpEntries, the first in that order.
std::vector<std::string> SortEntryNames(const std::vector<std::string>& serviceOrder);
// A name as a menu shows it: an ampersand doubled, so that it is not taken for a mnemonic.
std::string MenuItemText(const std::string& name);

struct DeskItem {
    std::string DisplayName;
    bool IsFolder = false;
    IdListOwner Item;     // relative to the desktop
    int IconIndex = -1;   // in the system image lists
};
// By display name, ignoring case, as the user's locale orders names.
void SortDeskItems(std::vector<DeskItem>& items);

// One line of the desktop menu: the item at Position of the sorted list, or a separator.
struct DeskMenuLine {
    static const int Separator = -1;
    int Position;
    bool StartsColumn;  // a new column with a dividing line
};
// Folders first, then a separator unless a group is empty or the last folder began a column,
// then the other items; a column is begun wherever the running row count passes the rows that
// fit (the available height over the row height).
std::vector<DeskMenuLine> LayOutDeskMenu(const std::vector<DeskItem>& sorted, int rowHeight, int availableHeight);
