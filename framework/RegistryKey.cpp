#include "framework/RegistryKey.h"
#include <string.h>
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
}  // namespace

bool RegistryKey::QueryString(const char* name, std::string& value, bool anyTextType) const {
    if (!m_key) return false;
    // Most values are short: one call with a stack buffer, a second only when it is too small.
    char small[MAX_PATH];
    DWORD type = 0, size = sizeof small;
    LONG status = RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(small), &size);
    if (status == ERROR_SUCCESS) {
        if (!IsAcceptedText(type, anyTextType)) return false;
        value.assign(small, strnlen(small, size));  // stored texts may lack their terminator
        return true;
    }
    // The value may change between calls; retry a few times with the new size.
    for (int attempt = 0; status == ERROR_MORE_DATA && attempt < 4; ++attempt) {
        if (!IsAcceptedText(type, anyTextType)) return false;
        std::vector<char> buffer(size + 1, '\0');
        DWORD got = size;
        status = RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_SUCCESS) {
            if (!IsAcceptedText(type, anyTextType)) return false;
            value.assign(buffer.data(), strnlen(buffer.data(), got));
            return true;
        }
        size = got;
    }
    return false;
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
