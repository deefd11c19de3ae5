#include "dialogs/HelpPopup.h"
#include "dialogs/ContextHelp.h"
#include "framework/Display.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"

const char* const CHelpTip::ClassName = "Velkator:HelpWnd";

namespace {
const UINT WhatsThisCommand = 101;
// Help texts are plain sentences: an "&" is shown, not taken as a mnemonic.
const UINT TextFormat = DT_WORDBREAK | DT_NOPREFIX;

bool RegisterTipClass(HINSTANCE instance) {
    WNDCLASSA known;
    if (GetClassInfoA(instance, CHelpTip::ClassName, &known)) return true;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
    windowClass.lpfnWndProc = &CWnd::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // No background brush: the shadow strips are never erased, only darkened.
    windowClass.lpszClassName = CHelpTip::ClassName;
    return RegisterClassA(&windowClass) != 0;
}

// The "What's This?" menu at the cursor; true when its entry was chosen.
bool AskWhatsThis(HWND control) {
    POINT cursor;
    GetCursorPos(&cursor);
    std::string text = GetText("hlpWhatsThis");
    OwnedMenu menu(CreatePopupMenu());
    if (!menu) return false;
    AppendMenuA(menu.get(), MF_STRING, WhatsThisCommand, text.c_str());
    // With TPM_RETURNCMD the choice is returned; no WM_COMMAND reaches any window.
    return TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, cursor.x, cursor.y, 0, control, nullptr) != 0;
}

HBITMAP CopyScreen(const RECT& area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP copy = memory ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (copy) {
        HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        SelectObject(memory, old);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copy;
}

BOOL CALLBACK CloseTipsOfThread(HWND window, LPARAM) {
    char name[32] = "";
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, CHelpTip::ClassName) == 0) DestroyWindow(window);
    return TRUE;
}
}  // namespace

RECT PlaceHelpPopup(const RECT& control, SIZE size, const RECT& area) {
    LONG left = control.left - size.cx / 2;
    LONG top = (control.top + control.bottom) / 2;
    // An edge before the area's start is moved onto it; only otherwise is the far edge pulled back.
    if (left < area.left)
        left = area.left;
    else if (left + size.cx > area.right)
        left = area.right - size.cx;
    if (top < area.top)
        top = area.top;
    else if (top + size.cy > area.bottom)
        top = area.bottom - size.cy;
    RECT placed = {left, top, left + size.cx, top + size.cy};
    return placed;
}

void ShowContextHelp(HWND control, bool askFirst, const HelpTableEntry* table, CHelpTip& tip) {
    int controlId = control ? GetDlgCtrlID(control) : 0;
    if (controlId < 1) return;  // no control, e.g. the dialog window itself
    if (askFirst && !AskWhatsThis(control)) return;
    tip.Show(control, GetText(FindHelpKey(table, static_cast<UINT>(controlId))));
}

CHelpTip::~CHelpTip() {
    DestroyWindow();
}

