// Cutting text to a byte budget without splitting a character of the ANSI code page
// (double-byte code pages and UTF-8 alike).
#pragma once
#include <windows.h>
#include <string>

// The length of the longest start of text that fits maxBytes, stops before any zero byte and
// ends on a character boundary of codePage (CP_ACP: the process's ANSI code page).
size_t CharacterPrefixLength(const std::string& text, size_t maxBytes, UINT codePage = CP_ACP);
// The position of path's last backslash that is a character of its own (in a double-byte code
// page the second byte of a character can be one); npos when there is none.
size_t LastBackslash(const std::string& path, UINT codePage = CP_ACP);
