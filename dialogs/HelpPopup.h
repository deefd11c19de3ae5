// The "What's This?" tip: a pale box with a black frame and a dithered shadow holding one
// sentence about one control, shown beside it until the next key or mouse press.
#pragma once
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include <string>

struct HelpTableEntry;
class CHelpTip;
// Shows the help text of control (looked up in table, then DefaultHelpTable) in tip. With askFirst
// (a right click) a one-entry "What's This?" menu comes first, and dismissing it shows nothing.
void ShowContextHelp(HWND control, bool askFirst, const HelpTableEntry* table, CHelpTip& tip);

// Screen rectangle of a tip of the given size beside a control: centred on the middle of the
// control's left edge and hanging below it, kept inside area (the work area of its monitor).
RECT PlaceHelpPopup(const RECT& control, SIZE size, const RECT& area);

// One dialog's tip; the window goes at the latest with the object.
class CHelpTip : public CWnd {
public:
    static const char* const ClassName;  // "Velkator:HelpWnd"
    CHelpTip() = default;
    ~CHelpTip() override;
    // Shows text beside control in place of any tip this thread shows.
    void Show(HWND control, const std::string& text);

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The window size for the text: lines wrap at 256 pixels (at 96 DPI), plus frame, margins
    // and shadow.
    SIZE Measure();
    void Paint();
    void RestoreBeneath(HDC dc, const RECT& client);

    std::string m_text;
    UINT m_dpi = 96;
    int m_shadow = 6, m_margin = 4;
    OwnedFont m_font;  // the system's message font at the DPI of the control's monitor
    // The screen the tip covers: under Wine and on composited desktops a window that is never
    // erased starts out black, not with the screen beneath it.
    OwnedBitmap m_beneath;
};
