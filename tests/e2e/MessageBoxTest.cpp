// The program's message box as a person sees it, and its context-help popup opened by F1 and by a
// right click with "What's This?" (Wine draws no caption "?" button, which sends the same WM_HELP).
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr const char* kHelpWindowClass = "Velkator:HelpWnd";
constexpr int kShadow = 6;  // width of the popup's shadow strips

// Where the popup for control must be: its text in the stock variable font wrapped at 256 pixels plus
// 16 for frame, margins and shadow, centred on the middle of the control's left edge, kept on the screen.
RECT ExpectedPopupRect(HWND control, const char* text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    RECT size = {0, 0, 256, 0};
    DrawTextA(dc, text, -1, &size, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    const int width = size.right + 16, height = size.bottom + 16;
    const RECT bounds = Bounds(control), screen = Screen();
    const int left = std::max(0L, std::min(bounds.left - width / 2, screen.right - width));
    const int top = std::max(0L, std::min((bounds.top + bounds.bottom) / 2, screen.bottom - height));
    const RECT expected = {left, top, left + width, top + height};
    return expected;
}

// Sized and placed for control's help text; a black frame round the tip colour with text; in the shadow
// strips every other pixel black, the rest, and the corners beside them, showing the screen before.
void ExpectPopup(HWND popup, HWND control, const char* text, const Image& before) {
    ASSERT_NE(nullptr, popup);
    Sleep(200);  // let it paint
    const RECT shown = Bounds(popup), expected = ExpectedPopupRect(control, text);
    EXPECT_TRUE(EqualRect(&expected, &shown)) << "popup at " << shown.left << "," << shown.top << " - " << shown.right
                                              << "," << shown.bottom << " for \"" << text << "\"";
    const Image image = CaptureScreen(shown);
    const int w = image.width, h = image.height;
    const COLORREF tip = GetSysColor(COLOR_INFOBK);
    EXPECT_EQ(0u, image.At(0, 0)) << "no black frame";
    EXPECT_EQ(static_cast<DWORD>(GetRValue(tip) << 16 | GetGValue(tip) << 8 | GetBValue(tip)), image.At(2, 2));
    int textPixels = 0;
    for (int y = 5; y < h - kShadow - 5; ++y)
        for (int x = 5; x < w - kShadow - 5; ++x) textPixels += image.At(x, y) != image.At(2, 2) ? 1 : 0;
    EXPECT_GT(textPixels, 20) << "no text drawn";

    int cells[3] = {}, black[3] = {}, beneath[3] = {};  // by checkerboard colour, 2 for the corners
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w - kShadow, bottom = y >= h - kShadow;
            if (!right && !bottom) continue;
            const int kind = (right && y < kShadow) || (bottom && x < kShadow) ? 2 : (x + y) % 2;
            ++cells[kind];
            black[kind] += image.At(x, y) == 0 ? 1 : 0;
            beneath[kind] += image.At(x, y) == before.At(shown.left + x, shown.top + y) ? 1 : 0;
        }
    const int dark = black[1] > black[0] ? 1 : 0;
    EXPECT_EQ(cells[dark], black[dark]) << "shadow pixels that should be black";
    EXPECT_EQ(cells[1 - dark], beneath[1 - dark]) << "shadow pixels that should show the screen beneath";
    EXPECT_EQ(cells[2], beneath[2]) << "corner pixels that should show the screen beneath";
}

