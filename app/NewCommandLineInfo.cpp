#include "app/NewCommandLineInfo.h"
#include <windows.h>

void NewCommandLineInfo::ParseParam(const char* param, bool isFlag, bool) {
    if (isFlag) {
        if (lstrcmpiA(param, "n") == 0) m_newSwitchSeen = true;
        return;
    }
    if (m_newSwitchSeen && NewPath.empty()) NewPath = param;
}
