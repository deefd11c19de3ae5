// The tray icons, all made through one shared record: one icon per shortcut, identified
// by the shortcut's IconId, with its name as tooltip and callback message 1124.
#pragma once
#include "store/ShortcutTable.h"
#include <windows.h>
#include <shellapi.h>

const UINT TrayCallbackMessage = WM_USER + 100;

extern NOTIFYICONDATAA SharedNotifyData;
extern HWND MainWindowHandle;

// Fixes the record's size, owner window and callback message.
void InitSharedNotifyData(HWND mainWindow);
// The 16 x 16 tray image of an item: its icon source, or the resource of its special kind.
HICON TrayIconOf(const ShortcutItem& item);
// Copies text into the record's tooltip: at most 63 characters, cut on a character boundary.
void SetSharedTip(const std::string& text);

void AddTrayIcon(const ShortcutItem& item);       // NIM_ADD, flags 7
void ChangeTrayIcon(const ShortcutItem& item);    // NIM_MODIFY, flags 7
void RetitleTrayIcon(const ShortcutItem& item);   // NIM_MODIFY, flags 4
void DeleteTrayIcon(int iconId);                  // NIM_DELETE, flags 0
