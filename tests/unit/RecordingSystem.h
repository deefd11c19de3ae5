// Replaces the program's outside calls (tray, shell, sound, beep) with recorders for one test.
#pragma once
#include "framework/SystemCalls.h"
#include <string>
#include <vector>

struct NotifyCall {
    DWORD message;
    NOTIFYICONDATAA data;
    std::string Tip() const { return data.szTip; }
};

struct ShellExecuteCall {
    HWND owner;
    std::string verb, file, parameters, folder;
    int show;
};

struct SoundCall {
    std::string sound;
    UINT flags;
};

class RecordingSystem {
public:
    RecordingSystem();
    ~RecordingSystem();
    RecordingSystem(const RecordingSystem&) = delete;
    RecordingSystem& operator=(const RecordingSystem&) = delete;

    std::vector<NotifyCall> notifications;
    std::vector<ShellExecuteCall> launches;
    std::vector<SoundCall> sounds;
    std::vector<UINT> beeps;
    // What ShellExecuteA reports (greater than 32 is success).
    INT_PTR shellExecuteResult = 42;
    // Whether the tray takes new icons (it does not while the shell starts).
    bool trayTakesIcons = true;

    std::vector<NotifyCall> NotificationsOf(DWORD message) const;
    void Clear();
};
