#include "framework/RegistryKey.h"
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

bool RegistryKey::QueryString(const char* name, std::string& value) const {
    if (!m_key) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    // The value may change between the two calls; retry a few times with the new size.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<char> buffer(size + 1, '\0');
        DWORD got = size;
        LONG status = RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) return false;
        buffer[got < buffer.size() ? got : buffer.size() - 1] = '\0';
        value.assign(buffer.data());  // stored texts may lack their terminator or hold an early one
        return true;
    }
    return false;
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
