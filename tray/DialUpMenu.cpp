// The Dial-Up Networking menu and the diallers.
#include "tray/EntryMenus.h"
#include "framework/ComApartment.h"
#include "framework/SystemCalls.h"
#include "framework/WinApp.h"
#include "tray/Launcher.h"
#include "res/resource.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
// The first form of the entry record, which every version of the service accepts.
struct RasEntryName {
    DWORD dwSize;
    CHAR szEntryName[257];
};
static_assert(sizeof(RasEntryName) == 264, "the record the service expects is 264 bytes");

using RasEnumEntriesFunction = DWORD(WINAPI*)(LPCSTR reserved, LPCSTR phonebook, RasEntryName* entries,
                                               LPDWORD bytes, LPDWORD count);
const DWORD FirstBufferBytes = 10 * sizeof(RasEntryName);
const DWORD ErrorBufferTooSmall = 603;

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};

// The entry names in the service's order; false when the phonebook cannot be read.
bool EnumerateEntries(RasEnumEntriesFunction enumerate, std::vector<std::string>& names) {
    DWORD capacity = FirstBufferBytes;
    std::unique_ptr<void, FreeDeleter> buffer(std::calloc(1, capacity));
    if (!buffer) return false;
    static_cast<RasEntryName*>(buffer.get())->dwSize = sizeof(RasEntryName);
    DWORD bytes = capacity, count = 0;
    DWORD result = enumerate(nullptr, nullptr, static_cast<RasEntryName*>(buffer.get()), &bytes, &count);
    if (result == ErrorBufferTooSmall && bytes > capacity) {
        // The first record's size field survives the move.
        void* larger = std::realloc(buffer.get(), bytes);
        if (!larger) return false;
        buffer.release();
        buffer.reset(larger);
        capacity = bytes;
        count = 0;
        result = enumerate(nullptr, nullptr, static_cast<RasEntryName*>(buffer.get()), &bytes, &count);
    }
    if (result != 0) return false;
    const RasEntryName* entries = static_cast<const RasEntryName*>(buffer.get());
    count = std::min<DWORD>(count, capacity / sizeof(RasEntryName));  // never past the buffer
    for (DWORD i = 0; i < count; ++i) {
        const char* name = entries[i].szEntryName;
        names.emplace_back(name, strnlen(name, sizeof entries[i].szEntryName));
    }
    return true;
}

void ShowDiagnostic(HWND owner, const char* text) {
    ModalMessageBox(owner, text, "Debug", 0);
}
}  // namespace

void DialEntry(HWND mainWindow, const std::string& entryName) {
    // The system's dialler by its full path: a program of that name in the folder Velkator was
    // started in, or on the search path, is never run.
    const std::string system = SystemFolder(), dialler = system + "\\rasphone.exe";
    // Any name is passed whole: the texts grow with it.
    const std::string quoted = "\"" + entryName + "\"";
    EnsureComApartment();
    INT_PTR result = reinterpret_cast<INT_PTR>(
        System.shellExecute(mainWindow, "open", dialler.c_str(), quoted.c_str(), system.c_str(), SW_SHOWNORMAL));
    if (result <= 32) ReportLaunchFailure(result, dialler);
}

void ShowDialUpMenu(HWND mainWindow) {
    EntryMenu menu(mainWindow);
    if (!menu.Loaded()) return;
    // From the system folder only: never a library of that name beside the program or elsewhere.
    LibraryOwner library(LoadLibraryExA("rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!library) {
        ShowDiagnostic(mainWindow, "LoadLibrary failed.");
        return;
    }
    auto enumerate = reinterpret_cast<RasEnumEntriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "RasEnumEntriesA")));
    if (!enumerate) {
        ShowDiagnostic(mainWindow, "GetProcAddress failed.");
        return;
    }
    std::vector<std::string> serviceOrder;
    if (!EnumerateEntries(enumerate, serviceOrder)) return;
    const std::vector<std::string> names = SortEntryNames(serviceOrder);
    if (names.size() == 1) {
        DialEntry(mainWindow, names[0]);
        return;
    }
    for (size_t i = 0; i < names.size(); ++i) menu.Append(ID_DIALUP_ENTRY_FIRST + static_cast<UINT>(i), names[i]);
    const UINT command = menu.Track();
    if (command >= ID_DIALUP_ENTRY_FIRST && command - ID_DIALUP_ENTRY_FIRST < names.size())
        DialEntry(mainWindow, names[command - ID_DIALUP_ENTRY_FIRST]);
}
