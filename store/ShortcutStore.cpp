#include "store/ShortcutStore.h"
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
    return ReadOrderFrom(*TheApp()->Settings().OpenSection(ShortcutsSection));
}

std::string ReadOrderFrom(const SettingsSection& shortcuts) {
    std::string order;
    return shortcuts.QueryText(OrderValue, order, true) ? order : std::string();
}

void WriteStoredOrder(const std::string& order) {
    TheApp()->Settings().WriteText(ShortcutsSection, OrderValue, order);
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
           lstrcmpiA(name.c_str(), OptionsSection) != 0 && TheApp()->Settings().CanStoreName(name);
}

bool IsInstalled(const SettingsSection& shortcuts, const std::string& name) {
    return !name.empty() && shortcuts.ReadText(name) == InstalledMarker;
}

bool IsNameInstalled(const std::string& name) {
    return IsInstalled(*TheApp()->Settings().OpenSection(ShortcutsSection), name);
}

bool IsShortcutNumberValue(const std::string& name) {
    for (const char* number : {"Prompt", "Style", "RunAs", IconIdValue})
        if (lstrcmpiA(number, name.c_str()) == 0) return true;
    return false;
}

RunStyle RunStyleOf(int stored) {
    return stored == 2 ? RunStyle::Maximized : stored == 3 ? RunStyle::Minimized : RunStyle::Normal;
}

void ReadApplicationValues(const std::string& name, ShortcutItem& item) {
    // One open section for all values: loading reads a hundred of them.
    const std::unique_ptr<SettingsSection> section = TheApp()->Settings().OpenSection(name);
    item.Path = section->ReadText("Path");
    item.IconPath = section->ReadText("IconPath");
    item.Startup = section->ReadText("Startup");
    item.Arguments = section->ReadText("Arguments");
    item.Style = RunStyleOf(section->ReadNumber("Style", 1));
    item.Prompt = section->ReadNumber("Prompt", 0) == 1;
    item.RunAs = section->ReadNumber("RunAs", 0) == 1;
    item.IconId = section->ReadNumber(IconIdValue, 0);
}

void WriteApplicationItem(const ShortcutItem& item) {
    if (!IsStorableName(item.Name)) return;
    SettingsStore& settings = TheApp()->Settings();
    SettingsBatch batch(settings);
    settings.WriteText(ShortcutsSection, item.Name, InstalledMarker);
    const std::unique_ptr<SettingsSection> section = settings.OpenSection(item.Name);
    section->WriteText("Path", item.Path);
    section->WriteText("Startup", item.Startup);
    section->WriteText("IconPath", item.IconPath);
    section->WriteText("Arguments", item.Arguments);
    section->WriteNumber("Prompt", item.Prompt ? 1 : 0);
    section->WriteNumber("Style", static_cast<int>(item.Style));
    if (item.IconId > 0) section->WriteNumber(IconIdValue, item.IconId);
    // Absent means no; sections of shortcuts that never asked for it stay as they were.
    if (item.RunAs)
        section->WriteNumber("RunAs", 1);
    else
        section->DeleteValue("RunAs");
}

void DeleteApplicationData(const std::string& name) {
    if (!IsStorableName(name)) return;
    SettingsStore& settings = TheApp()->Settings();
    SettingsBatch batch(settings);
    settings.DeleteValue(ShortcutsSection, name);
    settings.DeleteSection(name);
}
