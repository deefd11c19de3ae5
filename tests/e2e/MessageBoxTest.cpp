// The program's message box as a person sees it, and the context-help popup reached from outside:
// F1 on a button, WM_HELP sent to the box, and a right click with "What's This?".
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr const char* kHelpWindowClass = "Velkator:HelpWnd";
constexpr UINT kExitCommand = 32776;
constexpr int kMessageTextId = 1060;
constexpr int kMessageIconId = 1061;
constexpr int kCornerGap = 50;  // the box's distance from the screen's bottom-right corner
constexpr int kShadow = 6;      // width of the popup's shadow strips

// 0x00BBGGRR as the screen shows it, 0xRRGGBB.
DWORD ScreenColour(COLORREF colour) {
    return (static_cast<DWORD>(GetRValue(colour)) << 16) | (static_cast<DWORD>(GetGValue(colour)) << 8) |
           GetBValue(colour);
}

// Where the popup for a control must sit: the text measured in the stock variable font, wrapped at 256
// pixels, plus 16 for frame, margins and shadow; hanging from the middle of the control's left edge,
// centred on that edge, kept on the screen.
RECT ExpectedHelpPopupRect(HWND control, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    RECT size = {0, 0, 256, 0};
    DrawTextA(dc, text.c_str(), -1, &size, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    size.right += 16;
    size.bottom += 16;
    AdjustWindowRectEx(&size, WS_POPUP | WS_VISIBLE, FALSE, WS_EX_TOOLWINDOW);
    const int width = size.right - size.left, height = size.bottom - size.top;
    RECT bounds;
    GetWindowRect(control, &bounds);
    int left = bounds.left - width / 2, top = (bounds.top + bounds.bottom) / 2;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (left + width > screenWidth) left = screenWidth - width;
    if (left < 0) left = 0;
    if (top + height > screenHeight) top = screenHeight - height;
    if (top < 0) top = 0;
    RECT expected = {left, top, left + width, top + height};
    return expected;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

// Checks the popup's drawing: black frame, pale inside with text, and shadow strips in which every
// other pixel is black and the rest still shows what the screen showed before (beforeScreen).
void ExpectPopupDrawing(const Image& popup, const Image& beforeScreen, const RECT& at) {
    ASSERT_FALSE(popup.IsEmpty());
    const int w = popup.width, h = popup.height;
    const DWORD infoBackground = ScreenColour(GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(0u, popup.At(0, 0)) << "no black frame";
    EXPECT_EQ(0u, popup.At(w - kShadow - 1, h - kShadow - 1)) << "no black frame";
    EXPECT_EQ(infoBackground, popup.At(2, 2)) << "not the pale tip colour";
    int textPixels = 0;
    for (int y = 5; y < h - kShadow - 5; ++y)
        for (int x = 5; x < w - kShadow - 5; ++x) textPixels += popup.At(x, y) != infoBackground ? 1 : 0;
    EXPECT_GT(textPixels, 20) << "no text drawn";

    // In the two strips every other pixel is black, in a checkerboard; the others, and the corners
    // beside the strips, still show the screen that lay beneath.
    auto inStrip = [w, h](int x, int y) {
        return (x >= w - kShadow && y >= kShadow) || (y >= h - kShadow && x >= kShadow);
    };
    auto inCorner = [w, h](int x, int y) {
        return (x >= w - kShadow && y < kShadow) || (y >= h - kShadow && x < kShadow);
    };
    int black[2] = {0, 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (inStrip(x, y)) black[(x + y) % 2] += popup.At(x, y) == 0 ? 1 : 0;
    const int darkParity = black[1] > black[0] ? 1 : 0;
    int darkCells = 0, darkMisses = 0, beneathCells = 0, changed = 0;
    RECT changedArea = {w, h, -1, -1};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool strip = inStrip(x, y);
            if (!strip && !inCorner(x, y)) continue;
            if (strip && (x + y) % 2 == darkParity) {
                ++darkCells;
                darkMisses += popup.At(x, y) != 0 ? 1 : 0;
                continue;
            }
            ++beneathCells;
            if (popup.At(x, y) == beforeScreen.At(at.left + x, at.top + y)) continue;
            ++changed;
            const RECT pixel = {x, y, x + 1, y + 1};
            UnionRect(&changedArea, &changedArea, &pixel);
        }
    }
    EXPECT_EQ(0, darkMisses) << "of " << darkCells << " shadow pixels that should be black";
    EXPECT_EQ(0, changed) << "of " << beneathCells << " shadow pixels do not show the screen beneath, within "
                          << Describe(changedArea) << " of the " << w << " x " << h << " popup";
}

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.IsReady()) << folder_.Problem();
        ASSERT_TRUE(english_.IsLoaded());
        ASSERT_TRUE(WriteOrder("Separator|"));
        main_ = StartVelkator(velkator_, folder_);
        ASSERT_NE(nullptr, main_);
    }

    void TearDown() override {
        if (main_ && velkator_.IsRunning()) {
            PostMessageA(main_, WM_CLOSE, 0, 0);
            velkator_.WaitForExit(kDefaultTimeoutMs);
        }
    }

    // The exit question, opened by the command the context menu's Exit sends.
    HWND OpenExitQuestion() {
        PostMessageA(main_, WM_COMMAND, kExitCommand, 0);
        HWND box = WaitForDialog(english_.Text("msgConfirmExitTitle").c_str(), velkator_.Id(), kDefaultTimeoutMs);
        if (box) WaitUntil([box] { return IsWindowVisible(Control(box, IDOK)) != FALSE; }, kDefaultTimeoutMs);
        return box;
    }

    HWND WaitForHelpPopup() { return WaitForWindow(kHelpWindowClass, nullptr, velkator_.Id(), kDefaultTimeoutMs); }

    // The popup must sit beside control, sized for the text of helpKey, and look as designed.
    void ExpectPopupFor(HWND popup, HWND control, const char* helpKey, const Image& beforeScreen) {
        ASSERT_NE(nullptr, popup);
        EXPECT_TRUE(IsWindowVisible(popup));
        Sleep(200);  // let it paint
        const RECT expected = ExpectedHelpPopupRect(control, english_.Text(helpKey));
        RECT shown;
        GetWindowRect(popup, &shown);
        EXPECT_TRUE(EqualRect(&expected, &shown)) << "popup at " << Describe(shown) << ", expected for " << helpKey
                                                  << " at " << Describe(expected);
        ExpectPopupDrawing(CaptureScreenArea(shown), beforeScreen, shown);
    }

    static RECT Around(HWND window, int margin) {
        RECT r;
        GetWindowRect(window, &r);
        InflateRect(&r, margin, margin);
        return r;
    }

    static Image WholeScreen() {
        RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return CaptureScreenArea(screen);
    }

    CleanSettings settings_;
    ProgramFolder folder_{{"velko009.mlb"}};
    Program velkator_;
    HWND main_ = nullptr;
    LanguageTexts english_{"velko009.mlb"};
};

