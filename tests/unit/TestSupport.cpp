#include "TestSupport.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"

namespace {
const char* const kTestRegistryRoot = "VelkatorTests";
int g_sequence = 0;

std::string UniqueName(const char* stem) {
    char name[96];
    wsprintfA(name, "%s-%lu-%lu-%d", stem, GetCurrentProcessId(), GetTickCount(), ++g_sequence);
    return name;
}
}  // namespace

PrivateProfile::PrivateProfile() : m_name(UniqueName("Run")) {
    CWinApp* app = TheApp();
    m_previousName = app->AppName();
    m_previousKey = app->ProfileKeyPath();
    app->SetProfileLocation(kTestRegistryRoot, m_name.c_str());
}

PrivateProfile::~PrivateProfile() {
    DeleteRegistryTree(KeyPath());
    // The previous location was "Software\<key>\<name>".
    std::string key = m_previousKey.substr(9);
    key = key.substr(0, key.find('\\'));
    TheApp()->SetProfileLocation(key.c_str(), m_previousName.c_str());
}

std::string PrivateProfile::KeyPath(const char* section) const {
    std::string path = std::string("Software\\") + kTestRegistryRoot + "\\" + m_name;
    if (section) path += std::string("\\") + section;
    return path;
}

TemporaryFolder::TemporaryFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    m_path = std::string(base) + UniqueName("velkator-test");
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TemporaryFolder::~TemporaryFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(File(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
}

void TemporaryFolder::Write(const char* name, const std::string& content) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

bool RegistryKeyExists(const std::string& path) {
    RegistryKey key;
    return key.Open(HKEY_CURRENT_USER, path.c_str());
}

bool RegistryValueExists(const std::string& path, const char* name) {
    RegistryKey key;
    return key.Open(HKEY_CURRENT_USER, path.c_str()) &&
           RegQueryValueExA(key.Handle(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int RegistryValueCount(const std::string& path) {
    RegistryKey key;
    DWORD values = 0;
    if (!key.Open(HKEY_CURRENT_USER, path.c_str())) return -1;
    RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    return static_cast<int>(values);
}

void DeleteRegistryTree(const std::string& path) {
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

std::string ExecutableFolder() {
    return TheApp()->ModuleFolder();
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    content.assign(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    BOOL ok = ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    return ok && read == content.size();
}
