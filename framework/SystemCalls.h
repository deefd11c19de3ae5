// The calls that reach outside the program (tray, shell launching, sounds, beeps, the message
// filter other programs' messages pass, the menus' dark mode and the Windows build it depends on)
// go through this table, so in-process tests can record them. It holds the real functions unless
// a test replaces an entry.
#pragma once
#include <windows.h>
#include <shellapi.h>

struct SystemCalls {
    BOOL (WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAA data);
    HINSTANCE (WINAPI* shellExecute)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                                     INT show);
    BOOL (WINAPI* shellExecuteEx)(SHELLEXECUTEINFOA* info);
    BOOL (WINAPI* playSound)(LPCSTR sound, UINT flags);
    BOOL (WINAPI* messageBeep)(UINT type);
    BOOL (WINAPI* changeMessageFilter)(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT details);
    DWORD (*windowsBuild)();
    bool (*setMenuMode)(int mode);
};

extern SystemCalls System;
extern const SystemCalls RealSystemCalls;
