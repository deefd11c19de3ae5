// An open registry key that closes itself. Reads fail (false) for missing values and for
// values of the wrong type or size; the caller then uses its default.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    bool Create(HKEY parent, const char* path);  // opens, creating missing keys
    bool Open(HKEY parent, const char* path, REGSAM access = KEY_READ);
    void Close();
    HKEY Handle() const { return m_key; }

    bool QueryDword(const char* name, DWORD& value) const;
    // anyTextType also takes REG_EXPAND_SZ (not expanded) and REG_BINARY, up to the first zero byte.
    bool QueryString(const char* name, std::string& value, bool anyTextType = false) const;
    // The value, or defaultValue when it is missing or of the wrong type or size.
    int ReadInt(const char* name, int defaultValue) const;
    std::string ReadString(const char* name, const char* defaultValue) const;
    // Text stored with any of the text-like types; empty when missing or of another type.
    std::string ReadAnyText(const char* name) const;
    bool SetDword(const char* name, DWORD value);
    bool SetString(const char* name, const char* value);
    bool DeleteValue(const char* name);
    bool DeleteSubKey(const char* name);  // a key without subkeys
    // The names of the key's values and of its subkeys, in the registry's order.
    std::vector<std::string> ValueNames() const;
    std::vector<std::string> SubKeyNames() const;

private:
    HKEY m_key = nullptr;
};
