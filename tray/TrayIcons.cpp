#include "tray/TrayIcons.h"
#include "framework/SystemCalls.h"
#include "framework/TextCut.h"
#include "framework/WinApp.h"
#include "store/IconLoader.h"

void SetTipText(NOTIFYICONDATAA& data, const std::string& text) {
    // The first version of the record, which the program passes, holds 64 characters.
    const size_t firstVersionTipLength = 63;
    size_t length = CharacterPrefixLength(text, firstVersionTipLength);
    memcpy(data.szTip, text.data(), length);
    data.szTip[length] = '\0';
}

TrayIcons::TrayIcons() : m_shared() {}

void TrayIcons::SetOwner(HWND owner) {
    // The first version's size: every shell since 95 accepts it, and it is all the program uses.
    m_shared.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_shared.hWnd = owner;
    m_shared.uCallbackMessage = TrayCallbackMessage;
}

HICON TrayIcons::SpecialImage(ShortcutKind kind) {
    OwnedIcon& image = m_specialImages[static_cast<int>(kind) - 1];
    if (!image) {
        HINSTANCE instance = TheApp() ? TheApp()->m_hInstance : GetModuleHandleA(nullptr);
        image.reset(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(KindIconResource(kind)), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    }
    return image.get();
}

void TrayIcons::Notify(DWORD message, const ShortcutItem& item, UINT flags) {
    m_shared.uID = static_cast<UINT>(item.IconId);
    m_shared.uFlags = flags;
    OwnedIcon applicationImage;
    if (flags & NIF_ICON) {
        if (item.Kind() == ShortcutKind::Application) {
            applicationImage.reset(LoadIconFromPath(item.IconSource(), true));
            m_shared.hIcon = applicationImage.get();
        } else {
            m_shared.hIcon = SpecialImage(item.Kind());
        }
    }
    if (flags & NIF_TIP) SetTipText(m_shared, item.Name);
    System.notifyIcon(message, &m_shared);
    m_shared.hIcon = nullptr;  // the image may be gone when this returns
}

void TrayIcons::ShortcutAdded(const ShortcutItem& item) {
    Notify(NIM_ADD, item, NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void TrayIcons::ShortcutChanged(const ShortcutItem& item) {
    Notify(NIM_MODIFY, item, NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void TrayIcons::ShortcutRetitled(const ShortcutItem& item) {
    Notify(NIM_MODIFY, item, NIF_TIP);
}

void TrayIcons::ShortcutRemoved(int iconId) {
    m_shared.uID = static_cast<UINT>(iconId);
    m_shared.uFlags = 0;
    System.notifyIcon(NIM_DELETE, &m_shared);
}