TEST(MessageBoxTest, ExitQuestionAtTheCornerAndItsHelpByF1WmHelpAndWhatsThis) {
    CleanSettings settings;
    ASSERT_TRUE(WriteOrder("Separator|"));
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_EQ("", folder.Problem());
    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(PostMessageA(main, WM_COMMAND, ID_CLOSE, 0));  // what the menu's Exit sends
    HWND box = WaitForWindow("#32770", "Exit Velkator", velkator.Id());
    ASSERT_NE(nullptr, box);
    HWND yes = GetDlgItem(box, IDOK), no = GetDlgItem(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil([yes] { return IsWindowVisible(yes) != FALSE; }));

    const RECT bounds = Bounds(box);
    EXPECT_EQ(Screen().right - 50, bounds.right) << "not 50 pixels from the screen's corner";
    EXPECT_EQ(Screen().bottom - 50, bounds.bottom) << "not 50 pixels from the screen's corner";
    EXPECT_EQ("Do you want to exit Velkator? All of its icons will be removed from the taskbar.",
              ControlText(box, IDC_MESSAGE_TEXT));
    Sleep(200);
    EXPECT_TRUE(SaveScreenshot("message-box-exit-question", bounds));
    EXPECT_TRUE(SaveScreenshot("message-box-exit-question-screen"));

    // F1 gives the help of the focused button, Yes; any key closes it.
    Image before = CaptureScreen(Screen());
    ASSERT_TRUE(PressKey(box, VK_F1));
    HWND popup = WaitForWindow(kHelpWindowClass, nullptr, velkator.Id());
    ASSERT_NO_FATAL_FAILURE(ExpectPopup(popup, yes, "Answers yes to the question.", before));
    EXPECT_TRUE(SaveScreenshot("help-popup-f1", Bounds(box, 60)));
    EXPECT_TRUE(SaveScreenshot("help-popup-f1-screen"));
    ASSERT_TRUE(PressKey(popup, 'A'));
    EXPECT_TRUE(WaitForWindowGone(popup)) << "a key press left the popup open";

    // A click closes it and reaches nothing else.
    Sleep(200);
    ASSERT_TRUE(PressKey(box, VK_F1));
    popup = WaitForWindow(kHelpWindowClass, nullptr, velkator.Id());
    ASSERT_NE(nullptr, popup);
    ASSERT_TRUE(ClickAt(Centre(Bounds(no)), MouseButton::Left));
    EXPECT_TRUE(WaitForWindowGone(popup)) << "a click left the popup open";
    Sleep(300);
    ASSERT_TRUE(IsWindow(box)) << "the click that closed the popup also pressed No";

    // A right click offers "What's This?": dismissing the menu shows nothing; choosing it shows the
    // popup over what the menu covered, drawn again.
    const POINT onYes = Centre(Bounds(yes));
    ASSERT_TRUE(ClickAt(onYes, MouseButton::Right));
    HWND menu = WaitForWindow("#32768", nullptr, velkator.Id());
    ASSERT_NE(nullptr, menu) << "a right click on a button offered no menu";
    ASSERT_TRUE(SendMenuKeys({VK_ESCAPE}));
    ASSERT_TRUE(WaitUntil([menu] { return !IsWindowVisible(menu); }));
    Sleep(300);
    EXPECT_EQ(nullptr, WaitForWindow(kHelpWindowClass, nullptr, velkator.Id(), false, 0));
    before = CaptureScreen(Screen());  // with Yes drawn as the right click left it
    ASSERT_TRUE(ClickAt(onYes, MouseButton::Right));
    ASSERT_NE(nullptr, WaitForWindow("#32768", nullptr, velkator.Id()));
    Sleep(200);
    EXPECT_TRUE(SaveScreenshot("whats-this-menu", Bounds(box, 60)));
    ASSERT_TRUE(SendMenuKeys({VK_DOWN, VK_RETURN}));
    popup = WaitForWindow(kHelpWindowClass, nullptr, velkator.Id());
    ASSERT_NO_FATAL_FAILURE(ExpectPopup(popup, yes, "Answers yes to the question.", before));
    EXPECT_TRUE(SaveScreenshot("help-popup-whats-this", Bounds(box, 60)));
    ASSERT_TRUE(ClickAt({100, 100}, MouseButton::Left));
    EXPECT_TRUE(WaitForWindowGone(popup));
    EXPECT_TRUE(IsWindow(box));
}

}  // namespace
}  // namespace e2e
