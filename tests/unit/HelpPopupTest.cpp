// The context-help tip: its size and place, what it shows, how it closes, and its shadow.
#include "DialogRobot.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "lang/Language.h"
#include <gtest/gtest.h>
#include <string>

namespace {
const SIZE kScreen = {1024, 768};

HWND FindPopup() {
    return FindWindowA(HelpPopupClassName, nullptr);
}

// A topmost plain window with one button of the given id at (controlX, controlY) in it.
struct ControlHost {
    HWND host, control;
    ControlHost(int x, int y, int width, int height, int controlId, int controlX = 0, int controlY = 0)
        : host(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                               height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)),
          control(CreateWindowA("BUTTON", "Control", WS_CHILD | WS_VISIBLE, controlX, controlY, 60, 20, host,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleA(nullptr),
                                nullptr)) {
        UpdateWindow(host);
    }
    ~ControlHost() { DestroyWindow(host); }
};
}  // namespace

TEST(HelpPopupPlacement, HangsFromTheMiddleOfTheControlsLeftEdgeAndStaysOnTheScreen) {
    const struct { RECT control; SIZE size; RECT expected; } cases[] = {
        {{100, 200, 180, 221}, {121, 40}, {40, 210, 161, 250}},  // 100 - 121 / 2, (200 + 221) / 2
        {{10, 100, 70, 120}, {120, 40}, {0, 110, 120, 150}},     // left edge
        {{1000, 100, 1020, 120}, {120, 40}, {904, 110, 1024, 150}},  // right edge
        {{300, 740, 360, 760}, {120, 40}, {240, 728, 360, 768}},     // bottom edge
        {{300, -80, 360, -60}, {120, 40}, {240, 0, 360, 40}},        // top edge
        {{500, 100, 560, 120}, {1100, 40}, {0, 110, 1100, 150}},     // wider than the screen: its start shows
    };
    for (const auto& c : cases) {
        const RECT placed = PlaceHelpPopup(c.control, c.size, kScreen);
        EXPECT_TRUE(EqualRect(&c.expected, &placed)) << "control at " << c.control.left << "," << c.control.top;
    }
}

TEST(HelpPopupSize, ShortTextGetsItsOwnWidthAndLongTextWrapsAt256Pixels) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SIZE word;
    GetTextExtentPoint32A(dc, "Short", 5, &word);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    const SIZE shortBox = MeasureHelpPopup(dc, "Short");
    EXPECT_EQ(word.cx + 16, shortBox.cx);  // frame, margins and shadow
    EXPECT_EQ(metrics.tmHeight + 16, shortBox.cy);
    std::string longText;
    for (int i = 0; i < 30; ++i) longText += "words ";
    const SIZE longBox = MeasureHelpPopup(dc, longText);
    EXPECT_LE(longBox.cx, 256 + 16);
    EXPECT_GT(longBox.cx, 200 + 16);
    EXPECT_GE(longBox.cy, 3 * metrics.tmHeight + 16);  // 180 characters do not fit on two lines
    EXPECT_EQ(0, (longBox.cy - 16) % metrics.tmHeight);
    EXPECT_GT(MeasureHelpPopup(dc, "A&B").cx, MeasureHelpPopup(dc, "AB").cx);  // "&" is text, not a mnemonic
    ReleaseDC(nullptr, dc);
}

TEST(HelpPopup, ShowsTheControlsHelpOnTheScreenUntilAKeyOrClickOrLostMouse) {
    ControlHost host(0, 768 - 20, 200, 20, IDCANCEL);  // in the bottom-left corner of the screen
    ShowContextHelp(host.control, false, nullptr);
    HWND popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(GetText("hlpCancel"), HelpPopupText);
    EXPECT_EQ(popup, GetCapture());
    EXPECT_TRUE(GetWindowLongPtrA(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    HDC dc = GetDC(nullptr);
    const SIZE size = MeasureHelpPopup(dc, HelpPopupText);
    ReleaseDC(nullptr, dc);
    RECT placed, clamped = {0, 768 - size.cy, size.cx, 768};
    GetWindowRect(popup, &placed);
    EXPECT_TRUE(EqualRect(&clamped, &placed));

    // A second request replaces the tip rather than adding one.
    ShowContextHelp(host.control, false, nullptr);
    EXPECT_FALSE(IsWindow(popup));
    popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(popup, GetCapture());
    for (UINT press : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        ShowContextHelp(host.control, false, nullptr);
        popup = FindPopup();
        ASSERT_NE(nullptr, popup);
        SendMessageA(popup, press, 0, MAKELPARAM(500, 500));
        EXPECT_FALSE(IsWindow(popup)) << "message " << press;
        EXPECT_EQ(nullptr, GetCapture()) << "message " << press;
    }
    ShowContextHelp(host.control, false, nullptr);
    popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    SetCapture(host.host);  // as when another program comes forward
    PumpMessages(50);
    EXPECT_FALSE(IsWindow(popup));
    ReleaseCapture();

    ControlHost withoutId(300, 200, 200, 100, 0);
    ShowContextHelp(withoutId.control, false, nullptr);
    ShowContextHelp(withoutId.host, false, nullptr);
    EXPECT_EQ(nullptr, FindPopup());
}

// The shadow darkens every other pixel of what lay beneath. Under Wine a window that is never
// erased starts out black, which once made the whole shadow black.
TEST(HelpPopup, ShadowIsACheckerboardOverWhatLayBeneath) {
    ControlHost host(200, 150, 500, 250, IDOK, 250, 50);
    ShowContextHelp(host.control, false, nullptr);
    HWND popup = FindPopup();
    ASSERT_NE(nullptr, popup);
    UpdateWindow(popup);
    PumpMessages(100);
    RECT r;
    GetWindowRect(popup, &r);
    const int w = r.right - r.left, h = r.bottom - r.top, shadow = 6;
    int cells[2] = {}, black[2] = {}, beneath[2] = {};  // by checkerboard colour, (x + y) % 2
    HDC screen = GetDC(nullptr);
    const COLORREF hostColour = GetPixel(screen, 200 + 2, 150 + 2);
    EXPECT_NE(RGB(0, 0, 0), hostColour) << "a black host would hide a black shadow";
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!((x >= w - shadow && y >= shadow) || (y >= h - shadow && x >= shadow))) continue;
            const COLORREF pixel = GetPixel(screen, r.left + x, r.top + y);
            ++cells[(x + y) % 2];
            black[(x + y) % 2] += pixel == RGB(0, 0, 0);
            beneath[(x + y) % 2] += pixel == hostColour;
        }
    ReleaseDC(nullptr, screen);
    SendMessageA(popup, WM_CLOSE, 0, 0);
    const int dark = black[1] > black[0] ? 1 : 0;
    EXPECT_GT(cells[dark], 0);
    EXPECT_EQ(cells[dark], black[dark]);
    EXPECT_EQ(cells[1 - dark], beneath[1 - dark]) << "the shadow hides what lay beneath";
}
