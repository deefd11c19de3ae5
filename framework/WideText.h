// The one place where text changes encoding. The program's own text is in the ANSI code page,
// which the manifest makes UTF-8; wide calls take UTF-16; settings stored by older versions
// hold bytes of the system's legacy ANSI code page. No conversion passes flags: for UTF-8 the
// system accepts only 0 (and MB_ERR_INVALID_CHARS, which only the UTF-8 check uses), and 0 is
// valid for every code page.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Wide text for the wide calls, ended by a zero. (Not std::wstring: that alone would bring a
// copy of the library's wide strings into the program.)
using WideChars = std::vector<wchar_t>;

WideChars ToWide(const std::string& text, UINT codePage = CP_ACP);
std::string FromWide(const wchar_t* text, size_t length, UINT codePage = CP_ACP);
// Bytes of one code page as bytes of another (a character the target lacks becomes its default).
std::string Recode(const std::string& text, UINT from, UINT to);
// Whether the bytes are whole UTF-8 (an empty text is).
bool IsUtf8(const std::string& bytes);
// The ANSI code page of the system as programs without the UTF-8 manifest see it.
UINT LegacyCodePage();
// What edit controls count as characters: the text's length in UTF-16 units.
size_t WideLength(const std::string& text);
