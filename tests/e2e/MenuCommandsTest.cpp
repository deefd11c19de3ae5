// The real program's context menu through real right clicks and keys: New > Separator, Delete,
// Exit with the help popup of its question (by F1 and by a right click with "What's This?", since Wine
// draws no caption "?" button); and the first-time dialog and sheet at a start without icons.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

const std::initializer_list<WORD> kDelete = {VK_DOWN, VK_DOWN, VK_RETURN};
const std::initializer_list<WORD> kExit = {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};

class MenuCommandsTest : public ProgramTest {
protected:
    MenuCommandsTest() : ProgramTest({"velko009.mlb", "launchlog.exe"}) {}

    Icon ProgramIcon(int index) const { return SmallIcon(folder_.FilePath(kProgramExe), index); }
    // The help popup, once painted: a black frame round the tip colour with text in it; null if none.
    HWND Popup() {
        HWND popup = WaitForWindow("Velkator:HelpWnd", nullptr, velkator_.Id());
        const COLORREF colour = GetSysColor(COLOR_INFOBK);
        const DWORD tip = static_cast<DWORD>(GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
        EXPECT_TRUE(WaitUntil([&] {
            const Image image = CaptureScreen(Bounds(popup));
            int textPixels = 0;
            for (int y = 5; y < image.height - 11; ++y)  // inside the frame, margins and shadow
                for (int x = 5; x < image.width - 11; ++x) textPixels += image.At(x, y) != tip ? 1 : 0;
            return image.At(0, 0) == 0 && image.At(2, 2) == tip && textPixels > 20;
        })) << "no text in a black frame round the tip colour";
        return popup;
    }
};

// German is stored but its file is missing: the program speaks English and keeps the stored choice.
TEST_F(MenuCommandsTest, NewSeparatorDeleteAndExitWithItsHelpFromTheContextMenu) {
    ASSERT_TRUE(WriteDword(kOptionsKey, "Language", 7));
    const int iconOf[] = {kProgramIcon, kLockIcon, kDeskAccessIcon};
    const char* names[] = {"Alpha", "Beta", "Gamma"};
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(WriteShortcut(names[i], {helper_, "", "", folder_.FilePath(kProgramExe) + "," + std::to_string(iconOf[i])}));
    ASSERT_TRUE(WriteOrder("Alpha|Beta|Gamma|"));
    Icon alpha = ProgramIcon(kProgramIcon), beta = ProgramIcon(kLockIcon), gamma = ProgramIcon(kDeskAccessIcon),
         separator = ProgramIcon(kSeparatorIcon);
    HWND main = StartVelkator(velkator_, folder_);
    ASSERT_TRUE(main && WaitForTrayIcon(2, gamma.get()));

    // New > Separator: the New submenu's last entry, reached upwards from its first.
    ASSERT_TRUE(UseTrayMenu(velkator_, 1, {VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN}));
    EXPECT_TRUE(WaitForOrder("Alpha|Beta|Gamma|Separator|")) << ReadOrder();
    EXPECT_TRUE(WaitForTrayIcon(3, separator.get()));

    // Delete on Beta: No keeps it, Yes removes it with its settings and the later icons move up.
    for (int answer : {IDCANCEL, IDOK}) {
        ASSERT_TRUE(UseTrayMenu(velkator_, 1, kDelete));
        HWND box = Dialog("Delete Icon");
        EXPECT_EQ("Do you want to delete this icon?", ControlText(box, IDC_MESSAGE_TEXT));
        ASSERT_TRUE(ClickButton(box, answer) && WaitForWindowGone(box));
        if (answer == IDCANCEL) {
            ASSERT_TRUE(Answered(main));
            EXPECT_EQ("Alpha|Beta|Gamma|Separator|", ReadOrder());
            EXPECT_TRUE(WaitForTrayIcon(1, beta.get(), 0));
        }
    }
    EXPECT_TRUE(WaitForOrder("Alpha|Gamma|Separator|")) << ReadOrder();
    EXPECT_FALSE(ReadString(kShortcutsKey, "Beta") != "<missing>" || KeyExists(std::string(kVelkatorKey) + "\\Beta"));
    EXPECT_TRUE(WaitForTrayIcon(0, alpha.get()) && WaitForTrayIcon(1, gamma.get()) &&
                WaitForTrayIcon(2, separator.get()) && WaitForEmptyTrayCell(3));

    // Exit asks in the work area's corner beside the taskbar; its help comes by F1 on the focused Yes
    // and closes on a key.
    ASSERT_TRUE(UseTrayMenu(velkator_, 1, kExit));
    HWND box = Dialog("Exit Velkator"), yes = GetDlgItem(box, IDOK), no = GetDlgItem(box, IDCANCEL);
    ASSERT_TRUE(WaitUntil([yes] { return IsWindowVisible(yes) != FALSE; }));
    EXPECT_TRUE(WorkArea().right - 50 == Bounds(box).right && WorkArea().bottom - 50 == Bounds(box).bottom)
        << "not 50 pixels from the work area's corner";
    EXPECT_EQ("Do you want to exit Velkator? All of its icons will be removed from the taskbar.",
              ControlText(box, IDC_MESSAGE_TEXT));
    ASSERT_TRUE(PressKey(box, VK_F1));
    HWND popup = Popup();
    char tip[256] = "";
    GetWindowTextA(popup, tip, sizeof tip);  // the popup's title holds its text, for screen readers
    EXPECT_STREQ("Answers yes to the question.", tip);
    ASSERT_TRUE(PressKey(popup, 'A'));
    EXPECT_TRUE(WaitForWindowGone(popup)) << "a key press left the popup open";

    // "What's This?" shows the same help; a click closes it and reaches nothing else.
    ASSERT_TRUE(ClickAt(Centre(Bounds(yes)), MouseButton::Right));
    ASSERT_NE(nullptr, WaitForWindow("#32768", nullptr, velkator_.Id())) << "a right click offered no menu";
    ASSERT_TRUE(SendMenuKeys({VK_DOWN, VK_RETURN}));
    popup = Popup();
    ASSERT_TRUE(ClickAt(Centre(Bounds(no)), MouseButton::Left));
    EXPECT_TRUE(WaitForWindowGone(popup)) << "a click left the popup open";
    // Tab, typed after the click, moves the focus to No only after the click was handled.
    ASSERT_TRUE(PressKey(box, VK_TAB)) << "the click that closed the popup also pressed No";
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(box) == no; }));

    // Yes ends the program, takes its icons along and keeps the order and the stored language.
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(velkator_.WaitForExit()) << "Yes did not end the program";
    EXPECT_EQ(0u, velkator_.ExitCode());
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(WaitForEmptyTrayCell(k)) << "icon " << k << " stayed";
    EXPECT_EQ("Alpha|Gamma|Separator|", ReadOrder());
    EXPECT_EQ(7u, ReadDword(kOptionsKey, "Language")) << "the stored choice was overwritten";
}

