#include "framework/DarkMenus.h"
#include "framework/RegistryKey.h"
#include "framework/SystemCalls.h"

namespace {
using SetPreferredAppModeCall = int(WINAPI*)(int mode);
using FlushMenuThemesCall = void(WINAPI*)();
using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW* version);

template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

DWORD WindowsBuildNumber() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");  // in every process
    const RtlGetVersionCall getVersion = ntdll ? Export<RtlGetVersionCall>(ntdll, "RtlGetVersion") : nullptr;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return getVersion && getVersion(&version) == 0 ? version.dwBuildNumber : 0;
}

bool SetMenuMode(int mode) {
    // Kept for the program's life: the mode it was asked for lives in it.
    static HMODULE uxtheme = LoadLibraryExA("uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!uxtheme) return false;
    const auto setPreferredAppMode = Export<SetPreferredAppModeCall>(uxtheme, MAKEINTRESOURCEA(135));
    const auto flushMenuThemes = Export<FlushMenuThemesCall>(uxtheme, MAKEINTRESOURCEA(136));
    if (!setPreferredAppMode || !flushMenuThemes) return false;
    setPreferredAppMode(mode);
    flushMenuThemes();
    return true;
}

bool AppsUseDarkTheme() {
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    // High contrast draws menus in its own colours, as the system does for Explorer.
    if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON))
        return false;
    RegistryKey personalize;
    DWORD light = 1;
    return personalize.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize") &&
           personalize.QueryDword("AppsUseLightTheme", light) && light == 0;
}

void DarkMenus::Follow() {
    if (System.windowsBuild() < FirstBuildWithMenuModes) return;
    const bool dark = AppsUseDarkTheme();
    if (dark == m_dark) return;
    if (System.setMenuMode(static_cast<int>(dark ? MenuMode::ForceDark : MenuMode::Default))) m_dark = dark;
}

bool DarkMenus::ConcernsMenus(WPARAM wParam, LPARAM lParam) {
    const char* area = reinterpret_cast<const char*>(lParam);
    return wParam == SPI_SETHIGHCONTRAST || (area && lstrcmpA(area, "ImmersiveColorSet") == 0);
}
