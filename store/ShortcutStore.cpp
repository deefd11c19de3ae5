#include "store/ShortcutStore.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include "store/Options.h"

const char* const ShortcutsSection = "Shortcuts";
const char* const OrderValue = "Order";
const char* const InstalledMarker = "Installed";
const char* const IconIdValue = "IconId";

namespace {
const size_t kMaxKeyNameLength = 255;  // the registry's limit for a key name
}

std::string ReadStoredOrder() {
    RegistryKey shortcuts;
    TheApp()->OpenProfileSection(ShortcutsSection, shortcuts);
    return shortcuts.ReadAnyText(OrderValue);
}

void WriteStoredOrder(const std::string& order) {
    TheApp()->WriteProfileString(ShortcutsSection, OrderValue, order.c_str());
}

std::string OrderWithToken(const std::string& order, const std::string& token) {
    std::string result = order;
    // Text after the last bar would swallow the new token ("B" + "Separator|").
    if (!result.empty() && result.back() != '|') result += '|';
    return result + token + "|";
}

bool IsStorableName(const std::string& name) {
    return !name.empty() && name.size() <= kMaxKeyNameLength && name.find_first_of("|\\") == std::string::npos &&
           !IsSpecialKind(name) && lstrcmpiA(name.c_str(), ShortcutsSection) != 0 &&
           lstrcmpiA(name.c_str(), OptionsSection) != 0;
}

bool IsInstalled(const RegistryKey& shortcuts, const std::string& name) {
    return !name.empty() && shortcuts.ReadString(name.c_str(), "") == InstalledMarker;
}

bool IsNameInstalled(const std::string& name) {
    RegistryKey shortcuts;
    TheApp()->OpenProfileSection(ShortcutsSection, shortcuts);
    return IsInstalled(shortcuts, name);
}

RunStyle RunStyleOf(int stored) {
    return stored == 2 ? RunStyle::Maximized : stored == 3 ? RunStyle::Minimized : RunStyle::Normal;
}

void ReadApplicationValues(const std::string& name, ShortcutItem& item) {
    RegistryKey section;  // one open key for all values: loading reads a hundred sections
    TheApp()->OpenProfileSection(name.c_str(), section);
    item.Path = section.ReadString("Path", "");
    item.IconPath = section.ReadString("IconPath", "");
    item.Startup = section.ReadString("Startup", "");
    item.Arguments = section.ReadString("Arguments", "");
    item.Style = RunStyleOf(section.ReadInt("Style", 1));
    item.Prompt = section.ReadInt("Prompt", 0) == 1;
    item.RunAs = section.ReadInt("RunAs", 0) == 1;
    item.IconId = section.ReadInt(IconIdValue, 0);
}

void WriteApplicationItem(const ShortcutItem& item) {
    if (!IsStorableName(item.Name)) return;
    TheApp()->WriteProfileString(ShortcutsSection, item.Name.c_str(), InstalledMarker);
    RegistryKey section;
    if (!TheApp()->OpenProfileSection(item.Name.c_str(), section)) return;
    section.SetString("Path", item.Path.c_str());
    section.SetString("Startup", item.Startup.c_str());
    section.SetString("IconPath", item.IconPath.c_str());
    section.SetString("Arguments", item.Arguments.c_str());
    section.SetDword("Prompt", item.Prompt ? 1 : 0);
    section.SetDword("Style", static_cast<DWORD>(item.Style));
    if (item.IconId > 0) section.SetDword(IconIdValue, static_cast<DWORD>(item.IconId));
    // Absent means no; sections of shortcuts that never asked for it stay as they were.
    if (item.RunAs)
        section.SetDword("RunAs", 1);
    else
        section.DeleteValue("RunAs");
}

void DeleteApplicationData(const std::string& name) {
    if (!IsStorableName(name)) return;
    TheApp()->WriteProfileString(ShortcutsSection, name.c_str(), nullptr);
    TheApp()->WriteProfileString(name.c_str(), nullptr, nullptr);
}
