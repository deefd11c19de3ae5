#include "tray/TrayIcons.h"
#include "framework/Display.h"
#include "framework/SystemCalls.h"
#include "framework/TextCut.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/IconLoader.h"
#include <algorithm>

namespace {
const UINT RetryEveryMs = 2000;
const ULONGLONG RetryForMs = 60000;
const UINT PromoteEveryMs = 1000;
// Icons of the fourth version show the standard tooltip only when asked to.
const UINT ImageAndTip = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
const UINT TipOnly = NIF_TIP | NIF_SHOWTIP;
}  // namespace

void SetTipText(NOTIFYICONDATAA& data, const std::string& text) {
    size_t length = CharacterPrefixLength(text, MaxNameBytes);
    memcpy(data.szTip, text.data(), length);
    data.szTip[length] = '\0';
}

TrayIcons::TrayIcons() : m_shared() {}

void TrayIcons::SetOwner(HWND owner) {
    // The whole record: the fourth version's icons need the flags and fields of its time.
    m_shared.cbSize = sizeof m_shared;
    m_shared.hWnd = owner;
    m_shared.uCallbackMessage = TrayCallbackMessage;
}

namespace {
// The tray icon resource of a special kind.
int KindIconResource(ShortcutKind kind) {
    switch (kind) {
    case ShortcutKind::Separator: return IDI_SEPARATOR;
    case ShortcutKind::DialUp: return IDI_DIALUP;
    default: return IDI_DESKACCESS;
    }
}
}  // namespace

HICON TrayIcons::SpecialImage(ShortcutKind kind) {
    const int size = IconPixels(true, WindowDpi(m_shared.hWnd));
    if (size != m_specialImageSize) {
        for (OwnedIcon& image : m_specialImages) image.reset();
        m_specialImageSize = size;
    }
    OwnedIcon& image = m_specialImages[static_cast<int>(kind) - 1];
    if (!image) {
        HINSTANCE instance = ProgramInstance();
        image.reset(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(KindIconResource(kind)), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    }
    return image.get();
}

BOOL TrayIcons::Notify(DWORD message, const ShortcutItem& item, UINT flags) {
    m_shared.uID = static_cast<UINT>(item.IconId);
    m_shared.uFlags = flags;
    OwnedIcon applicationImage;
    if (flags & NIF_ICON) {
        if (item.Kind() == ShortcutKind::Application) {
            applicationImage.reset(LoadShortcutIcon(item.IconPath, item.Path, true, WindowDpi(m_shared.hWnd)));
            m_shared.hIcon = applicationImage.get();
        } else {
            m_shared.hIcon = SpecialImage(item.Kind());
        }
    }
    if (flags & NIF_TIP) SetTipText(m_shared, item.Name);
    BOOL done = System.notifyIcon(message, &m_shared);
    m_shared.hIcon = nullptr;  // the image may be gone when this returns
    return done;
}

void TrayIcons::Add(const ShortcutItem& item, bool mayExist) {
    // A refused add may have been carried out all the same: then the icon is there to change.
    const bool shown = (mayExist && Notify(NIM_MODIFY, item, ImageAndTip)) || Notify(NIM_ADD, item, ImageAndTip);
    if (!shown) {
        // The shell is not ready (at logon, or restarting): try again for a while.
        if (m_refused.empty()) m_firstRefusal = GetTickCount64();
        if (std::find(m_refused.begin(), m_refused.end(), item.IconId) == m_refused.end())
            m_refused.push_back(item.IconId);
        SetTimer(m_shared.hWnd, RetryTimer, RetryEveryMs, nullptr);
        return;
    }
    // Keyboard selection reaches only icons of the fourth version. Each call waits for the shell,
    // so the versions follow once the whole burst (a start: every icon) is shown; clicks meanwhile
    // come in the first version's form, which is understood as well.
    m_unversioned.push_back(item.IconId);
    SetTimer(m_shared.hWnd, VersionTimer, 0, nullptr);
    m_promotion.IconShown(item.IconId);
    SetTimer(m_shared.hWnd, PromotionTimer, PromoteEveryMs, nullptr);
}

void TrayIcons::ShortcutAdded(const ShortcutItem& item) {
    Add(item, false);
}

void TrayIcons::ShortcutChanged(const ShortcutItem& item) {
    Notify(NIM_MODIFY, item, ImageAndTip);
}

void TrayIcons::ShortcutRetitled(const ShortcutItem& item) {
    Notify(NIM_MODIFY, item, TipOnly);
}

void TrayIcons::ShortcutRemoved(int iconId) {
    m_refused.erase(std::remove(m_refused.begin(), m_refused.end(), iconId), m_refused.end());
    m_unversioned.erase(std::remove(m_unversioned.begin(), m_unversioned.end(), iconId), m_unversioned.end());
    m_shared.uID = static_cast<UINT>(iconId);
    m_shared.uFlags = 0;
    System.notifyIcon(NIM_DELETE, &m_shared);
}

void TrayIcons::AddAll(const ShortcutList& shortcuts) {
    for (int i = 0; i < shortcuts.Count(); ++i)
        if (i != shortcuts.PendingIndex()) Add(shortcuts.At(i), false);
}

void TrayIcons::RemoveAll(const ShortcutList& shortcuts) {
    for (int i = 0; i < shortcuts.Count(); ++i) ShortcutRemoved(shortcuts.At(i).IconId);
}

void TrayIcons::Refresh(const ShortcutList& shortcuts) {
    for (int i = 0; i < shortcuts.Count(); ++i) {
        if (i == shortcuts.PendingIndex()) continue;
        // An icon the shell lost meanwhile comes back.
        if (!Notify(NIM_MODIFY, shortcuts.At(i), ImageAndTip)) Add(shortcuts.At(i), false);
    }
}

bool TrayIcons::OnTimer(UINT_PTR timer, const ShortcutList& shortcuts) {
    if (timer == VersionTimer) {
        KillTimer(m_shared.hWnd, VersionTimer);
        NOTIFYICONDATAA version = {};
        version.cbSize = sizeof version;
        version.hWnd = m_shared.hWnd;
        version.uVersion = NOTIFYICON_VERSION_4;
        for (int iconId : m_unversioned) {
            version.uID = static_cast<UINT>(iconId);
            System.notifyIcon(NIM_SETVERSION, &version);  // a shell without it says no
        }
        m_unversioned.clear();
        return true;
    }
    if (timer == PromotionTimer) {
        if (!m_promotion.Promote()) KillTimer(m_shared.hWnd, PromotionTimer);
        return true;
    }
    if (timer != RetryTimer) return false;
    std::vector<int> refused;
    refused.swap(m_refused);
    const ULONGLONG firstRefusal = m_firstRefusal;
    if (GetTickCount64() - firstRefusal <= RetryForMs) {
        for (int iconId : refused)
            if (int number = shortcuts.NumberOfIconId(static_cast<UINT_PTR>(iconId))) Add(shortcuts.At(number - 1), true);
    }
    if (m_refused.empty())
        KillTimer(m_shared.hWnd, RetryTimer);
    else
        m_firstRefusal = firstRefusal;  // a minute from the first refusal, not from this one
    return true;
}
