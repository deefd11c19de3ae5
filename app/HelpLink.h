// The Help command: opens the help target that the language file names, asking first when it
// is a web address.
#pragma once

// prefix: the key of the target's format ("urlHelp"); prefix + "Title" titles the question and
// the error box, prefix + "LinkDesc" describes the target in the question. Call it with a
// literal prefix, so the key check finds the three keys.
void OpenHelpLink(const char* prefix);
