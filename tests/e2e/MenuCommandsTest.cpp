// The real program's context menu, used by real right clicks and keys: adding a separator, deleting
// the right item, exiting; and the first-time dialog at a start without icons.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr const char* kHelperExe = "launchlog.exe";
constexpr int kMessageTextId = 1060;
// Icons of the program file, by index in resource order.
constexpr int kProgramIconIndex = 0;
constexpr int kSeparatorIconIndex = 1;
constexpr int kDialUpIconIndex = 2;
constexpr int kDeskAccessIconIndex = 3;
constexpr int kLockIconIndex = 4;
// First-time dialog controls.
constexpr int kFirstTimeAppId = 1032;
constexpr int kFirstTimeDialUpId = 1033;
// Items of the context menu reached by VK_DOWN presses from no selection (separators are skipped).
constexpr int kDeleteItem = 2;
constexpr int kExitItem = 4;

void LetDoubleClickTimePass() { Sleep(GetDoubleClickTime() + 100); }

class MenuCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.IsReady()) << folder_.Problem();
        ASSERT_TRUE(english_.IsLoaded());
        program_ = folder_.FilePath(kProgramExe);
        ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";
    }

    void TearDown() override {
        if (main_ && velkator_.IsRunning()) {
            PostMessageA(main_, WM_CLOSE, 0, 0);
            velkator_.WaitForExit(kDefaultTimeoutMs);
        }
    }

    // An application shortcut that shows the program file's icon at index.
    void WriteShortcutWithIcon(const std::string& name, int index) {
        ShortcutSettings shortcut;
        shortcut.path = folder_.FilePath(kHelperExe);
        shortcut.iconPath = program_ + "," + std::to_string(index);
        ASSERT_TRUE(WriteShortcut(name, shortcut));
    }

    SmallIcon ProgramIcon(int index) const { return SmallIcon::FromFile(program_, index); }

    // A real right click on the k-th icon; the context menu that opens, or null.
    HWND OpenMenuOn(int k) {
        LetDoubleClickTimePass();  // two right clicks on one spot would merge into a double click
        if (!ClickTrayIcon(k, MouseButton::Right)) return nullptr;
        return WaitForPopupMenu(kDefaultTimeoutMs, velkator_.Id());
    }

    // Chooses Delete in the menu of the k-th icon; the question box, or null.
    HWND AskToDelete(int k) {
        if (!OpenMenuOn(k) || !ChooseMenuItemByKeys(kDeleteItem)) return nullptr;
        return WaitForDialog(english_.Text("msgConfirmDeleteTitle").c_str(), velkator_.Id(), kDefaultTimeoutMs);
    }

    bool WaitForOrder(const std::string& order) {
        return WaitUntil([&] { return ReadOrder() == order; }, kDefaultTimeoutMs, 50);
    }

    CleanSettings settings_;
    ProgramFolder folder_{{"velko009.mlb"}};
    Program velkator_;
    HWND main_ = nullptr;
    std::string program_;
    LanguageTexts english_{"velko009.mlb"};
};

TEST_F(MenuCommandsTest, NewSeparatorAddsAnIconAndDeleteRemovesTheClickedItem) {
    ASSERT_NO_FATAL_FAILURE(WriteShortcutWithIcon("Alpha", kProgramIconIndex));
    ASSERT_NO_FATAL_FAILURE(WriteShortcutWithIcon("Beta", kLockIconIndex));
    ASSERT_NO_FATAL_FAILURE(WriteShortcutWithIcon("Gamma", kDeskAccessIconIndex));
    ASSERT_TRUE(WriteOrder("Alpha|Beta|Gamma|"));
    SmallIcon alpha = ProgramIcon(kProgramIconIndex), beta = ProgramIcon(kLockIconIndex),
              gamma = ProgramIcon(kDeskAccessIconIndex), separator = ProgramIcon(kSeparatorIconIndex);
    main_ = StartVelkator(velkator_, folder_);
    ASSERT_NE(nullptr, main_);
    ASSERT_TRUE(WaitForTrayIcon(2, gamma.get(), kDefaultTimeoutMs));

    // New > Separator: the last entry of the New submenu, reached upwards from its first entry.
    HWND menu = OpenMenuOn(1);
    ASSERT_NE(nullptr, menu);
    Sleep(200);  // let the menu draw itself before the picture
    EXPECT_FALSE(SaveScreenshot("context-menu").empty());
    EXPECT_FALSE(SaveWindowShot(menu, "context-menu-closeup").empty());
    ASSERT_TRUE(SendMenuKeys({VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN}));
    EXPECT_TRUE(WaitForOrder("Alpha|Beta|Gamma|Separator|")) << ReadOrder();
    EXPECT_TRUE(WaitForTrayIcon(3, separator.get(), kDefaultTimeoutMs));

    // Delete on Beta, answered No: nothing changes.
    HWND box = AskToDelete(1);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(english_.Text("msgConfirmDelete"), ControlText(box, kMessageTextId));
    ASSERT_TRUE(ClickButton(box, IDCANCEL));
    ASSERT_TRUE(WaitForWindowGone(box, kDefaultTimeoutMs));
    Sleep(200);
    EXPECT_EQ("Alpha|Beta|Gamma|Separator|", ReadOrder());
    EXPECT_TRUE(WaitForTrayIcon(1, beta.get(), 0));

    // Delete on Beta, answered Yes: Beta goes with its settings, the later icons move up.
    box = AskToDelete(1);
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(ClickButton(box, IDOK));
    EXPECT_TRUE(WaitForOrder("Alpha|Gamma|Separator|")) << ReadOrder();
    EXPECT_FALSE(ValueExists(kShortcutsKey, "Beta"));
    EXPECT_FALSE(KeyExists(std::string(kVelkatorKey) + "\\Beta"));
    for (const char* kept : {"Alpha", "Gamma"}) {
        EXPECT_TRUE(ValueExists(kShortcutsKey, kept)) << kept;
        EXPECT_TRUE(ValueExists(std::string(kVelkatorKey) + "\\" + kept, "Path")) << kept;
    }
    EXPECT_TRUE(WaitForTrayIcon(0, alpha.get(), kDefaultTimeoutMs));
    EXPECT_TRUE(WaitForTrayIcon(1, gamma.get(), kDefaultTimeoutMs));
    EXPECT_TRUE(WaitForTrayIcon(2, separator.get(), kDefaultTimeoutMs));
    EXPECT_TRUE(WaitForEmptyTrayCell(3, kDefaultTimeoutMs));

    // Deleting the separator removes its token only.
    box = AskToDelete(2);
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(ClickButton(box, IDOK));
    EXPECT_TRUE(WaitForOrder("Alpha|Gamma|")) << ReadOrder();
    EXPECT_TRUE(WaitForEmptyTrayCell(2, kDefaultTimeoutMs));
    EXPECT_TRUE(KeyExists(std::string(kVelkatorKey) + "\\Alpha"));
    EXPECT_TRUE(KeyExists(std::string(kVelkatorKey) + "\\Gamma"));
}