// Chosen on the Options page: a double click starts programs and a single click does not, Delete asks
// nothing (and Exit, as the stored value says, neither). Deleting the last icon offers a first one.
TEST_F(MenuCommandsTest, OptionsChangeTheClickAndTheQuestionsAndTheLastIconGoneOffersANewOne) {
    ASSERT_TRUE(WriteShortcut("Tool", {helper_}) && WriteOrder("Tool|") && StartVelkator(velkator_, folder_));
    ASSERT_TRUE(UseTrayMenu(velkator_, 0, {VK_UP, VK_RETURN}));  // Properties
    HWND sheet = Dialog("Velkator Settings"), options = PageControl(sheet, 2, IDC_OPG_CLICK);
    ASSERT_EQ(1, SendMessageA(options, CB_SETCURSEL, 1, 0));  // double click
    SendMessageA(GetParent(options), WM_COMMAND, MAKEWPARAM(IDC_OPG_CLICK, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(options));
    ASSERT_TRUE(ClickButton(GetParent(options), IDC_OPG_CONFIRM_DELETE));
    ASSERT_TRUE(ClickButton(sheet, IDOK) && WaitForWindowGone(sheet));
    EXPECT_EQ((std::vector<DWORD>{2, 0, 1}), (std::vector<DWORD>{ReadDword(kOptionsKey, "Click"),
                                                                 ReadDword(kOptionsKey, "ConfirmDelete"),
                                                                 ReadDword(kOptionsKey, "ConfirmExit")}));

    ASSERT_TRUE(ClickAt(Centre(TrayIconCell(0)), MouseButton::Left) && DoubleClickAt(Centre(TrayIconCell(0))));
    ASSERT_EQ(1u, WaitForLaunches(1).size());
    ASSERT_TRUE(WaitForNoProcess("launchlog.exe"));  // the single click's launch would have been first
    EXPECT_EQ(1u, WaitForLaunches(0).size()) << "a single click started the program";

    ASSERT_TRUE(UseTrayMenu(velkator_, 0, kDelete));  // unasked
    HWND welcome = Dialog("Welcome to Velkator");
    EXPECT_EQ("", ReadOrder());
    ASSERT_TRUE(ClickButton(welcome, IDC_FIRST_DUN) && ClickButton(welcome, IDOK));
    EXPECT_TRUE(WaitForOrder("Dial-Up Networking|"));
    Icon dialUp = ProgramIcon(kDialUpIcon);
    EXPECT_TRUE(WaitForTrayIcon(0, dialUp.get()));
    ASSERT_TRUE(WriteDword(kOptionsKey, "ConfirmExit", 0) && UseTrayMenu(velkator_, 0, kExit));  // unasked
    EXPECT_TRUE(velkator_.WaitForExit()) << ::testing::PrintToString(VisibleWindows(velkator_.Id()));
}

// At a start without icons, no icon shows before the choice; choosing a program opens a sheet that
// cannot be cancelled and, closed without a shortcut, ends the program. (Escape is a QuickNew test.)
TEST_F(MenuCommandsTest, FirstTimeSheetEndsTheProgramUnlessAnIconIsChosen) {
    HWND welcome = StartVelkator(velkator_, folder_) ? Dialog("Welcome to Velkator") : nullptr;
    EXPECT_TRUE(WaitForEmptyTrayCell(0, 0)) << "an icon is shown before the choice";
    ASSERT_TRUE(ClickButton(welcome, IDOK)) << "no first-time dialog at a start without icons";
    HWND sheet = Dialog("Velkator Settings");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, IDCANCEL)));
    EXPECT_EQ(2, PageCount(sheet));
    ASSERT_TRUE(PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0));
    EXPECT_TRUE(velkator_.WaitForExit()) << "the program went on without a shortcut";
    EXPECT_EQ("<missing>", ReadOrder()) << "an order was written";
}

}  // namespace
}  // namespace e2e
