// Popup menus of the hidden main window (the tray icons' menus). The window comes forward first,
// so that the menu closes when the user clicks elsewhere, and a harmless message is posted after
// it, as the system asks, so that the next menu works too.
#pragma once
#include <windows.h>

// Shows popup at point until it closes; with TPM_RETURNCMD in flags, the command chosen or 0.
UINT TrackOwnedMenu(HWND owner, HMENU popup, POINT point, UINT flags);
