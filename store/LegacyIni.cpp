#include "store/LegacyIni.h"
#include "framework/IniFile.h"
#include "framework/SafeFile.h"
#include "framework/WinApp.h"
#include "framework/WideText.h"
#include "store/Options.h"
#include "store/ShortcutStore.h"
#include <windows.h>
#include <shlobj.h>
#include <wchar.h>

std::string LegacyIniPath() {
    char folder[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return std::string();
    std::string windows(folder, length);
    if (!windows.empty() && windows.back() == '\\') windows.pop_back();
    // An old program without a manifest that wrote into the Windows folder had its file put in
    // the user's VirtualStore instead, and kept reading that copy.
    wchar_t localAppData[MAX_PATH] = L"";
    if (windows.size() > 2 && windows[1] == ':' &&
        SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData))) {
        const std::string virtualised = FromWide(localAppData, wcslen(localAppData)) + "\\VirtualStore" +
                                        windows.substr(2) + "\\VELKATOR.INI";
        if (GetFileAttributesA(virtualised.c_str()) != INVALID_FILE_ATTRIBUTES) return virtualised;
    }
    return windows + "\\VELKATOR.INI";
}

void ImportLegacyIni(const std::string& iniPath) {
    if (iniPath.empty()) return;
    DWORD attributes = GetFileAttributesA(iniPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (ReadOption(Option::LegacyImported) != 0) return;
    // Older versions wrote the file in the system's code page of their time.
    IniFile ini;
    if (!ini.Load(iniPath, LegacyCodePage())) return;
    SettingsBatch batch(TheApp()->Settings());

    std::string order = ReadStoredOrder();
    bool everyShortcutStored = true;
    for (const std::string& name : ini.Names("Shortcuts")) {
        if (lstrcmpiA(ini.Text("Shortcuts", name).c_str(), InstalledMarker) != 0) continue;
        // A stored shortcut of that name is the user's own: it is never overwritten.
        if (!IsStorableName(name) || IsNameInstalled(name)) {
            everyShortcutStored = false;
            continue;
        }
        ShortcutItem item;
        item.Name = name;
        item.Path = ini.Text(name, "Path");
        item.Startup = ini.Text(name, "Startup");
        item.IconPath = ini.Text(name, "IconPath");
        item.Arguments = ini.Text(name, "Arguments");
        item.Prompt = ini.Number(name, "Prompt", 0) == 1;
        item.Style = RunStyleOf(ini.Number(name, "Style", 1));
        WriteApplicationItem(item);
        order = OrderWithToken(order, name);
    }
    WriteStoredOrder(order);
    std::string setAside;
    bool gone = everyShortcutStored ? DeleteFileA(iniPath.c_str()) != 0 : MoveAside(iniPath, ".not-imported", setAside);
    // A file that stays (read-only, say) must not replace the shortcuts again at the next start.
    if (!gone) WriteOption(Option::LegacyImported, 1);
}