TEST_F(MessageBoxTest, ExitQuestionSitsAtTheLowerRightAndAnswersEscapeAndEnter) {
    HWND box = OpenExitQuestion();
    ASSERT_NE(nullptr, box);
    RECT bounds;
    GetWindowRect(box, &bounds);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - kCornerGap, bounds.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - kCornerGap, bounds.bottom);
    EXPECT_EQ(english_.Text("msgConfirmExit"), ControlText(box, kMessageTextId));
    EXPECT_EQ(IDI_QUESTION, ShownSystemIcon(Control(box, kMessageIconId))) << "not the question icon";
    Sleep(200);
    EXPECT_FALSE(SaveWindowShot(box, "message-box-exit-question").empty());
    EXPECT_FALSE(SaveScreenshot("message-box-exit-question-screen").empty());

    ASSERT_TRUE(PostKey(box, VK_ESCAPE));
    ASSERT_TRUE(WaitForWindowGone(box, kDefaultTimeoutMs));
    EXPECT_FALSE(velkator_.WaitForExit(500)) << "Escape answered Yes";

    box = OpenExitQuestion();
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(PostKey(box, VK_RETURN));
    EXPECT_TRUE(velkator_.WaitForExit(kDefaultTimeoutMs)) << "Enter did not answer Yes";
}

