// Stand-in Remote Access library for the end-to-end tests: RasEnumEntriesA lists the lines of
// phonebook.txt beside this DLL, read on every call, with the service's rules (264-byte records;
// 603 and the size needed when the buffer is too small).
#include <windows.h>

struct EntryName {
    DWORD dwSize;
    CHAR szEntryName[257];
};

extern "C" __declspec(dllexport) DWORD WINAPI RasEnumEntriesA(LPCSTR, LPCSTR, EntryName* entries, DWORD* bytes,
                                                              DWORD* count) {
    if (*bytes < sizeof(EntryName) || entries->dwSize != sizeof(EntryName)) return 632;  // ERROR_INVALID_SIZE
    static char text[65536], path[MAX_PATH + 16];
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&RasEnumEntriesA), &self);
    DWORD length = GetModuleFileNameA(self, path, MAX_PATH), size = 0;
    while (length > 0 && path[length - 1] != '\\') --length;
    lstrcpyA(path + length, "phonebook.txt");
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE && !ReadFile(file, text, sizeof text - 1, &size, nullptr)) size = 0;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    text[size] = '\0';
    DWORD found = 0;
    for (char* line = text; *line; ++found) {  // one entry a CRLF-ended line
        char* end = line;
        while (*end && *end != '\r') ++end;
        const bool more = *end != '\0';
        *end = '\0';
        if (found < *bytes / sizeof(EntryName)) {
            entries[found].dwSize = sizeof(EntryName);
            lstrcpynA(entries[found].szEntryName, line, sizeof entries[found].szEntryName);
        }
        line = more ? end + 2 : end;
    }
    *count = found;
    const DWORD needed = found * sizeof(EntryName), result = needed > *bytes ? 603 : 0;
    *bytes = needed;
    return result;
}
