// The settings in the registry: one key per section under HKEY_CURRENT_USER\<key path>, numbers
// as REG_DWORD and texts as REG_SZ. Every access opens the section's key by creating it, so
// reading alone can make empty keys but never values; writes go through at once.
#pragma once
#include "framework/SettingsStore.h"

class RegistrySettingsStore : public SettingsStore {
public:
    // keyPath: below HKEY_CURRENT_USER, such as "Software\Shareware\Velkator".
    explicit RegistrySettingsStore(const std::string& keyPath) : m_keyPath(keyPath) {}

    std::unique_ptr<SettingsSection> OpenSection(const std::string& name) override;
    bool DeleteSection(const std::string& name) override;
    std::vector<std::string> SectionNames() const override;
    // Not empty, at most 255 characters (a key name's limit), no "\".
    bool CanStoreName(const std::string& name) const override;
    bool IsPortable() const override { return false; }
    std::string Location() const override { return "HKEY_CURRENT_USER\\" + m_keyPath; }

private:
    std::string m_keyPath;
};
