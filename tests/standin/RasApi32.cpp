// Stand-in Remote Access library for the end-to-end tests: RasEnumEntriesA lists the lines of the
// section [Phonebook] of phonebook.ini in the current folder (the program's, as the tests start
// it), by the service's rules: 264-byte records; 603 and the size needed for a buffer too small.
#include <windows.h>

struct EntryName { DWORD dwSize; CHAR szEntryName[257]; };

extern "C" __declspec(dllexport) DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR, EntryName* entries, DWORD* bytes,
                                                              DWORD* count) {
    if (*bytes < sizeof(EntryName) || entries->dwSize != sizeof(EntryName)) return 632;  // ERROR_INVALID_SIZE
    static char names[65536];
    GetPrivateProfileSectionA("Phonebook", names, sizeof names, ".\\phonebook.ini");
    DWORD found = 0;
    for (const char* name = names; *name; name += lstrlenA(name) + 1, ++found) {
        if (found >= *bytes / sizeof(EntryName)) continue;
        entries[found].dwSize = sizeof(EntryName);
        lstrcpynA(entries[found].szEntryName, name, sizeof entries[found].szEntryName);
    }
    const DWORD needed = found * sizeof(EntryName), result = needed > *bytes ? 603 : 0;
    *count = found;
    *bytes = needed;
    return result;
}
