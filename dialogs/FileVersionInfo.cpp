#include "dialogs/FileVersionInfo.h"
#include "lang/Language.h"
#include <new>
#include <string.h>

FileVersionInfo::FileVersionInfo(const char* path) {
    DWORD ignored = 0;
    DWORD size = path ? GetFileVersionInfoSizeA(path, &ignored) : 0;
    if (size == 0) return;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]());
    if (!block || !GetFileVersionInfoA(path, 0, size, block.get())) return;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.get(), "\\", &value, &length)) return;
    if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", &value, &length) || length < sizeof(DWORD))
        return;
    // Stored as the language in the low word and the code page in the high word.
    DWORD stored = 0;
    memcpy(&stored, value, sizeof stored);
    translation = MAKELONG(HIWORD(stored), LOWORD(stored));
    data = std::move(block);
}

bool FileVersionInfo::GetString(const char* name, char (&buffer)[ValueSize], DWORD translationWanted) const {
    buffer[0] = '\0';
    if (!data || !name) return false;
    char query[ValueSize + 32];
    wsprintfA(query, "\\StringFileInfo\\%08lx\\%.200s", translationWanted ? translationWanted : translation, name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.get(), query, &value, &length) || !value) return false;
    // The reported length may or may not count the terminator; a value never exceeds 255 characters.
    size_t copied = strnlen(static_cast<const char*>(value), length < ValueSize - 1 ? length : ValueSize - 1);
    memcpy(buffer, value, copied);
    buffer[copied] = '\0';
    return true;
}

std::string GetFileVersionText(const char* path, bool withBuild) {
    FileVersionInfo info(path);
    char description[FileVersionInfo::ValueSize], version[FileVersionInfo::ValueSize];
    info.GetString("FileDescription", description);
    if (!withBuild) return description;
    info.GetString("FileVersion", version);
    return FormatText("appBuild", {description, version});
}
