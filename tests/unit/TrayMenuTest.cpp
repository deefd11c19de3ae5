// Enabling of the context menu's entries, read from the real menus after the main window
// has run its enabling for each popup, as it does when the popup opens.
#include "TrayFixture.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tray/MainWnd.h"

namespace {
class TrayMenu : public TrayFixture {
protected:
    HMENU menu = nullptr;
    void TearDown() override {
        if (menu) DestroyMenu(menu);
        TrayFixture::TearDown();
    }
    // States of the shortcut menu by command, after enabling both of its popups.
    bool Enabled(UINT command) {
        if (!menu) {
            menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_SHORTCUT_MENU));
        }
        HMENU top = GetSubMenu(menu, 0);
        SendMessageA(window->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(top), 0);
        SendMessageA(window->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(top, 0)), 0);
        UINT state = GetMenuState(menu, command, MF_BYCOMMAND);
        EXPECT_NE(static_cast<UINT>(-1), state) << command;
        return !(state & (MF_GRAYED | MF_DISABLED));
    }
};

const UINT kLockedCommands[] = {ID_DELETE, ID_NEW_ICON, ID_NEW_SEPARATOR, ID_CLOSE, ID_NEW_DUN, ID_NEW_DESKACCESS};
}  // namespace

TEST_F(TrayMenu, EverythingIsEnabledWithoutPasswordOrSpecialIcons) {
    CreateWindowWith({"Editor=C:\\e.exe", "Separator"});
    for (UINT command : kLockedCommands) EXPECT_TRUE(Enabled(command)) << command;
    // Properties opens a window the program does not have yet; without a handler the framework greys it.
    EXPECT_FALSE(Enabled(ID_PROPERTIES));
    EXPECT_TRUE(Enabled(ID_ABOUT));
}

TEST_F(TrayMenu, APasswordGreysEveryChange) {
    TheApp()->WriteProfileString("Options", "Security", "x");
    CreateWindowWith({"Editor=C:\\e.exe"});
    for (UINT command : kLockedCommands) EXPECT_FALSE(Enabled(command)) << command;
    TheApp()->WriteProfileString("Options", "Security", "");
    for (UINT command : kLockedCommands) EXPECT_TRUE(Enabled(command)) << command;
}

TEST_F(TrayMenu, OnlyOneDialUpAndOneDesktopIcon) {
    CreateWindowWith({"Dial-Up Networking", "Separator"});
    EXPECT_FALSE(Enabled(ID_NEW_DUN));
    EXPECT_TRUE(Enabled(ID_NEW_DESKACCESS));
    EXPECT_TRUE(Enabled(ID_NEW_SEPARATOR));
    window->AddSpecialItem(ShortcutKind::DeskAccess);
    EXPECT_FALSE(Enabled(ID_NEW_DESKACCESS));

    TheApp()->WriteProfileInt("Options", "ConfirmDelete", 0);
    window->ContextItem = 1;
    window->DeleteContextItem();
    EXPECT_TRUE(Enabled(ID_NEW_DUN));
}

TEST_F(TrayMenu, EntryMenuRanges) {
    CreateWindowWith({"Separator"});
    HMENU entries = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_ENTRY_MENU));
    HMENU popup = GetSubMenu(entries, 0);
    const UINT ids[] = {101, 120, 121, 201, 450, 451};
    for (UINT id : ids) AppendMenuA(popup, MF_STRING, id, "entry");
    SendMessageA(window->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    auto greyed = [&](UINT id) { return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    EXPECT_TRUE(greyed(ID_EMPTY));
    EXPECT_FALSE(greyed(101));
    EXPECT_FALSE(greyed(120));
    EXPECT_TRUE(greyed(121));
    EXPECT_FALSE(greyed(201));
    EXPECT_FALSE(greyed(450));
    EXPECT_TRUE(greyed(451));
    char text[32] = "";
    GetMenuStringA(popup, ID_EMPTY, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ("(Empty)", text);
    DestroyMenu(entries);
}