void CHelpTip::Show(HWND control, const std::string& text) {
    HINSTANCE instance = ProgramInstance();
    if (!RegisterTipClass(instance)) return;
    EnumThreadWindows(GetCurrentThreadId(), &CloseTipsOfThread, 0);
    m_text = text;
    m_dpi = WindowDpi(control);
    m_shadow = ScaleForDpi(6, m_dpi);
    m_margin = ScaleForDpi(4, m_dpi);
    NONCLIENTMETRICSW metrics;
    m_font.reset(NonClientMetricsForDpi(metrics, m_dpi) ? CreateFontIndirectW(&metrics.lfMessageFont) : nullptr);
    RECT controlRect;
    GetWindowRect(control, &controlRect);
    const SIZE size = Measure();
    const MONITORINFO monitor = MonitorInfoOf(MonitorFromWindow(control, MONITOR_DEFAULTTONEAREST));
    const RECT placed = PlaceHelpPopup(controlRect, size, monitor.rcWork);
    // What an old tip or the menu covered draws itself again before the screen is copied;
    // the system may not have marked that area for repainting yet.
    RedrawWindow(GetAncestor(control, GA_ROOT), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_beneath.reset(CopyScreen(placed));
    // The text as window title too, so that screen readers can announce the tip. With the capture,
    // the click that closes it reaches no other window.
    if (CreateEx(WS_EX_TOOLWINDOW, ClassName, text.c_str(), WS_POPUP | WS_VISIBLE, placed.left, placed.top, size.cx,
                 size.cy, GetDesktopWindow(), nullptr))
        SetCapture(m_hWnd);
}

SIZE CHelpTip::Measure() {
    RECT r = {0, 0, ScaleForDpi(256, m_dpi), 0};
    if (HDC dc = GetDC(nullptr)) {
        HGDIOBJ oldFont = SelectObject(dc, m_font ? static_cast<HGDIOBJ>(m_font.get()) : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, m_text.c_str(), -1, &r, TextFormat | DT_CALCRECT);
        SelectObject(dc, oldFont);
        ReleaseDC(nullptr, dc);
    }
    // The shadow, and on each side a 1-pixel frame and the margin.
    r.right += 2 * (1 + m_margin) + m_shadow;
    r.bottom += 2 * (1 + m_margin) + m_shadow;
    AdjustWindowRectEx(&r, WS_POPUP | WS_VISIBLE, FALSE, WS_EX_TOOLWINDOW);
    const SIZE size = {r.right - r.left, r.bottom - r.top};
    return size;
}

// Puts the saved screen back under the shadow strips before they are darkened.
void CHelpTip::RestoreBeneath(HDC dc, const RECT& r) {
    HDC memory = m_beneath ? CreateCompatibleDC(dc) : nullptr;
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, m_beneath.get());
    BitBlt(dc, r.right - m_shadow, r.top, m_shadow, r.bottom - r.top, memory, r.right - m_shadow, r.top, SRCCOPY);
    BitBlt(dc, r.left, r.bottom - m_shadow, r.right - r.left, m_shadow, memory, r.left, r.bottom - m_shadow, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void CHelpTip::Paint() {
    OwnedBitmap checkerboard(LoadBitmapA(ProgramInstance(), MAKEINTRESOURCEA(IDB_CHECKERBOARD)));
    OwnedBrush pattern(checkerboard ? CreatePatternBrush(checkerboard.get()) : nullptr);
    OwnedBrush infoBackground(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT r;
    GetClientRect(m_hWnd, &r);
    RestoreBeneath(dc, r);

    // A monochrome pattern paints its 0 bits in the text colour and its 1 bits in the
    // background colour; ANDed with the screen, black darkens every other pixel and white keeps it.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(dc, pattern ? static_cast<HGDIOBJ>(pattern.get()) : GetStockObject(NULL_BRUSH));
    const DWORD destinationAndPattern = 0x00A000C9;
    PatBlt(dc, r.right - m_shadow, r.top + m_shadow, m_shadow, r.bottom - r.top - 2 * m_shadow, destinationAndPattern);
    PatBlt(dc, r.left + m_shadow, r.bottom - m_shadow, r.right - r.left - m_shadow, m_shadow, destinationAndPattern);
    SelectObject(dc, oldBrush);

    r.right -= m_shadow;
    r.bottom -= m_shadow;
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
    FillRect(dc, &r, infoBackground.get());
    InflateRect(&r, -m_margin, -m_margin);

    HGDIOBJ oldFont = SelectObject(dc, m_font ? static_cast<HGDIOBJ>(m_font.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(dc, m_text.c_str(), -1, &r, TextFormat);
    SelectObject(dc, oldFont);
    EndPaint(m_hWnd, &paint);
}

bool CHelpTip::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_PAINT:
        Paint();
        return true;
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (another program came forward): the tip goes too.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        return true;
    case WM_CLOSE:
        if (GetCapture() == m_hWnd) ReleaseCapture();
        DestroyWindow();
        return true;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
}
