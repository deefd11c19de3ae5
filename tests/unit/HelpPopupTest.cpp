// The context-help tip: its size and place, what it shows, how it closes, and its drawing.
#include "DialogRobot.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "lang/Language.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
const SIZE kScreen = {1024, 768};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

HWND FindPopup() {
    return FindWindowA(HelpPopupClassName, nullptr);
}

// A plain top-level window filled with one colour, with one button of the given id at
// (controlX, controlY) in it, so what lies beneath the tip is known.
class ControlHost {
public:
    ControlHost(int x, int y, int width, int height, int controlId, int controlX = 0, int controlY = 0,
                COLORREF background = RGB(0, 160, 0))
        : m_brush(CreateSolidBrush(background)) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &HostProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HelpPopupTestHost";
        RegisterClassA(&windowClass);  // fails harmlessly when already known
        host = CreateWindowExA(WS_EX_TOPMOST, "HelpPopupTestHost", "", WS_POPUP | WS_CLIPCHILDREN, x, y, width,
                               height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_brush));
        control = CreateWindowA("BUTTON", "Control", WS_CHILD | WS_VISIBLE, controlX, controlY, 60, 20, host,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleA(nullptr),
                                nullptr);
        ShowWindow(host, SW_SHOW);
        UpdateWindow(host);
    }
    ~ControlHost() {
        DestroyWindow(host);
        DeleteObject(m_brush);
    }
    RECT ControlRect() const {
        RECT r;
        GetWindowRect(control, &r);
        return r;
    }
    HWND host, control;

private:
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_ERASEBKGND) {
            RECT r;
            GetClientRect(window, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, reinterpret_cast<HBRUSH>(GetWindowLongPtrA(window, GWLP_USERDATA)));
            return 1;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HBRUSH m_brush;
};

// The screen's pixels inside rect, top-down, one 0x00RRGGBB value each.
std::vector<DWORD> CaptureScreen(const RECT& rect) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

DWORD Rgb(COLORREF colour) {  // COLORREF is 0x00BBGGRR, DIB pixels 0x00RRGGBB
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}
}  // namespace

TEST(HelpPopupPlacement, HangsBelowTheMiddleOfTheControlsLeftEdge) {
    RECT control = {100, 200, 180, 221};
    RECT placed = PlaceHelpPopup(control, SIZE{121, 40}, kScreen);
    EXPECT_TRUE(SameRect(RECT{40, 210, 161, 250}, placed));  // 100 - 121/2, (200 + 221)/2
}

TEST(HelpPopupPlacement, StaysOnTheScreenAtEveryEdge) {
    SIZE size = {120, 40};
    EXPECT_EQ(0, PlaceHelpPopup(RECT{10, 100, 70, 120}, size, kScreen).left);
    EXPECT_EQ(0, PlaceHelpPopup(RECT{-30, 100, 70, 120}, size, kScreen).left);
    EXPECT_EQ(1024 - 120, PlaceHelpPopup(RECT{1000, 100, 1020, 120}, size, kScreen).left);
    RECT bottom = PlaceHelpPopup(RECT{300, 740, 360, 760}, size, kScreen);
    EXPECT_EQ(768, bottom.bottom);
    EXPECT_EQ(768 - 40, bottom.top);
    EXPECT_EQ(0, PlaceHelpPopup(RECT{300, -80, 360, -60}, size, kScreen).top);
    // A box wider than the screen keeps its start visible.
    EXPECT_EQ(0, PlaceHelpPopup(RECT{500, 100, 560, 120}, SIZE{1100, 40}, kScreen).left);
}

TEST(HelpPopupSize, ShortTextGetsItsOwnWidthAndLongTextWrapsAt256Pixels) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SIZE word;
    GetTextExtentPoint32A(dc, "Short", 5, &word);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);

    SIZE shortBox = MeasureHelpPopup(dc, "Short");
    EXPECT_EQ(word.cx + 16, shortBox.cx);
    EXPECT_EQ(metrics.tmHeight + 16, shortBox.cy);

    std::string longText;
    for (int i = 0; i < 30; ++i) longText += "words ";
    SIZE longBox = MeasureHelpPopup(dc, longText);
    EXPECT_LE(longBox.cx, 256 + 16);
    EXPECT_GT(longBox.cx, 200 + 16);
    EXPECT_GE(longBox.cy, 3 * metrics.tmHeight + 16);  // 180 characters do not fit on two lines
    EXPECT_EQ(0, (longBox.cy - 16) % metrics.tmHeight);
    // "&" is text here, not a mnemonic marker.
    EXPECT_GT(MeasureHelpPopup(dc, "A&B").cx, MeasureHelpPopup(dc, "AB").cx);
    ReleaseDC(nullptr, dc);
}