TEST_F(MessageBoxTest, F1OnAButtonOpensItsHelpBesideItAndAnyKeyOrClickClosesIt) {
    HWND box = OpenExitQuestion();
    ASSERT_NE(nullptr, box);
    HWND yes = Control(box, IDOK);
    HWND no = Control(box, IDCANCEL);
    Sleep(200);
    const Image before = WholeScreen();

    ASSERT_TRUE(PressKey(box, VK_F1));  // the focus is on Yes, the first button
    HWND popup = WaitForHelpPopup();
    ASSERT_NE(nullptr, popup) << "F1 opened no help popup";
    ExpectPopupFor(popup, yes, "hlpYes", before);
    EXPECT_FALSE(SaveScreenAreaShot(Around(box, 60), "help-popup-f1").empty());
    EXPECT_FALSE(SaveScreenshot("help-popup-f1-screen").empty());

    ASSERT_TRUE(PressKey(popup, 'A'));
    EXPECT_TRUE(WaitForWindowGone(popup, kDefaultTimeoutMs)) << "a key press left the popup open";
    EXPECT_TRUE(IsWindow(box));

    // A click anywhere closes it and reaches nothing else: here it lands on No, which stays unpressed.
    ASSERT_TRUE(PressKey(box, VK_F1));
    popup = WaitForHelpPopup();
    ASSERT_NE(nullptr, popup);
    const POINT onNo = WindowCentre(no);
    ASSERT_TRUE(ClickAt(onNo.x, onNo.y, MouseButton::Left));
    EXPECT_TRUE(WaitForWindowGone(popup, kDefaultTimeoutMs)) << "a click left the popup open";
    Sleep(300);
    EXPECT_TRUE(IsWindow(box)) << "the click that closed the popup also pressed No";
    EXPECT_TRUE(velkator_.IsRunning());
}

// Wine draws no caption "?" button; WM_HELP sent to the box is what that button would deliver.
TEST_F(MessageBoxTest, WmHelpSentFromOutsideOpensThePopupForThatControl) {
    HWND box = OpenExitQuestion();
    ASSERT_NE(nullptr, box);
    HWND no = Control(box, IDCANCEL);
    Sleep(200);
    const Image before = WholeScreen();

    ASSERT_TRUE(SendHelpRequest(no));
    HWND popup = WaitForHelpPopup();
    ASSERT_NE(nullptr, popup) << "WM_HELP opened no help popup";
    ExpectPopupFor(popup, no, "hlpNo", before);
    EXPECT_FALSE(SaveScreenAreaShot(Around(box, 60), "help-popup-wm-help").empty());

    ASSERT_TRUE(PressKey(popup, 'A'));
    EXPECT_TRUE(WaitForWindowGone(popup, kDefaultTimeoutMs));
    EXPECT_TRUE(IsWindow(box));
}

TEST_F(MessageBoxTest, RightClickAndWhatsThisOpensThePopup) {
    HWND box = OpenExitQuestion();
    ASSERT_NE(nullptr, box);
    HWND yes = Control(box, IDOK);
    const POINT onYes = WindowCentre(yes);

    // Dismissing the menu shows no popup.
    ASSERT_TRUE(ClickAt(onYes.x, onYes.y, MouseButton::Right));
    ASSERT_NE(nullptr, WaitForPopupMenu(kDefaultTimeoutMs, velkator_.Id()))
        << "a right click on a button offered no \"What's This?\"";
    ASSERT_TRUE(CloseMenus());
    Sleep(300);
    EXPECT_EQ(nullptr, FindWindowOfProcess(kHelpWindowClass, nullptr, velkator_.Id()));
    ASSERT_TRUE(IsWindow(box));
    // The right click drew the button with the focus; that is the screen the popup will cover.
    const Image before = WholeScreen();

    Sleep(GetDoubleClickTime() + 100);  // two right clicks on one spot would merge into a double click
    ASSERT_TRUE(ClickAt(onYes.x, onYes.y, MouseButton::Right));
    ASSERT_NE(nullptr, WaitForPopupMenu(kDefaultTimeoutMs, velkator_.Id()));
    Sleep(200);
    EXPECT_FALSE(SaveScreenAreaShot(Around(box, 60), "whats-this-menu").empty());
    ASSERT_TRUE(ChooseMenuItemByKeys(1));
    HWND popup = WaitForHelpPopup();
    ASSERT_NE(nullptr, popup) << "choosing \"What's This?\" opened no help popup";
    // The menu has gone: what it covered must be drawn again before the popup copies the screen.
    ExpectPopupFor(popup, yes, "hlpYes", before);
    EXPECT_FALSE(SaveScreenAreaShot(Around(box, 60), "help-popup-whats-this").empty());
    ASSERT_TRUE(ClickAt(100, 100, MouseButton::Left));
    EXPECT_TRUE(WaitForWindowGone(popup, kDefaultTimeoutMs));
    EXPECT_TRUE(IsWindow(box));
}

}  // namespace
}  // namespace e2e
