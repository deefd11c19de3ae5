#include "app/NewCommandLineInfo.h"
#include <windows.h>

namespace {
// The path as the folder the program was started in resolves it; as given when it cannot.
std::string FullPath(const char* path) {
    const DWORD size = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0) return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path, size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}
}  // namespace

void NewCommandLineInfo::ParseParam(const char* param, bool isFlag, bool) {
    if (isFlag) {
        if (lstrcmpiA(param, "n") == 0) m_newSwitchSeen = true;
        if (lstrcmpiA(param, "quiet") == 0) Quiet = true;
        const bool exportSwitch = lstrcmpiA(param, "export") == 0;
        if (exportSwitch || lstrcmpiA(param, "import") == 0) {
            Action = exportSwitch ? SettingsAction::Export : SettingsAction::Import;
            m_settingsSwitchSeen = true;
        }
        return;
    }
    if (m_settingsSwitchSeen && SettingsFile.empty()) {
        SettingsFile = FullPath(param);
        return;
    }
    if (m_newSwitchSeen && NewPath.empty()) NewPath = param;
}
