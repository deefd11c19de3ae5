#include "framework/PopupMenu.h"

UINT TrackOwnedMenu(HWND owner, HMENU popup, POINT point, UINT flags) {
    SetForegroundWindow(owner);
    const BOOL chosen = TrackPopupMenuEx(popup, flags | TPM_RIGHTBUTTON, point.x, point.y, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return static_cast<UINT>(chosen);
}
