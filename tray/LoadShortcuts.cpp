#include "tray/LoadShortcuts.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "store/LegacyIni.h"
#include "store/ShortcutStore.h"
#include "tray/TrayIcons.h"

void LoadShortcuts(HWND mainWindow, const std::string& legacyIniPath) {
    InitSharedNotifyData(mainWindow);
    IconIdCounter = 1;
    ShortcutTable.Count = 0;
    UnloadedOrderTail.clear();
    ImportLegacyIni(legacyIniPath);

    RegistryKey shortcuts;  // opened once: every token's marker is read from it
    TheApp()->OpenProfileSection(ShortcutsSection, shortcuts);
    std::string order = shortcuts.ReadString(OrderValue, "");
    size_t start = 0, bar;
    while ((bar = order.find('|', start)) != std::string::npos) {
        std::string token = order.substr(start, bar - start);
        bool special = IsSpecialKind(token);
        if (!special && !IsInstalled(shortcuts, token)) {
            start = bar + 1;
            continue;
        }
        if (ShortcutTable.IsFull()) {
            // Kept for rebuilding the order; these shortcuts stay untouched in the registry.
            UnloadedOrderTail = order.substr(start, order.rfind('|') + 1 - start);
            break;
        }
        start = bar + 1;
        ShortcutItem& item = ShortcutTable.Items[ShortcutTable.Count];
        item = ShortcutItem();
        if (special) {
            item.Path = token;
            item.Name = GetText(TipKey(item.Kind()).c_str());
        } else {
            ReadApplicationValues(token, item);
            item.Name = token;
        }
        item.IconId = IconIdCounter++;
        AddTrayIcon(item);
        ++ShortcutTable.Count;
    }
}
