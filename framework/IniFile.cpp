#include "framework/IniFile.h"
#include "framework/Handles.h"
#include "framework/SafeFile.h"
#include "framework/WideText.h"
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace {
std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The file's bytes as program text: a byte-order mark says how they are written, else codePage.
std::string Decode(const std::string& bytes, UINT codePage) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return Recode(bytes.substr(3), CP_UTF8, CP_ACP);
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        return FromWide(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    }
    return Recode(bytes, codePage, CP_ACP);
}

// The file's bytes; false when it cannot be read whole.
bool ReadBytes(const std::string& path, std::string& bytes) {
    OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    LARGE_INTEGER size = {};
    // Settings files are small; anything past 16 MB is not one.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (16 << 20)) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool StartsWith(const std::string& text, const char* mark) {
    return text.compare(0, strlen(mark), mark) == 0;
}
}  // namespace

bool IniFile::Load(const std::string& path, UINT codePage) {
    m_sections.clear();
    std::string bytes;
    if (!ReadBytes(path, bytes)) return false;
    Parse(Decode(bytes, codePage));
    return true;
}

bool IniFile::LoadUtf8(const std::string& path) {
    m_sections.clear();
    std::string bytes;
    if (!ReadBytes(path, bytes)) return false;
    // Text saved as UTF-16 by an editor is taken as it is; the program's own form must be whole.
    if (!StartsWith(bytes, "\xFF\xFE") && (bytes.find('\0') != std::string::npos || !IsUtf8(bytes))) return false;
    Parse(Decode(bytes, CP_UTF8));
    return true;
}

void IniFile::Parse(const std::string& text) {
    m_sections.clear();
    Section* current = nullptr;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            // The last bracket closes the name, which may hold one itself.
            const size_t close = line.rfind(']');
            m_sections.push_back({Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)), {}});
            current = &m_sections.back();
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos) continue;
        std::string value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        current->entries.emplace_back(Trimmed(line.substr(0, equals)), value);
    }
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
    for (const Section& section : m_sections)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

std::vector<std::string> IniFile::Names(const std::string& section) const {
    std::vector<std::string> names;
    if (const Section* found = FindSection(section)) {
        for (const auto& entry : found->entries) {
            bool seen = false;
            for (const std::string& name : names) seen = seen || SameName(name, entry.first);
            if (!seen) names.push_back(entry.first);
        }
    }
    return names;
}

bool IniFile::Find(const std::string& section, const std::string& name, std::string& value) const {
    if (const Section* found = FindSection(section)) {
        for (const auto& entry : found->entries) {
            if (SameName(entry.first, name)) {
                value = entry.second;
                return true;
            }
        }
    }
    return false;
}

std::string IniFile::Text(const std::string& section, const std::string& name, const char* defaultValue) const {
    std::string value;
    return Find(section, name, value) ? value : std::string(defaultValue ? defaultValue : "");
}

int IniFile::Number(const std::string& section, const std::string& name, int defaultValue) const {
    std::string value;
    return Find(section, name, value) ? static_cast<int>(strtol(value.c_str(), nullptr, 10)) : defaultValue;
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : m_sections) {
        bool seen = false;
        for (const std::string& name : names) seen = seen || SameName(name, section.name);
        if (!seen) names.push_back(section.name);
    }
    return names;
}

void IniFile::Set(const std::string& section, const std::string& name, const std::string& value) {
    Section* found = const_cast<Section*>(FindSection(section));
    if (!found) {
        m_sections.push_back({section, {}});
        found = &m_sections.back();
    }
    for (auto& entry : found->entries) {
        if (SameName(entry.first, name)) {
            entry.second = value;
            return;
        }
    }
    found->entries.emplace_back(name, value);
}

void IniFile::Remove(const std::string& section, const std::string& name) {
    for (Section& each : m_sections) {
        if (!SameName(each.name, section)) continue;
        auto& entries = each.entries;
        for (size_t i = entries.size(); i-- > 0;)
            if (SameName(entries[i].first, name)) entries.erase(entries.begin() + static_cast<long>(i));
    }
}

bool IniFile::RemoveSection(const std::string& section) {
    const size_t before = m_sections.size();
    for (size_t i = m_sections.size(); i-- > 0;)
        if (SameName(m_sections[i].name, section)) m_sections.erase(m_sections.begin() + static_cast<long>(i));
    return m_sections.size() != before;
}

bool IniFile::IsWritableName(const std::string& name) {
    return !name.empty() && name.find_first_of("=\r\n") == std::string::npos && name[0] != ';' && name[0] != '[' &&
           Trimmed(name) == name;
}

bool IniFile::IsWritableValue(const std::string& value) {
    return value.find_first_of("\r\n") == std::string::npos && value.find('\0') == std::string::npos;
}

bool IniFile::Save(const std::string& path) const {
    std::string text;
    for (const Section& section : m_sections) {
        text += "[" + section.name + "]\r\n";
        for (const auto& entry : section.entries) {
            const std::string& value = entry.second;
            // Parse takes blanks round a value away, and one pair of matching quotes: quoted, such
            // a value comes back as it was.
            const bool inQuotes = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
                                  value.back() == value[0];
            const bool quoted = inQuotes || Trimmed(value) != value;
            text += entry.first + "=" + (quoted ? "\"" + value + "\"" : value) + "\r\n";
        }
        text += "\r\n";
    }
    return ReplaceFileContents(path, Recode(text, CP_ACP, CP_UTF8));
}

bool ParseWholeNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 11 || text.find_first_not_of("-0123456789") != std::string::npos) return false;
    char* end = nullptr;
    const long long number = strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || number < INT_MIN || number > static_cast<long long>(UINT_MAX)) return false;
    value = static_cast<int>(static_cast<unsigned int>(number));
    return true;
}
