// Windows 11 puts every new tray icon into the hidden overflow. It keeps one key per icon under
// HKCU\Control Panel\NotifyIconSettings (the owner's ExecutablePath, the icon's UID, IsPromoted);
// this shows each new icon of the program on the taskbar once, by setting IsPromoted there.
// An icon the user hides again stays hidden; other programs' keys are never touched; where the
// keys do not exist (before Windows 11), nothing happens.
#pragma once
#include <windows.h>
#include <vector>

class IconPromotion {
public:
    // The icon was added; its key appears shortly after, so it is looked for a while.
    void IconShown(int iconId);
    // Promotes the icons whose keys have appeared; false when nothing is left to look for.
    bool Promote();

private:
    struct Waiting {
        int iconId;
        ULONGLONG since;
    };
    std::vector<Waiting> m_waiting;
};

// Whether a key's ExecutablePath names this program (also in the known-folder form Windows
// uses, "{folder id}\rest").
bool NamesThisProgram(const char* executablePath);
