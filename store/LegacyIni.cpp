#include "store/LegacyIni.h"
#include "framework/WinApp.h"
#include "store/ShortcutStore.h"
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

bool ImportLegacyIni(const std::string& iniPath) {
    if (iniPath.empty() || GetFileAttributesA(iniPath.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    CWinApp* app = TheApp();
    std::string order;
    for (const std::string& name : ReadNames("Shortcuts", iniPath)) {
        // A name holding "|" cannot be a token of the order; an empty one cannot be a section.
        if (name.empty() || name.find('|') != std::string::npos) continue;
        if (lstrcmpiA(ReadIniText("Shortcuts", name.c_str(), iniPath).c_str(), InstalledMarker) != 0) continue;
        ShortcutItem item;
        item.Name = name;
        item.Path = ReadIniText(name.c_str(), "Path", iniPath);
        item.Startup = ReadIniText(name.c_str(), "Startup", iniPath);
        item.IconPath = ReadIniText(name.c_str(), "IconPath", iniPath);
        item.Arguments = ReadIniText(name.c_str(), "Arguments", iniPath);
        item.Prompt = static_cast<int>(GetPrivateProfileIntA(name.c_str(), "Prompt", 0, iniPath.c_str()));
        item.Style = static_cast<int>(GetPrivateProfileIntA(name.c_str(), "Style", 1, iniPath.c_str()));
        SaveApplicationItem(item, false);
        order += name + "|";
    }
    app->WriteProfileString(ShortcutsSection, OrderValue, order.c_str());
    DeleteFileA(iniPath.c_str());
    return true;
}
