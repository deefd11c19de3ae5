// Shows a translated message in the program's message box and returns the button chosen.
#pragma once
#include <windows.h>
#include <initializer_list>

// The title is the text of titleKey, else of key + "Title", else "Velkator". The text is key
// formatted with the arguments (%1..%9); a key the library cannot format shows nothing and
// gives IDOK. Otherwise the result is IDOK, IDCANCEL, IDYES or IDNO (-1: the box could not be
// made). style: 0 or 16 or 48 for OK alone (no icon, stop, warning), 36 for a Yes/No question.
// Call it with literal keys, so the key check finds them.
int ShowMessage(const char* key, UINT style, const char* titleKey = nullptr,
                std::initializer_list<const char*> arguments = {});

// The title used when the language gives none.
extern const char* const ProgramTitle;
