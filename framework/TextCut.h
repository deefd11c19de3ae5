// Cutting text to a byte budget without splitting a character of the ANSI code page
// (double-byte code pages and UTF-8 alike).
#pragma once
#include <windows.h>
#include <string>

// The length of the longest start of text that fits maxBytes, stops before any zero byte and
// ends on a character boundary of codePage (CP_ACP: the process's ANSI code page).
size_t CharacterPrefixLength(const std::string& text, size_t maxBytes, UINT codePage = CP_ACP);
