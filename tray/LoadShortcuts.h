// Builds the shortcut table from the registry (after the one-time legacy import) and adds
// one tray icon per record, in the stored order.
#pragma once
#include <windows.h>
#include <string>

void LoadShortcuts(HWND mainWindow, const std::string& legacyIniPath);
