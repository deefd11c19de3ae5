// The tray icons: one per shortcut, identified by the shortcut's IconId, with its name as
// tooltip and callback message 1124. Every call goes through one shared record. An icon image
// made for a call is destroyed as soon as the call returns (the shell keeps its own copy); the
// three special images are loaded once per icon size and kept.
#pragma once
#include "framework/Handles.h"
#include "store/ShortcutList.h"
#include "tray/IconPromotion.h"
#include <windows.h>
#include <shellapi.h>
#include <vector>

const UINT TrayCallbackMessage = WM_USER + 100;

// Copies text into a tooltip field: at most 63 characters, cut on a character boundary.
void SetTipText(NOTIFYICONDATAA& data, const std::string& text);

class TrayIcons : public ShortcutListener {
public:
    // The owner window's timers: adding icons the shell refused again, promoting new icons, and
    // asking for the fourth version once the icons of a burst are all shown.
    static const UINT_PTR RetryTimer = 1;
    static const UINT_PTR PromotionTimer = 2;
    static const UINT_PTR VersionTimer = 3;

    TrayIcons();
    TrayIcons(const TrayIcons&) = delete;
    TrayIcons& operator=(const TrayIcons&) = delete;

    // Fixes the shared record's size, owner window and callback message.
    void SetOwner(HWND owner);

    void ShortcutAdded(const ShortcutItem& item) override;     // NIM_ADD: image, tip, callback
    void ShortcutChanged(const ShortcutItem& item) override;   // NIM_MODIFY: image, tip, callback
    void ShortcutRetitled(const ShortcutItem& item) override;  // NIM_MODIFY: tip
    void ShortcutRemoved(int iconId) override;                 // NIM_DELETE, flags 0

    // Every icon of the list added again (the taskbar was made anew), or removed (the window goes).
    void AddAll(const ShortcutList& shortcuts);
    void RemoveAll(const ShortcutList& shortcuts);
    // After a DPI or icon-size change: every icon shown again with images of the new size.
    void Refresh(const ShortcutList& shortcuts);
    // One of the owner's timers; true when it was one of these.
    bool OnTimer(UINT_PTR timer, const ShortcutList& shortcuts);

private:
    BOOL Notify(DWORD message, const ShortcutItem& item, UINT flags);
    // NIM_ADD, or NIM_MODIFY first when an earlier add may have been carried out though refused.
    void Add(const ShortcutItem& item, bool mayExist);
    HICON SpecialImage(ShortcutKind kind);

    NOTIFYICONDATAA m_shared;
    OwnedIcon m_specialImages[3];  // separator, dial-up, desktop access
    int m_specialImageSize = 0;
    // Icons the shell refused to add (not ready at logon, or restarting), tried again a while.
    std::vector<int> m_refused;
    ULONGLONG m_firstRefusal = 0;
    // Icons shown that are still of the first version.
    std::vector<int> m_unversioned;
    IconPromotion m_promotion;
};
