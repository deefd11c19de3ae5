#include "TrayFixture.h"
#include "app/TrayApp.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "store/ShortcutTable.h"
#include <mmsystem.h>

namespace {
class TrayClick : public TrayFixture {
protected:
    void SetUp() override { CreateWindowWith({"Editor=C:\\Tools\\editor.exe", "Separator"}); }
    void SetClickStyle(int style) { TheApp()->WriteProfileInt("Options", "Click", style); }
    void SingleClick() {
        Click(1, WM_LBUTTONDOWN);
        Click(1, WM_LBUTTONUP);
    }
    // What the shell sends for a quick double click.
    void DoubleClick() {
        SingleClick();
        Click(1, WM_LBUTTONDBLCLK);
        Click(1, WM_LBUTTONUP);
    }
};
}  // namespace

TEST_F(TrayClick, SingleClickStyleLaunchesOnThePressOncePerDoubleClick) {
    SetClickStyle(1);
    Click(1, WM_LBUTTONDOWN);
    ASSERT_EQ(1u, system.launches.size());
    EXPECT_EQ("C:\\Tools\\editor.exe", system.launches[0].file);
    Click(1, WM_LBUTTONUP);
    EXPECT_EQ(1u, system.launches.size());
    system.Clear();
    DoubleClick();
    EXPECT_EQ(1u, system.launches.size());
}

TEST_F(TrayClick, DoubleClickStyleLaunchesOnlyOnTheDoubleClick) {
    SetClickStyle(2);
    SingleClick();
    EXPECT_TRUE(system.launches.empty());
    DoubleClick();
    EXPECT_EQ(1u, system.launches.size());
}

TEST_F(TrayClick, OtherStylesNeverLaunchAndOtherMessagesAreIgnored) {
    for (int style : {0, 3}) {
        SetClickStyle(style);
        DoubleClick();
        EXPECT_TRUE(system.launches.empty()) << style;
    }
    SetClickStyle(1);
    for (UINT message : {WM_MOUSEMOVE, WM_MBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK}) Click(1, message);
    EXPECT_TRUE(system.launches.empty());
    EXPECT_TRUE(system.sounds.empty());
    EXPECT_EQ(0, window->ContextItem);
}

TEST_F(TrayClick, WhileAModalDialogIsOpenClicksOnlyBringItForward) {
    SetClickStyle(1);
    window->ContextItem = 2;
    App().ModalDepth = 1;
    Click(1, WM_LBUTTONDOWN);
    Click(1, WM_RBUTTONDOWN);  // would block in the menu's loop if a menu opened
    EXPECT_TRUE(system.launches.empty());
    EXPECT_TRUE(system.sounds.empty());
    EXPECT_EQ(2, window->ContextItem);
}

TEST_F(TrayClick, RightClickWhileASheetExistsOnlyBeeps) {
    window->ContextItem = 2;
    DialogOpenFlag = true;
    Click(1, WM_RBUTTONDOWN);
    EXPECT_EQ((std::vector<UINT>{1}), system.beeps);
    EXPECT_EQ(2, window->ContextItem);
}

TEST_F(TrayClick, AboutBoxCountsAsOpenAndModalWhileItShowsAndPlaysTheStartSound) {
    DialogRobot robot;
    robot.Then([](HWND about) {
        EXPECT_TRUE(DialogOpenFlag && App().ModalDepth == 1);
        SendMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
    });
    SendMessageA(window->m_hWnd, WM_COMMAND, ID_ABOUT, 0);
    EXPECT_TRUE(robot.AllActionsUsed());
    EXPECT_FALSE(DialogOpenFlag);
    ASSERT_EQ(1u, system.sounds.size());
    EXPECT_EQ("SystemStart", system.sounds[0].sound);
    EXPECT_EQ(static_cast<UINT>(SND_ASYNC), system.sounds[0].flags);
}

TEST_F(TrayClick, UnknownIconsAndItemNumbersAreIgnored) {
    SetClickStyle(1);
    SendMessageA(window->m_hWnd, WM_USER + 100, 999, WM_LBUTTONDOWN);
    SendMessageA(window->m_hWnd, WM_USER + 100, 999, WM_RBUTTONDOWN);
    for (WPARAM number : {WPARAM(0), WPARAM(3), WPARAM(-1), WPARAM(100)})
        SendMessageA(window->m_hWnd, LaunchItemMessage, number, WM_LBUTTONDOWN);
    EXPECT_TRUE(system.launches.empty());
    EXPECT_TRUE(system.sounds.empty());
    EXPECT_EQ(0, window->ContextItem);

    SendMessageA(window->m_hWnd, LaunchItemMessage, 1, WM_LBUTTONDOWN);
    EXPECT_EQ(1u, system.launches.size());
}

namespace {
UINT g_defaultItem = 0;
bool g_menuSeen = false;

// The menu runs its own loop; this timer looks at it and closes it.
void CALLBACK InspectMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, timer);
    g_menuSeen = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    g_defaultItem = GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED);
    EndMenu();
}
}  // namespace

TEST_F(TrayClick, RightClickStoresTheItemAndShowsTheMenuWithPropertiesAsDefault) {
    SetTimer(nullptr, 0, 50, &InspectMenu);
    Click(2, WM_RBUTTONDOWN);
    EXPECT_TRUE(g_menuSeen);
    EXPECT_EQ(142u, g_defaultItem);
    EXPECT_EQ(2, window->ContextItem);
    EXPECT_TRUE(system.beeps.empty());
}
