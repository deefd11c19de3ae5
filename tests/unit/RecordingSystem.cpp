#include "RecordingSystem.h"

namespace {
RecordingSystem* g_recorder = nullptr;

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAA data) {
    g_recorder->notifications.push_back({message, *data});
    return message != NIM_ADD || g_recorder->trayTakesIcons;
}

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                    INT show) {
    g_recorder->launches.push_back({owner, verb ? verb : "", file ? file : "", parameters ? parameters : "",
                                    folder ? folder : "", show});
    return reinterpret_cast<HINSTANCE>(g_recorder->shellExecuteResult);
}

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOA* info) {
    g_recorder->launches.push_back({info->hwnd, info->lpVerb ? info->lpVerb : "", info->lpFile ? info->lpFile : "",
                                    info->lpParameters ? info->lpParameters : "",
                                    info->lpDirectory ? info->lpDirectory : "", info->nShow});
    info->hInstApp = reinterpret_cast<HINSTANCE>(g_recorder->shellExecuteResult);
    return g_recorder->shellExecuteResult > 32;
}

BOOL WINAPI RecordSound(LPCSTR sound, UINT flags) {
    g_recorder->sounds.push_back({sound ? sound : "", flags});
    return TRUE;
}

BOOL WINAPI RecordBeep(UINT type) {
    g_recorder->beeps.push_back(type);
    return TRUE;
}
}  // namespace

RecordingSystem::RecordingSystem() {
    g_recorder = this;
    System = {&RecordNotify, &RecordShellExecute, &RecordShellExecuteEx, &RecordSound, &RecordBeep};
}

RecordingSystem::~RecordingSystem() {
    System = RealSystemCalls;
    g_recorder = nullptr;
}

std::vector<NotifyCall> RecordingSystem::NotificationsOf(DWORD message) const {
    std::vector<NotifyCall> calls;
    for (const NotifyCall& call : notifications)
        if (call.message == message) calls.push_back(call);
    return calls;
}

void RecordingSystem::Clear() {
    notifications.clear();
    launches.clear();
    sounds.clear();
    beeps.clear();
}
