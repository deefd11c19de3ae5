// Stand-in Remote Access library for the end-to-end tests: RasEnumEntriesA lists the lines of the
// section [Phonebook] of phonebook.ini beside the library itself (a copy of it elsewhere lists its
// own), by the service's rules: 264-byte records; 603 and the size needed for a buffer too small.
#include <windows.h>

struct EntryName { DWORD dwSize; CHAR szEntryName[257]; };

static HMODULE self;
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD, LPVOID) {
    self = module;
    return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR, EntryName* entries, DWORD* bytes,
                                                              DWORD* count) {
    if (*bytes < sizeof(EntryName) || entries->dwSize != sizeof(EntryName)) return 632;  // ERROR_INVALID_SIZE
    char ini[MAX_PATH];
    const DWORD length = GetModuleFileNameA(self, ini, MAX_PATH - 16);
    char* name = ini + length;
    while (name > ini && name[-1] != '\\') --name;
    lstrcpyA(name, "phonebook.ini");
    static char names[65536];
    GetPrivateProfileSectionA("Phonebook", names, sizeof names, ini);
    DWORD found = 0;
    for (const char* entry = names; *entry; entry += lstrlenA(entry) + 1, ++found) {
        if (found >= *bytes / sizeof(EntryName)) continue;
        entries[found].dwSize = sizeof(EntryName);
        lstrcpynA(entries[found].szEntryName, entry, sizeof entries[found].szEntryName);
    }
    const DWORD needed = found * sizeof(EntryName), result = needed > *bytes ? 603 : 0;
    *count = found;
    *bytes = needed;
    return result;
}
