// Where the program keeps its settings: sections of named numbers and texts. The application
// object chooses one store at start (the registry, or a file beside a portable copy); everything
// else asks it for values and never learns which it is.
#pragma once
#include <memory>
#include <string>
#include <vector>

// One section, open for several reads and writes in a row.
class SettingsSection {
public:
    virtual ~SettingsSection() = default;
    // False when the value is missing or is not of that kind.
    virtual bool QueryNumber(const std::string& name, int& value) const = 0;
    // olderTextForms also takes texts that earlier versions stored in other forms.
    virtual bool QueryText(const std::string& name, std::string& value, bool olderTextForms = false) const = 0;
    virtual bool WriteNumber(const std::string& name, int value) = 0;
    virtual bool WriteText(const std::string& name, const std::string& value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
    virtual std::vector<std::string> ValueNames() const = 0;

    // The value, or defaultValue when it is missing or of the other kind.
    int ReadNumber(const std::string& name, int defaultValue) const;
    std::string ReadText(const std::string& name, const char* defaultValue = "") const;
};

class SettingsStore {
public:
    // Told once per run, with the store's location, when changes could not be saved.
    typedef void (*SaveFailedHandler)(const std::string& location);

    SettingsStore() = default;
    virtual ~SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Never null; a section that does not exist reads as empty and comes into being on a write.
    virtual std::unique_ptr<SettingsSection> OpenSection(const std::string& name) = 0;
    // Deletes the section with all its values.
    virtual bool DeleteSection(const std::string& name) = 0;
    virtual std::vector<std::string> SectionNames() const = 0;
    // Whether name can be a section's or a value's name in this store.
    virtual bool CanStoreName(const std::string& name) const = 0;
    // True when the settings live beside the program: then the program writes nothing to the
    // registry at all, so that the copy leaves no trace on the machine.
    virtual bool IsPortable() const = 0;
    // Where the settings are, for messages.
    virtual std::string Location() const = 0;

    // One value at a time.
    int ReadNumber(const std::string& section, const std::string& name, int defaultValue);
    std::string ReadText(const std::string& section, const std::string& name, const char* defaultValue = "");
    bool WriteNumber(const std::string& section, const std::string& name, int value);
    bool WriteText(const std::string& section, const std::string& name, const std::string& value);
    bool DeleteValue(const std::string& section, const std::string& name);

    // Writes the changes not yet on disk; false when that failed (the next change tries again).
    bool Save();
    void SetSaveFailedHandler(SaveFailedHandler handler) { m_saveFailed = handler; }

protected:
    friend class SettingsBatch;
    // Implementations call it after every change: saved at once, or when the outermost batch ends.
    void Changed();
    // Puts the whole store on disk; stores that write through have nothing to do.
    virtual bool Persist() { return true; }

private:
    int m_batchDepth = 0;
    bool m_unsaved = false;
    bool m_failureReported = false;
    SaveFailedHandler m_saveFailed = nullptr;
};

// Changes made while it lives reach the disk together when the outermost one ends.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore& store) : m_store(store) { ++m_store.m_batchDepth; }
    ~SettingsBatch() {
        if (--m_store.m_batchDepth == 0) m_store.Save();
    }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

private:
    SettingsStore& m_store;
};
