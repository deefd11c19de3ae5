// The "What's This?" tip: a pale box with a black frame and a dithered shadow holding one
// sentence about one control, shown beside it until the next key or mouse press.
#pragma once
#include <windows.h>
#include <string>

struct HelpTableEntry;

// Text of the tip being shown; each request replaces it, the paint handler reads it.
extern std::string HelpPopupText;

extern const char* const HelpPopupClassName;  // "Velkator:HelpWnd"

// Shows the help text of control (looked up in table, then DefaultHelpTable). With askFirst
// (a right click) a one-entry "What's This?" menu comes first, and dismissing it shows nothing.
void ShowContextHelp(HWND control, bool askFirst, const HelpTableEntry* table);

LRESULT CALLBACK HelpPopupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Window size for text drawn in dc's context: lines wrap at 256 pixels, plus frame,
// margins and shadow (16 in each direction).
SIZE MeasureHelpPopup(HDC dc, const std::string& text);

// Screen rectangle of a popup of the given size beside a control: centred on the middle of
// the control's left edge and hanging below it, kept on a screen of the given size.
RECT PlaceHelpPopup(const RECT& control, SIZE size, SIZE screen);
