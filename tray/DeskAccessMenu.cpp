// The desktop-access menu: the desktop's items through the shell namespace, opened by id list.
#include "tray/EntryMenus.h"
#include "framework/SystemCalls.h"
#include "res/resource.h"
#include <cstring>

namespace {
// The wide name as ANSI text, however long.
std::string WideToAnsi(const wchar_t* wide) {
    const DWORD flags = WC_COMPOSITECHECK | WC_SEPCHARS;
    int bytes = WideCharToMultiByte(CP_ACP, flags, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return std::string();
    std::string text(static_cast<size_t>(bytes), '\0');
    bytes = WideCharToMultiByte(CP_ACP, flags, wide, -1, &text[0], bytes, nullptr, nullptr);
    text.resize(bytes > 0 ? static_cast<size_t>(bytes) - 1 : 0);
    return text;
}

bool IsFolderItem(IShellFolder* desktop, LPCITEMIDLIST item) {
    SFGAOF attributes = SFGAO_FOLDER;
    if (FAILED(desktop->GetAttributesOf(1, &item, &attributes))) return false;
    // The shell may set attributes that were not asked for (Wine sets them all for files and folders).
    return (attributes & SFGAO_FOLDER) != 0;
}

// Shell extensions that the namespace or a verb may load are COM objects.
struct ComScope {
    ComScope() = default;
    ComScope(const ComScope&) = delete;
    const bool initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    ~ComScope() {
        if (initialised) CoUninitialize();
    }
};

// Up to MaxDeskItems items of the desktop, in the shell's order.
std::vector<DeskItem> EnumerateDesktop(IShellFolder* desktop, IEnumIDList* enumerator) {
    std::vector<DeskItem> items;
    items.reserve(MaxDeskItems);
    LPITEMIDLIST next = nullptr;
    while (items.size() < MaxDeskItems && enumerator->Next(1, &next, nullptr) == S_OK) {
        IdListOwner item(next);
        next = nullptr;
        if (!item) continue;
        DeskItem record;
        record.IsFolder = IsFolderItem(desktop, item.get());
        record.DisplayName = DisplayNameToAnsi(desktop, item.get());
        record.Item = std::move(item);
        items.push_back(std::move(record));
    }
    return items;
}
}  // namespace

std::string DisplayNameToAnsi(IShellFolder* folder, LPCITEMIDLIST item) {
    STRRET name = {};
    if (FAILED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) return std::string();
    switch (name.uType) {
    case STRRET_WSTR: {
        // The wide text belongs to the caller, who frees it with the shell's allocator.
        std::string text = WideToAnsi(name.pOleStr);
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
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = GetDesktopWindow();
    info.lpIDList = const_cast<LPITEMIDLIST>(item);
    info.nShow = SW_SHOWNORMAL;
    // The shell reports its own errors.
    System.shellExecuteEx(&info);
}

void ShowDeskAccessMenu(HWND mainWindow) {
    EntryMenu menu(mainWindow);
    if (!menu.Loaded()) return;
    ComScope com;  // outlives every interface below
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
    for (const DeskMenuLine& line :
         LayOutDeskMenu(items, GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CYSCREEN))) {
        if (line.Position == DeskMenuLine::Separator)
            menu.AppendSeparator();
        else
            menu.Append(ID_DESKTOP_ENTRY_FIRST + line.Position, items[line.Position].DisplayName,
                        MF_STRING | (line.StartsColumn ? MF_MENUBARBREAK : 0));
    }
    const UINT command = menu.Track();
    if (command >= ID_DESKTOP_ENTRY_FIRST && command - ID_DESKTOP_ENTRY_FIRST < items.size())
        OpenDeskItem(items[command - ID_DESKTOP_ENTRY_FIRST].Item.get());
}
