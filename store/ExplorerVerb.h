// The "Add to Velkator" verb Explorer offers on programs (QuickNew). It is written under the
// current user's classes, for the file type the ".exe" extension names: writing through the
// merged classes root would go to the machine's classes, which a normal user cannot change.
// A portable copy (see SettingsStore::IsPortable) neither writes nor removes it.
#pragma once
#include <string>

// Writes the verb with menuText (the language's "advQuickNewMenu"), its command line
// "<program> /n <file>" and its DDE command [new("<file>")]. Nothing is written when ".exe" names
// no type or the type has no shell key.
void WriteQuickNewVerb(const std::string& menuText);
// Removes what WriteQuickNewVerb wrote; removing a verb that is not there changes nothing.
void RemoveQuickNewVerb();
