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

std::string OrderWithTokenReplaced(const std::string& order, const std::string& oldToken,
                                   const std::string& newToken) {
    size_t start = 0, bar;
    while ((bar = order.find('|', start)) != std::string::npos) {
        if (order.compare(start, bar - start, oldToken) == 0)
            return order.substr(0, start) + newToken + order.substr(bar);
        start = bar + 1;
    }
    return order;
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

void ReadApplicationValues(const std::string& name, ShortcutItem& item) {
    RegistryKey section;  // one open key for all six values: loading reads a hundred sections
    TheApp()->OpenProfileSection(name.c_str(), section);
    item.Path = section.ReadString("Path", "");
    item.IconPath = section.ReadString("IconPath", "");
    item.Startup = section.ReadString("Startup", "");
    item.Arguments = section.ReadString("Arguments", "");
    item.Style = section.ReadInt("Style", 1);
    item.Prompt = section.ReadInt("Prompt", 0);
    item.RunAs = section.ReadInt("RunAs", 0);
    item.IconId = section.ReadInt(IconIdValue, 0);
}

void WriteApplicationItem(const ShortcutItem& item) {
    if (!IsStorableName(item.Name)) return;
    CWinApp* app = TheApp();
    const char* section = item.Name.c_str();
    app->WriteProfileString(ShortcutsSection, section, InstalledMarker);
    app->WriteProfileString(section, "Path", item.Path.c_str());
    app->WriteProfileString(section, "Startup", item.Startup.c_str());
    app->WriteProfileString(section, "IconPath", item.IconPath.c_str());
    app->WriteProfileString(section, "Arguments", item.Arguments.c_str());
    app->WriteProfileInt(section, "Prompt", item.Prompt);
    app->WriteProfileInt(section, "Style", item.Style);
    if (item.IconId > 0) app->WriteProfileInt(section, IconIdValue, item.IconId);
    // Absent means no; sections of shortcuts that never asked for it stay as they were.
    if (item.RunAs != 0)
        app->WriteProfileInt(section, "RunAs", item.RunAs);
    else
        app->WriteProfileString(section, "RunAs", nullptr);
}

void DeleteApplicationData(const std::string& name) {
    if (!IsStorableName(name)) return;
    TheApp()->WriteProfileString(ShortcutsSection, name.c_str(), nullptr);
    TheApp()->WriteProfileString(name.c_str(), nullptr, nullptr);
}
