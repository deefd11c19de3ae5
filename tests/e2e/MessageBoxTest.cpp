// The program's message box as a person sees it, and its context-help popup opened by F1 and by a
// right click with "What's This?" (Wine draws no caption "?" button, which sends the same WM_HELP).
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr const char* kHelpWindowClass = "Velkator:HelpWnd";

// Hangs from the middle of the control's left edge, kept on the screen: a black frame round the tip
// colour with text in it.
void ExpectPopup(HWND popup, HWND control) {
    ASSERT_NE(nullptr, popup);
    Sleep(200);  // let it paint
    const RECT shown = Bounds(popup), at = Bounds(control);
    const LONG width = shown.right - shown.left, height = shown.bottom - shown.top;
    EXPECT_EQ(std::max(0L, std::min(at.left - width / 2, Screen().right - width)), shown.left);
    EXPECT_EQ(std::max(0L, std::min((at.top + at.bottom) / 2, Screen().bottom - height)), shown.top);
    const Image image = CaptureScreen(shown);
    const COLORREF tip = GetSysColor(COLOR_INFOBK);
    EXPECT_EQ(0u, image.At(0, 0)) << "no black frame";
    EXPECT_EQ(static_cast<DWORD>(GetRValue(tip) << 16 | GetGValue(tip) << 8 | GetBValue(tip)), image.At(2, 2));
    int textPixels = 0;
    for (int y = 5; y < image.height - 11; ++y)  // inside the frame, margins and shadow
        for (int x = 5; x < image.width - 11; ++x) textPixels += image.At(x, y) != image.At(2, 2) ? 1 : 0;
    EXPECT_GT(textPixels, 20) << "no text drawn";
}

// German is stored but its file is missing: the program speaks English and keeps the stored choice.
TEST(MessageBoxTest, ExitQuestionAtTheCornerAndItsHelpByF1AndWhatsThis) {
    CleanSettings settings;
    ASSERT_TRUE(WriteDword(kOptionsKey, "Language", 7));
    ASSERT_TRUE(WriteOrder("Separator|"));
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_EQ("", folder.Problem());
    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(PostMessageA(main, WM_COMMAND, ID_CLOSE, 0));  // what the menu's Exit sends
    HWND box = WaitForWindow("#32770", "Exit Velkator", velkator.Id());
    ASSERT_NE(nullptr, box) << ::testing::PrintToString(VisibleWindows(velkator.Id()));
    HWND yes = GetDlgItem(box, IDOK), no = GetDlgItem(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil([yes] { return IsWindowVisible(yes) != FALSE; }));
    EXPECT_EQ("&Yes", ControlText(box, IDOK));
    const RECT bounds = Bounds(box);
    EXPECT_EQ(Screen().right - 50, bounds.right) << "not 50 pixels from the screen's corner";
    EXPECT_EQ(Screen().bottom - 50, bounds.bottom) << "not 50 pixels from the screen's corner";
    EXPECT_EQ("Do you want to exit Velkator? All of its icons will be removed from the taskbar.",
              ControlText(box, IDC_MESSAGE_TEXT));
    Sleep(200);
    EXPECT_TRUE(SaveScreenshot("message-box-exit-question", bounds));

    // F1 gives the help of the focused button, Yes; any key closes it.
    ASSERT_TRUE(PressKey(box, VK_F1));
    HWND popup = WaitForWindow(kHelpWindowClass, nullptr, velkator.Id());
    ASSERT_NO_FATAL_FAILURE(ExpectPopup(popup, yes));
    EXPECT_TRUE(SaveScreenshot("help-popup-f1", Bounds(box, 60)));
    ASSERT_TRUE(PressKey(popup, 'A'));
    EXPECT_TRUE(WaitForWindowGone(popup)) << "a key press left the popup open";

    // A right click offers "What's This?", which shows the same help; a click closes it and reaches
    // nothing else.
    ASSERT_TRUE(ClickAt(Centre(Bounds(yes)), MouseButton::Right));
    ASSERT_NE(nullptr, WaitForWindow("#32768", nullptr, velkator.Id())) << "a right click offered no menu";
    Sleep(200);
    EXPECT_TRUE(SaveScreenshot("whats-this-menu", Bounds(box, 60)));
    ASSERT_TRUE(SendMenuKeys({VK_DOWN, VK_RETURN}));
    popup = WaitForWindow(kHelpWindowClass, nullptr, velkator.Id());
    ASSERT_NO_FATAL_FAILURE(ExpectPopup(popup, yes));
    ASSERT_TRUE(ClickAt(Centre(Bounds(no)), MouseButton::Left));
    EXPECT_TRUE(WaitForWindowGone(popup)) << "a click left the popup open";
    Sleep(300);
    ASSERT_TRUE(IsWindow(box)) << "the click that closed the popup also pressed No";
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(velkator.WaitForExit());
    EXPECT_EQ(7u, ReadDword(kOptionsKey, "Language")) << "the stored choice was overwritten";
}

}  // namespace
}  // namespace e2e
