// The registry layout of the shortcuts, under the application's profile key:
//   Shortcuts\Order        "token|token|..." in tray order (names, or kind words for special items)
//   Shortcuts\<Name>       "Installed" for every application shortcut
//   <Name>\Path, Startup, IconPath, Arguments (texts), Prompt, Style (numbers)
// Each change is written at once by the operation that makes it.
#pragma once
#include "store/ShortcutTable.h"
#include <string>
#include <vector>

extern const char* const ShortcutsSection;
extern const char* const OrderValue;
extern const char* const InstalledMarker;

std::string ReadOrder();
void WriteOrder(const std::string& order);
// Splits an order text into its tokens; text after the last "|" is not a token.
std::vector<std::string> SplitOrder(const std::string& order);

class RegistryKey;
// True when the marker of name in the open "Shortcuts" key is exactly "Installed".
bool IsInstalled(const RegistryKey& shortcuts, const std::string& name);
// Reads the six values of an application shortcut's section into item (Name is not touched).
void ReadApplicationValues(const std::string& name, ShortcutItem& item);

// Saving an application item: marker and section; a new item's token is appended to the order.
void SaveApplicationItem(const ShortcutItem& item, bool isNew);
// Renaming: the old marker and section go, the new ones are written, the token is replaced.
void RenameApplicationItem(const std::string& oldName, const ShortcutItem& item);
// Deleting an application item's marker and section (the order is rebuilt by the caller).
void DeleteApplicationData(const std::string& name);
// Appends a token and "|" to the stored order.
void AppendOrderToken(const std::string& token);

// The order text of the records in use, plus the stored tokens that did not fit the table.
std::string BuildOrderText();
void RewriteOrder();
// Writes the rebuilt order only when it differs from the stored one.
void WriteOrderIfChanged();

// Stored order text that follows the tokens loaded into a full table; kept so that
// rebuilding the order never drops shortcuts the table had no room for.
extern std::string UnloadedOrderTail;
