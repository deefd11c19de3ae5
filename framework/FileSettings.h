// The settings in an INI file: a portable copy's, or an export. One section per registry key,
// the same value names, numbers in decimal, UTF-8. The file is read whole when it is opened and
// written anew, safely, after every change (or batch of changes).
#pragma once
#include "framework/IniFile.h"
#include "framework/SettingsStore.h"

class FileSettingsStore : public SettingsStore {
public:
    // Starts empty; Open reads the file.
    explicit FileSettingsStore(const std::string& path) : m_path(path) {}

    enum class OpenResult { Read, MovedAside, Unreadable };
    // Reads the file. One that cannot be read is never overwritten: it is moved aside (movedTo
    // names it) and an empty file takes its place, so that the copy stays portable; when it
    // cannot be moved either, it stays as it is and this store saves nothing.
    OpenResult Open(std::string& movedTo);

    std::unique_ptr<SettingsSection> OpenSection(const std::string& name) override;
    bool DeleteSection(const std::string& name) override;
    std::vector<std::string> SectionNames() const override { return m_contents.Sections(); }
    // What the file can hold (see IniFile) and the registry too, so that settings move both ways.
    bool CanStoreName(const std::string& name) const override;
    bool IsPortable() const override { return true; }
    std::string Location() const override { return m_path; }

protected:
    bool Persist() override;

private:
    friend class FileSection;
    bool Write(const std::string& section, const std::string& name, const std::string& value);
    bool Erase(const std::string& section, const std::string& name);

    std::string m_path;
    IniFile m_contents;
    bool m_readOnly = false;
};
