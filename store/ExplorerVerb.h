// The "Add to Velkator" verb Explorer offers on every file and folder (QuickNew). It is written
// under the current user's classes, for all files ("*") and for folders ("Directory"): writing
// through the merged classes root would go to the machine's classes, which a normal user cannot
// change.
// A portable copy (see SettingsStore::IsPortable) neither writes nor removes it.
#pragma once
#include <string>

// Writes the verb with menuText (the language's "advQuickNewMenu"), its command line
// "<program> /n <file>" and its DDE command [new("<file>")], and removes the one earlier
// versions wrote for programs only, which would show the verb twice on a program.
void WriteQuickNewVerb(const std::string& menuText);
// Removes every verb WriteQuickNewVerb or an earlier version wrote; removing a verb that is not
// there changes nothing.
void RemoveQuickNewVerb();
