#include "framework/FileSettings.h"
#include "framework/SafeFile.h"

class FileSection : public SettingsSection {
public:
    // Holds the store's saving: the writes through one section reach the disk together.
    FileSection(FileSettingsStore& store, const std::string& name) : m_store(store), m_name(name), m_batch(store) {}

    bool QueryNumber(const std::string& name, int& value) const override {
        std::string text;
        return m_store.m_contents.Find(m_name, name, text) && ParseWholeNumber(text, value);
    }
    bool QueryText(const std::string& name, std::string& value, bool) const override {
        return m_store.m_contents.Find(m_name, name, value);
    }
    bool WriteNumber(const std::string& name, int value) override {
        return m_store.Write(m_name, name, std::to_string(value));
    }
    bool WriteText(const std::string& name, const std::string& value) override {
        return m_store.Write(m_name, name, value);
    }
    bool DeleteValue(const std::string& name) override { return m_store.Erase(m_name, name); }
    std::vector<std::string> ValueNames() const override { return m_store.m_contents.Names(m_name); }

private:
    FileSettingsStore& m_store;
    std::string m_name;
    SettingsBatch m_batch;
};

FileSettingsStore::OpenResult FileSettingsStore::Open(std::string& movedTo) {
    if (m_contents.LoadUtf8(m_path)) return OpenResult::Read;
    if (!MoveAside(m_path, ".unreadable", movedTo)) {
        m_readOnly = true;
        return OpenResult::Unreadable;
    }
    // Without a file beside it, the copy would use the registry at its next start: the empty
    // one is written now, or with the next change when that fails.
    Changed();
    return OpenResult::MovedAside;
}

std::unique_ptr<SettingsSection> FileSettingsStore::OpenSection(const std::string& name) {
    return std::unique_ptr<SettingsSection>(new FileSection(*this, name));
}

bool FileSettingsStore::DeleteSection(const std::string& name) {
    if (m_contents.RemoveSection(name)) Changed();
    return true;
}

bool FileSettingsStore::CanStoreName(const std::string& name) const {
    return IniFile::IsWritableName(name) && name.size() <= 255 && name.find('\\') == std::string::npos;
}

bool FileSettingsStore::Write(const std::string& section, const std::string& name, const std::string& value) {
    if (!CanStoreName(section) || !CanStoreName(name) || !IniFile::IsWritableValue(value)) return false;
    m_contents.Set(section, name, value);
    Changed();
    return true;
}

bool FileSettingsStore::Erase(const std::string& section, const std::string& name) {
    std::string value;
    if (!m_contents.Find(section, name, value)) return false;
    m_contents.Remove(section, name);
    Changed();
    return true;
}

bool FileSettingsStore::Persist() {
    return !m_readOnly && m_contents.Save(m_path);
}