TEST_F(MenuCommandsTest, ExitAnsweredYesEndsTheProgramAndRemovesAllItsIcons) {
    ASSERT_NO_FATAL_FAILURE(WriteShortcutWithIcon("Alpha", kLockIconIndex));
    ASSERT_TRUE(WriteOrder("Alpha|Separator|DeskAccess|"));
    SmallIcon deskAccess = ProgramIcon(kDeskAccessIconIndex);
    main_ = StartVelkator(velkator_, folder_);
    ASSERT_NE(nullptr, main_);
    ASSERT_TRUE(WaitForTrayIcon(2, deskAccess.get(), kDefaultTimeoutMs));

    ASSERT_NE(nullptr, OpenMenuOn(1));
    ASSERT_TRUE(ChooseMenuItemByKeys(kExitItem));
    HWND box = WaitForDialog(english_.Text("msgConfirmExitTitle").c_str(), velkator_.Id(), kDefaultTimeoutMs);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(english_.Text("msgConfirmExit"), ControlText(box, kMessageTextId));
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(velkator_.WaitForExit(kDefaultTimeoutMs)) << "Yes did not end the program";
    EXPECT_EQ(0u, velkator_.ExitCode());
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(WaitForEmptyTrayCell(k, 2000)) << "icon " << k << " stayed";
    EXPECT_FALSE(SaveScreenshot("tray-after-exit").empty());
    EXPECT_EQ("Alpha|Separator|DeskAccess|", ReadOrder()) << "exiting changed the order";
}

TEST_F(MenuCommandsTest, FirstTimeDialogAddsTheDialUpIcon) {
    main_ = StartVelkator(velkator_, folder_);
    ASSERT_NE(nullptr, main_);
    HWND dialog = WaitForDialog(english_.Text("ftTitle").c_str(), velkator_.Id(), kDefaultTimeoutMs);
    ASSERT_NE(nullptr, dialog) << "no first-time dialog at a start without icons";
    EXPECT_TRUE(IsChecked(dialog, kFirstTimeAppId));
    EXPECT_EQ(english_.Text("ftDunIcon"), ControlText(dialog, kFirstTimeDialUpId));
    // Its owner is hidden, so it sits in the middle of the work area (the screen above the taskbar).
    RECT workArea, bounds;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    GetWindowRect(dialog, &bounds);
    EXPECT_NEAR((workArea.left + workArea.right) / 2, (bounds.left + bounds.right) / 2, 1);
    EXPECT_NEAR((workArea.top + workArea.bottom) / 2, (bounds.top + bounds.bottom) / 2, 1);
    EXPECT_TRUE(IsUniform(CaptureScreenArea(TrayIconCell(0)))) << "an icon is shown before the choice";
    Sleep(300);
    EXPECT_FALSE(SaveWindowShot(dialog, "first-time-dialog").empty());
    ASSERT_TRUE(ClickButton(dialog, kFirstTimeDialUpId));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(dialog, kFirstTimeDialUpId); }, kDefaultTimeoutMs));
    ASSERT_TRUE(ClickButton(dialog, IDOK));
    EXPECT_TRUE(WaitForWindowGone(dialog, kDefaultTimeoutMs));
    EXPECT_TRUE(WaitForOrder("Dial-Up Networking|")) << ReadOrder();
    SmallIcon dialUp = ProgramIcon(kDialUpIconIndex);
    EXPECT_TRUE(WaitForTrayIcon(0, dialUp.get(), kDefaultTimeoutMs));
    EXPECT_TRUE(velkator_.IsRunning());
    EXPECT_TRUE(VisibleTopLevelWindows(velkator_.Id()).empty());
}

TEST_F(MenuCommandsTest, FirstTimeDialogEndsTheProgramOnEscape) {
    main_ = StartVelkator(velkator_, folder_);
    ASSERT_NE(nullptr, main_);
    HWND dialog = WaitForDialog(english_.Text("ftTitle").c_str(), velkator_.Id(), kDefaultTimeoutMs);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(PostKey(dialog, VK_ESCAPE));
    ASSERT_TRUE(velkator_.WaitForExit(kDefaultTimeoutMs)) << "Escape did not end the program";
    EXPECT_EQ(0u, velkator_.ExitCode());
    EXPECT_EQ("<missing>", ReadOrder()) << "an order was written";
    EXPECT_TRUE(IsUniform(CaptureScreenArea(TrayIconCell(0))));
}

}  // namespace
}  // namespace e2e
