// Shared helpers of the in-process tests.
#pragma once
#include <windows.h>
#include <string>

// Points the application's profile at a private registry key for one test and deletes it afterwards.
class PrivateProfile {
public:
    PrivateProfile();
    ~PrivateProfile();
    PrivateProfile(const PrivateProfile&) = delete;
    PrivateProfile& operator=(const PrivateProfile&) = delete;
    // Full path below HKEY_CURRENT_USER, e.g. "Software\\VelkatorTests\\Run123".
    std::string KeyPath(const char* section = nullptr) const;

private:
    std::string m_previousKey, m_previousName, m_name;
};

// A fresh temporary folder, removed with its files afterwards.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_path + "\\" + name; }
    void Write(const char* name, const std::string& content) const;

private:
    std::string m_path;
};

// Registry helpers on HKEY_CURRENT_USER paths.
bool RegistryKeyExists(const std::string& path);
bool RegistryValueExists(const std::string& path, const char* name);
int RegistryValueCount(const std::string& path);
void DeleteRegistryTree(const std::string& path);

// The folder of the test executable.
std::string ExecutableFolder();
bool ReadWholeFile(const std::string& path, std::string& content);
