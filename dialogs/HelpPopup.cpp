#include "dialogs/HelpPopup.h"
#include "dialogs/ContextHelp.h"
#include "framework/Handles.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"

std::string HelpPopupText;
const char* const HelpPopupClassName = "Velkator:HelpWnd";

namespace {
const int kWrapWidth = 256;
const int kShadow = 6;
const int kMargin = 4;
const UINT kWhatsThisCommand = 101;
// Help texts are plain sentences: an "&" is shown, not taken as a mnemonic.
const UINT kTextFormat = DT_WORDBREAK | DT_NOPREFIX;

// The tip on screen, so a new request replaces it instead of stacking a second one.
HWND g_openPopup = nullptr;
// Each tip keeps a copy of the screen it covers: under Wine and on composited desktops a
// window that is never erased starts out black, not with the screen beneath it.
const char* const kBeneathProperty = "Velkator.Beneath";

HINSTANCE ProgramInstance() {
    return TheApp() ? TheApp()->m_hInstance : GetModuleHandleA(nullptr);
}

bool RegisterPopupClass(HINSTANCE instance) {
    WNDCLASSA known;
    if (GetClassInfoA(instance, HelpPopupClassName, &known)) return true;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_PARENTDC | CS_SAVEBITS;
    windowClass.lpfnWndProc = &HelpPopupWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // No background brush: the shadow strips are never erased, only darkened.
    windowClass.lpszClassName = HelpPopupClassName;
    return RegisterClassA(&windowClass) != 0;
}

// The "What's This?" menu at the cursor; true when its entry was chosen.
bool AskWhatsThis(HWND control) {
    POINT cursor;
    GetCursorPos(&cursor);
    std::string text = GetText("hlpWhatsThis");
    OwnedMenu menu(CreatePopupMenu());
    if (!menu) return false;
    AppendMenuA(menu.get(), MF_STRING, kWhatsThisCommand, text.c_str());
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

// Puts the saved screen back under the shadow strips before they are darkened.
void RestoreBeneath(HWND window, HDC dc, const RECT& r) {
    HBITMAP beneath = static_cast<HBITMAP>(GetPropA(window, kBeneathProperty));
    HDC memory = beneath ? CreateCompatibleDC(dc) : nullptr;
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, beneath);
    BitBlt(dc, r.right - kShadow, r.top, kShadow, r.bottom - r.top, memory, r.right - kShadow, r.top, SRCCOPY);
    BitBlt(dc, r.left, r.bottom - kShadow, r.right - r.left, kShadow, memory, r.left, r.bottom - kShadow, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void PaintPopup(HWND window) {
    OwnedBitmap checkerboard(LoadBitmapA(ProgramInstance(), MAKEINTRESOURCEA(IDB_CHECKERBOARD)));
    OwnedBrush pattern(checkerboard ? CreatePatternBrush(checkerboard.get()) : nullptr);
    OwnedBrush infoBackground(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT r;
    GetClientRect(window, &r);
    RestoreBeneath(window, dc, r);

    // A monochrome pattern paints its 0 bits in the text colour and its 1 bits in the
    // background colour; ANDed with the screen, black darkens every other pixel and white keeps it.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(dc, pattern ? static_cast<HGDIOBJ>(pattern.get()) : GetStockObject(NULL_BRUSH));
    const DWORD destinationAndPattern = 0x00A000C9;
    PatBlt(dc, r.right - kShadow, r.top + kShadow, kShadow, r.bottom - r.top - 2 * kShadow, destinationAndPattern);
    PatBlt(dc, r.left + kShadow, r.bottom - kShadow, r.right - r.left - kShadow, kShadow, destinationAndPattern);
    SelectObject(dc, oldBrush);

    r.right -= kShadow;
    r.bottom -= kShadow;
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
    FillRect(dc, &r, infoBackground.get());
    InflateRect(&r, -kMargin, -kMargin);

    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(dc, HelpPopupText.c_str(), -1, &r, kTextFormat);
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}
}  // namespace

SIZE MeasureHelpPopup(HDC dc, const std::string& text) {
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    RECT r = {0, 0, kWrapWidth, 0};
    DrawTextA(dc, text.c_str(), -1, &r, kTextFormat | DT_CALCRECT);
    SelectObject(dc, oldFont);
    // Shadow 6, and on each side a 1-pixel frame and a 4-pixel margin.
    r.right += 2 * (1 + kMargin) + kShadow;
    r.bottom += 2 * (1 + kMargin) + kShadow;
    AdjustWindowRectEx(&r, WS_POPUP | WS_VISIBLE, FALSE, WS_EX_TOOLWINDOW);
    SIZE size = {r.right - r.left, r.bottom - r.top};
    return size;
}

RECT PlaceHelpPopup(const RECT& control, SIZE size, SIZE screen) {
    int left = control.left - size.cx / 2;
    int top = (control.top + control.bottom) / 2;
    // An edge before the screen's start is moved onto it; only otherwise is the far edge pulled back.
    if (left < 0)
        left = 0;
    else if (left + size.cx > screen.cx)
        left = screen.cx - size.cx;
    if (top < 0)
        top = 0;
    else if (top + size.cy > screen.cy)
        top = screen.cy - size.cy;
    RECT placed = {left, top, left + size.cx, top + size.cy};
    return placed;
}

void ShowContextHelp(HWND control, bool askFirst, const HelpTableEntry* table) {
    int controlId = control ? GetDlgCtrlID(control) : 0;
    if (controlId < 1) return;  // no control, e.g. the dialog window itself
    if (askFirst && !AskWhatsThis(control)) return;

    HelpPopupText = GetText(FindHelpKey(table, static_cast<UINT>(controlId)));

    RECT controlRect;
    GetWindowRect(control, &controlRect);
    HDC dc = GetDC(control);
    if (!dc) return;
    SIZE size = MeasureHelpPopup(dc, HelpPopupText);
    ReleaseDC(control, dc);
    SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT placed = PlaceHelpPopup(controlRect, size, screen);

    HINSTANCE instance = ProgramInstance();
    if (!RegisterPopupClass(instance)) return;
    if (g_openPopup) DestroyWindow(g_openPopup);
    // What an old tip or the menu covered draws itself again before the screen is copied;
    // the system may not have marked that area for repainting yet.
    RedrawWindow(GetAncestor(control, GA_ROOT), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HBITMAP beneath = CopyScreen(placed);
    // The text as window title too, so that screen readers can announce the tip.
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, HelpPopupClassName, HelpPopupText.c_str(), WS_POPUP | WS_VISIBLE,
                                 placed.left, placed.top, size.cx, size.cy, GetDesktopWindow(), nullptr, instance,
                                 nullptr);
    if (!popup) {
        if (beneath) DeleteObject(beneath);
        return;
    }
    // In time for the first paint, which comes from the message queue.
    if (beneath) SetPropA(popup, kBeneathProperty, beneath);
    g_openPopup = popup;
    // With the capture, the click that closes the tip reaches no other window.
    SetCapture(popup);
}

LRESULT CALLBACK HelpPopupWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return CallWithoutThrowing([&] {
            PaintPopup(window);
            return 0;
        });
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (another program came forward): the tip goes too.
        if (reinterpret_cast<HWND>(lParam) != window) PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_CLOSE:
        if (GetCapture() == window) ReleaseCapture();
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        if (g_openPopup == window) g_openPopup = nullptr;
        if (HANDLE beneath = RemovePropA(window, kBeneathProperty)) DeleteObject(beneath);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
