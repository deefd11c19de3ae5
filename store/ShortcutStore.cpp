#include "store/ShortcutStore.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include "store/Options.h"
#include <string.h>

const char* const ShortcutsSection = "Shortcuts";
const char* const OrderValue = "Order";
const char* const InstalledMarker = "Installed";

std::string UnloadedOrderTail;

namespace {
// A shortcut section must never be one of the program's own sections.
bool IsReservedSection(const std::string& name) {
    return name.empty() || lstrcmpiA(name.c_str(), ShortcutsSection) == 0 || lstrcmpiA(name.c_str(), OptionsSection) == 0;
}
}  // namespace

std::string ReadOrder() {
    return TheApp()->GetProfileString(ShortcutsSection, OrderValue, "");
}

void WriteOrder(const std::string& order) {
    TheApp()->WriteProfileString(ShortcutsSection, OrderValue, order.c_str());
}

std::vector<std::string> SplitOrder(const std::string& order) {
    std::vector<std::string> tokens;
    size_t start = 0, bar;
    while ((bar = order.find('|', start)) != std::string::npos) {
        tokens.push_back(order.substr(start, bar - start));
        start = bar + 1;
    }
    return tokens;
}

bool IsInstalled(const RegistryKey& shortcuts, const std::string& name) {
    return !name.empty() && shortcuts.ReadString(name.c_str(), "") == InstalledMarker;
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
}

void SaveApplicationItem(const ShortcutItem& item, bool isNew) {
    if (IsReservedSection(item.Name)) return;
    CWinApp* app = TheApp();
    const char* section = item.Name.c_str();
    app->WriteProfileString(ShortcutsSection, section, InstalledMarker);
    app->WriteProfileString(section, "Path", item.Path.c_str());
    app->WriteProfileString(section, "Startup", item.Startup.c_str());
    app->WriteProfileString(section, "IconPath", item.IconPath.c_str());
    app->WriteProfileString(section, "Arguments", item.Arguments.c_str());
    app->WriteProfileInt(section, "Prompt", item.Prompt);
    app->WriteProfileInt(section, "Style", item.Style);
    if (isNew) AppendOrderToken(item.Name);
}

void RenameApplicationItem(const std::string& oldName, const ShortcutItem& item) {
    DeleteApplicationData(oldName);
    SaveApplicationItem(item, false);
    std::string order = ReadOrder(), renamed;
    size_t start = 0, bar;
    bool replaced = false;
    while ((bar = order.find('|', start)) != std::string::npos) {
        std::string token = order.substr(start, bar - start);
        renamed += (!replaced && token == oldName) ? item.Name : token;
        renamed += '|';
        replaced = replaced || token == oldName;
        start = bar + 1;
    }
    renamed += order.substr(start);
    WriteOrder(renamed);
}

void DeleteApplicationData(const std::string& name) {
    if (IsReservedSection(name)) return;
    TheApp()->WriteProfileString(ShortcutsSection, name.c_str(), nullptr);
    TheApp()->WriteProfileString(name.c_str(), nullptr, nullptr);
}

void AppendOrderToken(const std::string& token) {
    std::string order = ReadOrder();
    // Text after the last bar would swallow the new token ("B" + "Separator|").
    if (!order.empty() && order.back() != '|') order += '|';
    WriteOrder(order + token + "|");
}

std::string BuildOrderText() {
    std::string order;
    for (int i = 0; i < ShortcutTable.Count; ++i) order += ShortcutTable.Items[i].OrderToken() + "|";
    return order + UnloadedOrderTail;
}

void RewriteOrder() {
    WriteOrder(BuildOrderText());
}

void WriteOrderIfChanged() {
    std::string order = BuildOrderText();
    if (order != ReadOrder()) WriteOrder(order);
}
