// The desktop menu's icons: each item's small icon as the shell shows it (the system image list),
// made at the menu's DPI into a 32-bit bitmap with premultiplied alpha, which a menu item shows
// on any background, light or dark.
#pragma once
#include "framework/Handles.h"
#include "tray/ShellOwners.h"
#include <commoncontrols.h>
#include <map>

class DeskItemIcons {
public:
    // Icons of the small-icon size at the DPI of the window the menu belongs to.
    explicit DeskItemIcons(HWND menuOwner);
    DeskItemIcons(const DeskItemIcons&) = delete;
    DeskItemIcons& operator=(const DeskItemIcons&) = delete;
    int Size() const { return m_size; }
    // The bitmap for the icon at index in the system image lists, shared by every item with
    // that icon and freed with this object, which must outlive the menu that shows it; null when
    // there is none.
    HBITMAP For(int index);

private:
    HBITMAP Make(int index) const;

    int m_size;
    InterfaceOwner<IImageList> m_list;  // the system's; released, never destroyed
    std::map<int, OwnedBitmap> m_bitmaps;
};