TEST(HelpPopup, ShowsTheControlsTextBesideItAndHoldsTheMouse) {
    ControlHost host(300, 200, 200, 100, IDCANCEL);
    ShowContextHelp(host.control, false, nullptr);
    HWND popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(GetText("hlpCancel"), HelpPopupText);
    EXPECT_FALSE(HelpPopupText.empty());
    EXPECT_EQ(popup, GetCapture());
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_TRUE(GetWindowLongPtrA(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    HDC dc = GetDC(host.control);
    SIZE size = MeasureHelpPopup(dc, HelpPopupText);
    ReleaseDC(host.control, dc);
    RECT actual;
    GetWindowRect(popup, &actual);
    EXPECT_TRUE(SameRect(PlaceHelpPopup(host.ControlRect(), size, kScreen), actual));
    EXPECT_EQ(300 - size.cx / 2, actual.left);
    EXPECT_EQ(210, actual.top);

    // A second request replaces the tip rather than adding one.
    ShowContextHelp(host.control, false, nullptr);
    HWND second = FindPopup();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(second, GetCapture());

    SendMessageA(second, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_NE(second, GetCapture());
}

TEST(HelpPopup, AnyMouseButtonClosesIt) {
    ControlHost host(300, 200, 200, 100, IDOK);
    for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        ShowContextHelp(host.control, false, nullptr);
        HWND popup = FindPopup();
        ASSERT_NE(nullptr, popup);
        SendMessageA(popup, press, 0, MAKELPARAM(500, 500));
        EXPECT_FALSE(IsWindow(popup)) << "button message " << press;
        EXPECT_EQ(nullptr, GetCapture());
    }
}

TEST(HelpPopup, LosingTheMouseToAnotherWindowClosesIt) {
    ControlHost host(300, 200, 200, 100, IDOK);
    ShowContextHelp(host.control, false, nullptr);
    HWND popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    SetCapture(host.host);
    PumpMessages(50);
    EXPECT_FALSE(IsWindow(popup));
    ReleaseCapture();
}

TEST(HelpPopup, ClampedAtTheLeftAndBottomScreenEdges) {
    ControlHost host(0, 768 - 20, 200, 20, IDOK);
    ShowContextHelp(host.control, false, nullptr);
    HWND popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    RECT placed;
    GetWindowRect(popup, &placed);
    EXPECT_EQ(0, placed.left);
    EXPECT_EQ(768, placed.bottom);
    SendMessageA(popup, WM_CLOSE, 0, 0);
}

TEST(HelpPopup, ControlWithoutIdShowsNothing) {
    ControlHost host(300, 200, 200, 100, 0);
    ShowContextHelp(host.control, false, nullptr);
    EXPECT_EQ(nullptr, FindPopup());
    ShowContextHelp(host.host, false, nullptr);
    EXPECT_EQ(nullptr, FindPopup());
}

// Pale box, black frame, and a checkerboard shadow that darkens every other pixel of what lay beneath.
TEST(HelpPopup, DrawsFrameBoxAndCheckerboardShadowOverWhatLayBeneath) {
    const COLORREF beneath = RGB(0, 160, 0);
    ControlHost host(200, 150, 500, 250, IDOK, 250, 50, beneath);
    ShowContextHelp(host.control, false, nullptr);
    HWND popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    UpdateWindow(popup);
    PumpMessages(100);
    RECT r;
    GetWindowRect(popup, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<DWORD> pixels = CaptureScreen(r);
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; };
    SendMessageA(popup, WM_CLOSE, 0, 0);

    const DWORD black = 0, green = Rgb(beneath), info = Rgb(GetSysColor(COLOR_INFOBK));
    // Frame around the box (the box ends 6 pixels before the right and bottom edges).
    EXPECT_EQ(black, at(0, 0));
    EXPECT_EQ(black, at(w - 7, h / 2));
    EXPECT_EQ(black, at(w / 2, h - 7));
    // Inside the frame: the pale info colour (in the margin, where no text is).
    EXPECT_EQ(info, at(1, 1));
    EXPECT_EQ(info, at(w - 8, h - 8));
    // The corners beside the shadow are never painted: the host shows through.
    EXPECT_EQ(green, at(w - 3, 2));
    EXPECT_EQ(green, at(2, h - 3));
    // Right and bottom shadow: a checkerboard of black and the green beneath.
    int blackCount = 0, greenCount = 0;
    for (int y = 6; y < h - 6; ++y)
        for (int x = w - 6; x < w; ++x) {
            DWORD p = at(x, y);
            blackCount += p == black;
            greenCount += p == green;
            if (x > w - 6) {
                EXPECT_NE(p, at(x - 1, y)) << "right shadow at " << x << "," << y;
            }
        }
    for (int y = h - 6; y < h; ++y)
        for (int x = 6; x < w; ++x) {
            DWORD p = at(x, y);
            blackCount += p == black;
            greenCount += p == green;
            if (x > 6) {
                EXPECT_NE(p, at(x - 1, y)) << "bottom shadow at " << x << "," << y;
            }
        }
    EXPECT_GT(blackCount, 0);
    EXPECT_NEAR(blackCount, greenCount, 6);
}
