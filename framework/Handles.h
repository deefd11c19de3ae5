// Owners of GDI and USER handles: each frees its handle when it goes, so a handle that is no
// longer shown never outlives its use.
#pragma once
#include <windows.h>
#include <memory>
#include <type_traits>

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};

using OwnedHandle = std::unique_ptr<void, HandleCloser>;  // a kernel object (mutex, file, ...)
using OwnedIcon = std::unique_ptr<std::remove_pointer<HICON>::type, IconDestroyer>;
using OwnedMenu = std::unique_ptr<std::remove_pointer<HMENU>::type, MenuDestroyer>;
using OwnedBitmap = std::unique_ptr<std::remove_pointer<HBITMAP>::type, GdiObjectDeleter>;
using OwnedBrush = std::unique_ptr<std::remove_pointer<HBRUSH>::type, GdiObjectDeleter>;
using OwnedFont = std::unique_ptr<std::remove_pointer<HFONT>::type, GdiObjectDeleter>;
