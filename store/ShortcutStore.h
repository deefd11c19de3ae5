// The layout of the shortcuts in the settings store (registry keys or file sections):
//   Shortcuts\Order        "token|token|..." in tray order (names, or kind words for special items)
//   Shortcuts\<Name>       "Installed" for every application shortcut
//   <Name>\Path, Startup, IconPath, Arguments (texts), Prompt, Style, RunAs, IconId (numbers)
// Only the shortcut list, the legacy import and the settings transfer use these; everything else
// goes through ShortcutList.
#pragma once
#include "store/ShortcutItem.h"
#include <string>

class SettingsSection;

extern const char* const ShortcutsSection;
extern const char* const OrderValue;
extern const char* const InstalledMarker;
extern const char* const IconIdValue;

// The stored order, also when it was stored with another text type (REG_EXPAND_SZ, REG_BINARY).
std::string ReadStoredOrder();
std::string ReadOrderFrom(const SettingsSection& shortcuts);
void WriteStoredOrder(const std::string& order);
// The order with token appended; text after the last "|" becomes a token of its own first.
std::string OrderWithToken(const std::string& order, const std::string& token);

// A name that can be a section and an order token: not empty, at most 255 characters, no "|" or
// "\", not a kind word, not one of the program's own sections (any letter case), and one the
// settings store can hold.
bool IsStorableName(const std::string& name);
// True when the marker of name in the open "Shortcuts" section is exactly "Installed".
bool IsInstalled(const SettingsSection& shortcuts, const std::string& name);
bool IsNameInstalled(const std::string& name);
// Whether a value of a shortcut's section is stored as a number (the others are texts).
bool IsShortcutNumberValue(const std::string& name);
// The run style a stored number stands for.
RunStyle RunStyleOf(int stored);
// Reads the values of an application shortcut's section into item (Name is not touched).
void ReadApplicationValues(const std::string& name, ShortcutItem& item);
// Writes the marker and the values of an application item.
void WriteApplicationItem(const ShortcutItem& item);
// Deletes an application item's marker and section.
void DeleteApplicationData(const std::string& name);
