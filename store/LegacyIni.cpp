#include "store/LegacyIni.h"
#include "store/Options.h"
#include "store/ShortcutStore.h"
#include <windows.h>
#include <vector>

namespace {
// Reads a whole value (or name list) however long it is; older files may hold anything.
std::string ReadIniText(const char* section, const char* entry, const std::string& iniPath) {
    std::vector<char> buffer(1024);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = GetPrivateProfileStringA(section, entry, "", buffer.data(), size, iniPath.c_str());
        // A full buffer reports size - 1 (one text) or size - 2 (a list of names).
        if (length + 2 < size || buffer.size() >= (1u << 24)) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

std::vector<std::string> ReadNames(const char* section, const std::string& iniPath) {
    std::string list = ReadIniText(section, nullptr, iniPath);
    std::vector<std::string> names;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\0', start);
        if (end == std::string::npos) end = list.size();
        names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return names;
}
}  // namespace

std::string LegacyIniPath() {
    char folder[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return std::string();
    std::string path(folder, length);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path + "\\VELKATOR.INI";
}

namespace {
// Moves the file aside under a name no other file has; false when it could not be moved.
bool SetAside(const std::string& iniPath) {
    std::string target = iniPath + ".not-imported";
    for (int attempt = 2; attempt <= 100; ++attempt) {
        if (MoveFileA(iniPath.c_str(), target.c_str())) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
        target = iniPath + ".not-imported-" + std::to_string(attempt);
    }
    return false;
}
}  // namespace

void ImportLegacyIni(const std::string& iniPath) {
    if (iniPath.empty()) return;
    DWORD attributes = GetFileAttributesA(iniPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (ReadOption(Option::LegacyImported) != 0) return;

    std::string order;
    bool everyShortcutStored = true;
    for (const std::string& name : ReadNames("Shortcuts", iniPath)) {
        if (lstrcmpiA(ReadIniText("Shortcuts", name.c_str(), iniPath).c_str(), InstalledMarker) != 0) continue;
        if (!IsStorableName(name)) {
            everyShortcutStored = false;
            continue;
        }
        ShortcutItem item;
        item.Name = name;
        item.Path = ReadIniText(name.c_str(), "Path", iniPath);
        item.Startup = ReadIniText(name.c_str(), "Startup", iniPath);
        item.IconPath = ReadIniText(name.c_str(), "IconPath", iniPath);
        item.Arguments = ReadIniText(name.c_str(), "Arguments", iniPath);
        item.Prompt = static_cast<int>(GetPrivateProfileIntA(name.c_str(), "Prompt", 0, iniPath.c_str()));
        item.Style = static_cast<int>(GetPrivateProfileIntA(name.c_str(), "Style", 1, iniPath.c_str()));
        WriteApplicationItem(item);
        order += name + "|";
    }
    WriteStoredOrder(order);
    bool gone = everyShortcutStored ? DeleteFileA(iniPath.c_str()) != 0 : SetAside(iniPath);
    // A file that stays (read-only, say) must not replace the shortcuts again at the next start.
    if (!gone) WriteOption(Option::LegacyImported, 1);
}
