// The program's side of the language library: one open library handle, and the text
// wrappers every window uses. Keys are plain ("errTitle"); templates carry "$key" texts.
#pragma once
#include <windows.h>
#include <initializer_list>
#include <string>

// Closes the open library (if any) and opens "velko<language>.mlb"; false when there is none.
bool OpenLanguageLibrary(WORD language);
void CloseLanguageLibrary();

std::string GetText(const char* key);
// The key's text with %1..%9 replaced by the arguments (at most 9 are passed).
std::string FormatText(const char* key, std::initializer_list<const char*> arguments = {});
// As FormatText, but false when the library could not format the key.
bool TryFormatText(const char* key, std::initializer_list<const char*> arguments, std::string& text);
void LocaliseDialog(HWND dialog);
void LocaliseMenu(HMENU menu);
