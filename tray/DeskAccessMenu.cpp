// The desktop-access menu: the desktop's items through the shell namespace, with their icons,
// opened by id list.
#include "tray/EntryMenus.h"
#include "tray/DeskIconIndices.h"
#include "tray/DeskItemIcons.h"
#include "framework/ComApartment.h"
#include "framework/SystemCalls.h"
#include "framework/WideText.h"
#include "res/resource.h"
#include <cstring>
#include <wchar.h>

namespace {
// The attributes asked for, of those in mask; none when the shell refuses.
SFGAOF AttributesOf(IShellFolder* desktop, LPCITEMIDLIST item, SFGAOF mask) {
    SFGAOF attributes = mask;
    if (FAILED(desktop->GetAttributesOf(1, &item, &attributes))) return 0;
    // The shell may set attributes that were not asked for (Wine sets them all for files and folders).
    return attributes & mask;
}

// Up to MaxDeskItems items of the desktop, in the shell's order.
std::vector<DeskItem> EnumerateDesktop(IShellFolder* desktop, IEnumIDList* enumerator) {
    DeskIconIndices& icons = DesktopIconIndices();
    std::vector<DeskItem> items;
    items.reserve(MaxDeskItems);
    LPITEMIDLIST next = nullptr;
    while (items.size() < MaxDeskItems && enumerator->Next(1, &next, nullptr) == S_OK) {
        IdListOwner item(next);
        next = nullptr;
        if (!item) continue;
        DeskItem record;
        const SFGAOF attributes = AttributesOf(desktop, item.get(), SFGAO_FOLDER | SFGAO_FILESYSTEM);
        record.IsFolder = (attributes & SFGAO_FOLDER) != 0;
        record.DisplayName = DisplayNameToAnsi(desktop, item.get());
        // A folder's icon may change inside it (desktop.ini), and the shell's own items' with
        // their state (the Recycle Bin's): only plain files are kept.
        record.IconIndex = icons.IndexOf(item.get(), attributes == SFGAO_FILESYSTEM);
        record.Item = std::move(item);
        items.push_back(std::move(record));
    }
    icons.EndOpening();
    return items;
}
}  // namespace

std::string DisplayNameToAnsi(IShellFolder* folder, LPCITEMIDLIST item) {
    STRRET name = {};
    if (FAILED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) return std::string();
    switch (name.uType) {
    case STRRET_WSTR: {
        // The wide text belongs to the caller, who frees it with the shell's allocator.
        std::string text = name.pOleStr ? FromWide(name.pOleStr, wcslen(name.pOleStr)) : std::string();
        CoTaskMemFree(name.pOleStr);
        return text;
    }
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(item) + name.uOffset;
    case STRRET_CSTR:
        return std::string(name.cStr, strnlen(name.cStr, sizeof name.cStr));
    }
    return std::string();
}

void OpenDeskItem(LPCITEMIDLIST item) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // NOASYNC: a verb the shell hands to another thread finishes before the call returns.
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOASYNC;
    info.hwnd = GetDesktopWindow();
    info.lpIDList = const_cast<LPITEMIDLIST>(item);
    info.nShow = SW_SHOWNORMAL;
    // The shell reports its own errors.
    System.shellExecuteEx(&info);
}

void ShowDeskAccessMenu(HWND mainWindow) {
    // Shell extensions the namespace may load are COM objects.
    EnsureComApartment();
    DeskItemIcons icons(mainWindow);  // freed after the menu that shows them
    EntryMenu menu(mainWindow);
    if (!menu.Loaded()) return;
    IShellFolder* desktopFolder = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktopFolder)) || !desktopFolder) return;
    InterfaceOwner<IShellFolder> desktop(desktopFolder);
    IEnumIDList* enumeration = nullptr;
    // Hidden items are left out.
    if (FAILED(desktop->EnumObjects(mainWindow, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &enumeration)) || !enumeration)
        return;
    InterfaceOwner<IEnumIDList> enumerator(enumeration);

    std::vector<DeskItem> items = EnumerateDesktop(desktop.get(), enumerator.get());
    SortDeskItems(items);
    for (const DeskMenuLine& line : LayOutDeskMenu(items, menu.RowHeight(icons.Size()), menu.AvailableHeight())) {
        if (line.Position == DeskMenuLine::Separator) {
            menu.AppendSeparator();
            continue;
        }
        const DeskItem& item = items[line.Position];
        menu.Append(ID_DESKTOP_ENTRY_FIRST + line.Position, item.DisplayName,
                    MF_STRING | (line.StartsColumn ? MF_MENUBARBREAK : 0), icons.For(item.IconIndex));
    }
    const UINT command = menu.Track();
    if (command >= ID_DESKTOP_ENTRY_FIRST && command - ID_DESKTOP_ENTRY_FIRST < items.size())
        OpenDeskItem(items[command - ID_DESKTOP_ENTRY_FIRST].Item.get());
}
