#include "framework/IniFile.h"
#include "framework/Handles.h"
#include "framework/WideText.h"
#include <stdlib.h>

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
}  // namespace

bool IniFile::Load(const std::string& path, UINT codePage) {
    m_sections.clear();
    OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    LARGE_INTEGER size = {};
    // Settings files are small; anything past 16 MB is not one.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (16 << 20)) return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return false;
    Parse(Decode(bytes, codePage));
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
            const size_t close = line.find(']');
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
