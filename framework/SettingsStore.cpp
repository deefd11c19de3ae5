#include "framework/SettingsStore.h"

int SettingsSection::ReadNumber(const std::string& name, int defaultValue) const {
    int value = 0;
    return QueryNumber(name, value) ? value : defaultValue;
}

std::string SettingsSection::ReadText(const std::string& name, const char* defaultValue) const {
    std::string value;
    return QueryText(name, value) ? value : std::string(defaultValue ? defaultValue : "");
}

int SettingsStore::ReadNumber(const std::string& section, const std::string& name, int defaultValue) {
    return OpenSection(section)->ReadNumber(name, defaultValue);
}

std::string SettingsStore::ReadText(const std::string& section, const std::string& name, const char* defaultValue) {
    return OpenSection(section)->ReadText(name, defaultValue);
}

bool SettingsStore::WriteNumber(const std::string& section, const std::string& name, int value) {
    return OpenSection(section)->WriteNumber(name, value);
}

bool SettingsStore::WriteText(const std::string& section, const std::string& name, const std::string& value) {
    return OpenSection(section)->WriteText(name, value);
}

bool SettingsStore::DeleteValue(const std::string& section, const std::string& name) {
    return OpenSection(section)->DeleteValue(name);
}

void SettingsStore::Changed() {
    m_unsaved = true;
    if (m_batchDepth == 0) Save();
}

bool SettingsStore::Save() {
    if (!m_unsaved) return true;
    if (Persist()) {
        m_unsaved = false;
        return true;
    }
    if (m_saveFailed && !m_failureReported) {
        m_failureReported = true;
        m_saveFailed(Location());
    }
    return false;
}
