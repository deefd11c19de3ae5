#include "framework/RegistryKey.h"
#include "framework/WideText.h"
#include <string.h>
#include <wchar.h>
#include <vector>

bool RegistryKey::Create(HKEY parent, const char* path) {
    Close();
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &m_key,
                           nullptr) == ERROR_SUCCESS;
}

bool RegistryKey::Open(HKEY parent, const char* path, REGSAM access) {
    Close();
    return RegOpenKeyExA(parent, path, 0, access, &m_key) == ERROR_SUCCESS;
}

void RegistryKey::Close() {
    if (m_key) RegCloseKey(m_key);
    m_key = nullptr;
}

bool RegistryKey::QueryDword(const char* name, DWORD& value) const {
    DWORD type = 0, size = sizeof value;
    DWORD data = 0;
    if (!m_key || RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || size != sizeof data) return false;
    value = data;
    return true;
}

namespace {
bool IsAcceptedText(DWORD type, bool anyTextType) {
    return type == REG_SZ || (anyTextType && (type == REG_EXPAND_SZ || type == REG_BINARY));
}

// A stored text, which may lack its terminator or hold more after a zero.
std::string TextOfData(const std::vector<BYTE>& data, DWORD size, DWORD type) {
    if (type == REG_BINARY) {
        // Written by older versions as bytes of the system's code page of the time.
        const char* bytes = reinterpret_cast<const char*>(data.data());
        return Recode(std::string(bytes, strnlen(bytes, size)), LegacyCodePage(), CP_ACP);
    }
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(data.data());
    return FromWide(wide, wcsnlen(wide, size / sizeof(wchar_t)));
}
}  // namespace

bool RegistryKey::QueryString(const char* name, std::string& value, bool anyTextType) const {
    if (!m_key) return false;
    // Read wide: the ANSI call's size answers do not hold for UTF-8 text.
    const WideChars wideName = ToWide(name ? name : "");
    const wchar_t* valueName = name ? wideName.data() : nullptr;
    std::vector<BYTE> data(MAX_PATH * sizeof(wchar_t));
    DWORD type = 0, size = static_cast<DWORD>(data.size());
    LONG status = RegQueryValueExW(m_key, valueName, nullptr, &type, data.data(), &size);
    // The value may change between calls; retry a few times with the new size.
    for (int attempt = 0; status == ERROR_MORE_DATA && attempt < 4; ++attempt) {
        data.assign(size + sizeof(wchar_t), 0);
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(m_key, valueName, nullptr, &type, data.data(), &size);
    }
    if (status != ERROR_SUCCESS || !IsAcceptedText(type, anyTextType)) return false;
    value = TextOfData(data, size, type);
    return true;
}

int RegistryKey::ReadInt(const char* name, int defaultValue) const {
    DWORD value = 0;
    return QueryDword(name, value) ? static_cast<int>(value) : defaultValue;
}

std::string RegistryKey::ReadString(const char* name, const char* defaultValue) const {
    std::string value;
    return QueryString(name, value) ? value : std::string(defaultValue ? defaultValue : "");
}

std::string RegistryKey::ReadAnyText(const char* name) const {
    std::string value;
    return QueryString(name, value, true) ? value : std::string();
}

bool RegistryKey::SetDword(const char* name, DWORD value) {
    return m_key && RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::SetString(const char* name, const char* value) {
    return m_key && RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                   static_cast<DWORD>(lstrlenA(value) + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(const char* name) {
    return m_key && RegDeleteValueA(m_key, name) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteSubKey(const char* name) {
    return m_key && RegDeleteKeyA(m_key, name) == ERROR_SUCCESS;
}

// Enumerated wide: the ANSI calls' sizes do not hold for UTF-8 names.
std::vector<std::string> RegistryKey::ValueNames() const {
    std::vector<std::string> names;
    wchar_t name[16384];  // the longest value name, with its terminator
    for (DWORD i = 0, length = 16384; m_key && RegEnumValueW(m_key, i, name, &length, nullptr, nullptr, nullptr,
                                                              nullptr) == ERROR_SUCCESS;
         ++i, length = 16384)
        names.push_back(FromWide(name, length));
    return names;
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
    std::vector<std::string> names;
    wchar_t name[256];  // the longest key name, with its terminator
    for (DWORD i = 0, length = 256;
         m_key && RegEnumKeyExW(m_key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256)
        names.push_back(FromWide(name, length));
    return names;
}
