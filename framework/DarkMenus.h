// Menus in dark mode. From Windows 10 1903 (build 18362) the system draws a program's popup menus
// dark, as Explorer's, only when the program asks through two uxtheme exports that have no names,
// only ordinals: SetPreferredAppMode (135; before 1903 the same ordinal was another call) and
// FlushMenuThemes (136). They are used on those builds only, and only while the user's "apps use
// dark theme" setting says dark; elsewhere nothing changes. Dialogs stay as they are.
#pragma once
#include <windows.h>

// uxtheme's preferred app modes that are used here.
enum class MenuMode { Default = 0, ForceDark = 2 };

const DWORD FirstBuildWithMenuModes = 18362;

// The running Windows' build number, as the system reports it to any program (RtlGetVersion is
// not subject to compatibility shims); 0 when unknown.
DWORD WindowsBuildNumber();
// Asks uxtheme, loaded from the system folder when first needed, for the mode (a MenuMode) and
// redraws the menus' theme; false when it lacks either export.
bool SetMenuMode(int mode);
// True while the user's setting says apps use the dark theme and high contrast is off.
bool AppsUseDarkTheme();

// Follows the setting for the program's menus: dark when it says dark, back to the default once it
// no longer does. Nothing is asked on other builds, or while the menus were never made dark.
class DarkMenus {
public:
    // At start, and whenever the setting may have changed.
    void Follow();
    // WM_SETTINGCHANGE: the colour setting ("ImmersiveColorSet") or high contrast changed.
    static bool ConcernsMenus(WPARAM wParam, LPARAM lParam);

private:
    bool m_dark = false;
};
