#include "framework/RegistrySettings.h"
#include "framework/RegistryKey.h"

namespace {
class RegistrySection : public SettingsSection {
public:
    explicit RegistrySection(const std::string& path) { m_key.Create(HKEY_CURRENT_USER, path.c_str()); }

    bool QueryNumber(const std::string& name, int& value) const override {
        DWORD stored = 0;
        if (!m_key.QueryDword(name.c_str(), stored)) return false;
        value = static_cast<int>(stored);
        return true;
    }
    bool QueryText(const std::string& name, std::string& value, bool olderTextForms) const override {
        return m_key.QueryString(name.c_str(), value, olderTextForms);
    }
    bool WriteNumber(const std::string& name, int value) override {
        return m_key.SetDword(name.c_str(), static_cast<DWORD>(value));
    }
    bool WriteText(const std::string& name, const std::string& value) override {
        return m_key.SetString(name.c_str(), value.c_str());
    }
    bool DeleteValue(const std::string& name) override { return m_key.DeleteValue(name.c_str()); }
    std::vector<std::string> ValueNames() const override {
        std::vector<std::string> names = m_key.ValueNames();
        // The key's unnamed default value is no setting.
        for (size_t i = names.size(); i-- > 0;)
            if (names[i].empty()) names.erase(names.begin() + static_cast<long>(i));
        return names;
    }

private:
    RegistryKey m_key;
};
}  // namespace

std::unique_ptr<SettingsSection> RegistrySettingsStore::OpenSection(const std::string& name) {
    return std::unique_ptr<SettingsSection>(new RegistrySection(m_keyPath + "\\" + name));
}

bool RegistrySettingsStore::DeleteSection(const std::string& name) {
    // An empty name, or one with a "\", would reach the application's own key or another one.
    if (!CanStoreName(name)) return false;
    RegistryKey application;
    if (!application.Create(HKEY_CURRENT_USER, m_keyPath.c_str())) return false;
    // A section key made by hand may hold subkeys, which a plain delete refuses.
    LONG status = RegDeleteTreeA(application.Handle(), name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return false;
    // The documentation leaves open whether the tree's own key goes too.
    status = RegDeleteKeyA(application.Handle(), name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::vector<std::string> RegistrySettingsStore::SectionNames() const {
    RegistryKey application;
    application.Create(HKEY_CURRENT_USER, m_keyPath.c_str());
    return application.SubKeyNames();
}

bool RegistrySettingsStore::CanStoreName(const std::string& name) const {
    return !name.empty() && name.size() <= 255 && name.find('\\') == std::string::npos;
}
