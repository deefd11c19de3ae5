#include "tray/TrayIcons.h"
#include "framework/SystemCalls.h"
#include "framework/WinApp.h"
#include "store/IconLoader.h"

NOTIFYICONDATAA SharedNotifyData;
HWND MainWindowHandle = nullptr;

void InitSharedNotifyData(HWND mainWindow) {
    MainWindowHandle = mainWindow;
    // The first version's size: every shell since 95 accepts it, and it is all the program uses.
    SharedNotifyData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    SharedNotifyData.hWnd = mainWindow;
    SharedNotifyData.uCallbackMessage = TrayCallbackMessage;
    SharedNotifyData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
}

HICON TrayIconOf(const ShortcutItem& item) {
    int resource = KindIconResource(item.Kind());
    if (!resource) return LoadIconFromPath(item.IconSource(), true);
    HINSTANCE instance = TheApp() ? TheApp()->m_hInstance : GetModuleHandleA(nullptr);
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(resource), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

void SetSharedTip(const std::string& text) {
    // The first version of the record, which the program passes, holds 64 characters.
    const size_t capacity = 63;
    size_t length = 0;
    // Never split a double-byte character of the ANSI code page.
    while (length < text.size() && text[length] != '\0') {
        size_t next = length + (IsDBCSLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1);
        if (next > capacity || next > text.size()) break;
        length = next;
    }
    memcpy(SharedNotifyData.szTip, text.data(), length);
    SharedNotifyData.szTip[length] = '\0';
}

namespace {
void Notify(DWORD message, const ShortcutItem& item, UINT flags) {
    SharedNotifyData.uID = static_cast<UINT>(item.IconId);
    SharedNotifyData.uFlags = flags;
    if (flags & NIF_ICON) SharedNotifyData.hIcon = TrayIconOf(item);
    if (flags & NIF_TIP) SetSharedTip(item.Name);
    System.notifyIcon(message, &SharedNotifyData);
}
}  // namespace

void AddTrayIcon(const ShortcutItem& item) {
    Notify(NIM_ADD, item, NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void ChangeTrayIcon(const ShortcutItem& item) {
    Notify(NIM_MODIFY, item, NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void RetitleTrayIcon(const ShortcutItem& item) {
    Notify(NIM_MODIFY, item, NIF_TIP);
}

void DeleteTrayIcon(int iconId) {
    SharedNotifyData.uID = static_cast<UINT>(iconId);
    SharedNotifyData.uFlags = 0;
    System.notifyIcon(NIM_DELETE, &SharedNotifyData);
}
