#include "store/SettingsTransfer.h"
#include "framework/FileSettings.h"
#include "framework/WinApp.h"
#include "store/Options.h"
#include "store/ShortcutList.h"
#include "store/ShortcutStore.h"
#include <windows.h>

namespace {
bool IsShortcutsSection(const std::string& section) {
    return lstrcmpiA(section.c_str(), ShortcutsSection) == 0;
}

bool IsNumberValue(const std::string& section, const std::string& name) {
    if (lstrcmpiA(section.c_str(), OptionsSection) == 0) return IsNumberOption(name);
    return !IsShortcutsSection(section) && IsShortcutNumberValue(name);
}

// Whether the settings in use can take the file whole: Imported, or why not, with the name in
// problem.
ImportResult CheckSettingsFile(const IniFile& file, std::string& problem) {
    std::string order;
    if (!file.Find(ShortcutsSection, OrderValue, order)) return ImportResult::NoOrder;
    const SettingsStore& settings = TheApp()->Settings();
    for (const std::string& section : file.Sections()) {
        problem = section;
        if (!settings.CanStoreName(section)) return ImportResult::BadName;
        for (const std::string& name : file.Names(section)) {
            problem = name;
            const bool marker = IsShortcutsSection(section) && name != OrderValue;
            if (!settings.CanStoreName(name) || (marker && !IsStorableName(name))) return ImportResult::BadName;
        }
    }
    // The icons the order loads: every special item, and each installed shortcut once.
    size_t specials = 0;
    std::vector<std::string> names;
    for (size_t start = 0, bar; (bar = order.find('|', start)) != std::string::npos; start = bar + 1) {
        const std::string token = order.substr(start, bar - start);
        problem = token;
        if (token.empty()) continue;
        if (IsSpecialKind(token)) {
            ++specials;
        } else if (!IsStorableName(token)) {
            return ImportResult::BadName;
        } else if (file.Text(ShortcutsSection, token) == InstalledMarker) {
            bool seen = false;
            for (const std::string& name : names) seen = seen || lstrcmpiA(name.c_str(), token.c_str()) == 0;
            if (!seen) names.push_back(token);
        }
    }
    problem.clear();
    return specials + names.size() > static_cast<size_t>(ShortcutList::Capacity) ? ImportResult::TooMany
                                                                                : ImportResult::Imported;
}
}  // namespace

ExportResult ExportSettings(const std::string& path, std::string& problem) {
    SettingsStore& settings = TheApp()->Settings();
    FileSettingsStore file(path);
    SettingsBatch batch(file);
    for (const std::string& section : settings.SectionNames()) {
        problem = section;
        if (!file.CanStoreName(section)) return ExportResult::NotWritable;
        const std::unique_ptr<SettingsSection> from = settings.OpenSection(section), to = file.OpenSection(section);
        for (const std::string& name : from->ValueNames()) {
            int number = 0;
            std::string text;
            // Text first: a file holds no types, and "00351571264" read as a number would lose its
            // zeros. Data of other types no version stored is left out.
            const bool written = from->QueryText(name, text, true)    ? to->WriteText(name, text)
                                 : from->QueryNumber(name, number) ? to->WriteNumber(name, number)
                                                                   : true;
            if (!written) {
                problem = section + "\\" + name;
                return ExportResult::NotWritable;
            }
        }
    }
    std::string order;
    // A missing order reads as an empty one; an import asks for one.
    if (!file.OpenSection(ShortcutsSection)->QueryText(OrderValue, order))
        file.WriteText(ShortcutsSection, OrderValue, "");
    return file.Save() ? ExportResult::Written : ExportResult::NotWritten;
}

ImportResult ImportSettings(const std::string& path, std::string& problem) {
    IniFile file;
    if (!file.LoadUtf8(path)) return ImportResult::Unreadable;
    const ImportResult check = CheckSettingsFile(file, problem);
    if (check != ImportResult::Imported) return check;

    SettingsStore& settings = TheApp()->Settings();
    SettingsBatch batch(settings);
    bool whole = true;
    for (const std::string& section : settings.SectionNames()) whole = settings.DeleteSection(section) && whole;
    for (const std::string& section : file.Sections()) {
        const std::unique_ptr<SettingsSection> to = settings.OpenSection(section);
        for (const std::string& name : file.Names(section)) {
            const std::string text = file.Text(section, name);
            int number = 0;
            const bool isNumber = IsNumberValue(section, name) && ParseWholeNumber(text, number);
            whole = (isNumber ? to->WriteNumber(name, number) : to->WriteText(name, text)) && whole;
        }
    }
    return settings.Save() && whole ? ImportResult::Imported : ImportResult::NotStored;
}
