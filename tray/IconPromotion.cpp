#include "tray/IconPromotion.h"
#include "framework/RegistryKey.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "store/Options.h"
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <wchar.h>

namespace {
const char* const NotifyIconSettingsKey = "Control Panel\\NotifyIconSettings";
// Marks a key this program promoted, so that the user's later choice is never overridden.
const char* const PromotedMarker = "VelkatorPromoted";
const ULONGLONG LookForMs = 10000;

// "{folder id}\rest" with the folder's path in front of rest; the text itself otherwise.
std::string WithKnownFolder(const std::string& path) {
    size_t close = path.find('}');
    if (path.empty() || path[0] != '{' || close == std::string::npos) return path;
    WideChars id = ToWide(path.substr(0, close + 1));
    KNOWNFOLDERID folderId;
    PWSTR folder = nullptr;
    if (FAILED(CLSIDFromString(id.data(), &folderId)) || FAILED(SHGetKnownFolderPath(folderId, 0, nullptr, &folder)))
        return path;
    const std::string folderPath = FromWide(folder, wcslen(folder));
    CoTaskMemFree(folder);
    return folderPath + path.substr(close + 1);
}
}  // namespace

bool NamesThisProgram(const char* executablePath) {
    const std::string program = ProgramPath();
    return !program.empty() && lstrcmpiA(WithKnownFolder(executablePath).c_str(), program.c_str()) == 0;
}

void IconPromotion::IconShown(int iconId) {
    m_waiting.push_back({iconId, GetTickCount64()});
}

bool IconPromotion::Promote() {
    RegistryKey settings;
    // A portable copy leaves the system's keys alone, as it does the rest of the registry.
    if (m_waiting.empty() || ReadOption(Option::ShowNewIcons) == 0 || TheApp()->Settings().IsPortable() ||
        !settings.Open(HKEY_CURRENT_USER, NotifyIconSettingsKey)) {
        m_waiting.clear();
        return false;
    }
    char name[256];
    for (DWORD i = 0, length = sizeof name;
         RegEnumKeyExA(settings.Handle(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name) {
        RegistryKey icon;
        DWORD uid = 0;
        if (!icon.Open(settings.Handle(), name, KEY_READ | KEY_SET_VALUE) || !icon.QueryDword("UID", uid) ||
            !NamesThisProgram(icon.ReadString("ExecutablePath", "").c_str()))
            continue;
        for (size_t w = 0; w < m_waiting.size(); ++w) {
            if (static_cast<DWORD>(m_waiting[w].iconId) != uid) continue;
            if (icon.ReadInt(PromotedMarker, 0) == 0) {
                icon.SetDword("IsPromoted", 1);
                icon.SetDword(PromotedMarker, 1);
            }
            m_waiting.erase(m_waiting.begin() + static_cast<long>(w));
            break;
        }
    }
    const ULONGLONG now = GetTickCount64();
    for (size_t w = m_waiting.size(); w-- > 0;)
        if (now - m_waiting[w].since > LookForMs) m_waiting.erase(m_waiting.begin() + static_cast<long>(w));
    return !m_waiting.empty();
}
