#include "framework/SystemCalls.h"
#include <mmsystem.h>

const SystemCalls RealSystemCalls = {
    &Shell_NotifyIconA, &ShellExecuteA, &ShellExecuteExA, &sndPlaySoundA, &MessageBeep, &ChangeWindowMessageFilterEx,
};

SystemCalls System = RealSystemCalls;
