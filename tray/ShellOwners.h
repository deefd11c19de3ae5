// Owners for what the entry menus take from the shell and the system besides menus (those are
// OwnedMenu): a loaded library, a COM interface and a shell item id list. Each frees its handle
// when it goes, on every path.
#pragma once
#include "framework/Handles.h"
#include <shlobj.h>

struct LibraryDeleter {
    void operator()(HMODULE library) const { FreeLibrary(library); }
};
using LibraryOwner = std::unique_ptr<std::remove_pointer<HMODULE>::type, LibraryDeleter>;

struct InterfaceReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using InterfaceOwner = std::unique_ptr<Interface, InterfaceReleaser>;

// Id lists come from the shell's allocator and go back to it.
struct IdListDeleter {
    void operator()(ITEMIDLIST* list) const {
        IMalloc* allocator = nullptr;
        if (FAILED(SHGetMalloc(&allocator)) || !allocator) return;
        allocator->Free(list);
        allocator->Release();
    }
};
using IdListOwner = std::unique_ptr<ITEMIDLIST, IdListDeleter>;
