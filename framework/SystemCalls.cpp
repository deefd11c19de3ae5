#include "framework/SystemCalls.h"
#include "framework/DarkMenus.h"
#include <mmsystem.h>

const SystemCalls RealSystemCalls = {
    &Shell_NotifyIconA,           &ShellExecuteA,      &ShellExecuteExA, &sndPlaySoundA, &MessageBeep,
    &ChangeWindowMessageFilterEx, &WindowsBuildNumber, &SetMenuMode,
};

SystemCalls System = RealSystemCalls;
