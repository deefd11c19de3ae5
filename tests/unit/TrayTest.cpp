// The main window's tray side in-process: icon handles, click dispatch, menu enabling and the
// commands it refuses, launch rules a user cannot reach cheaply, and tooltip cutting.
#include "Support.h"
#include "framework/TextCut.h"
#include "store/Options.h"
#include <dde.h>
#include <mmsystem.h>
#include <set>

static std::string ThisProgram() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// Of 103 stored shortcuts a hundred are shown; the rest stay stored and keep their names taken.
TEST_F(TrayFixture, AHundredIconsShowAndTheirHandlesAreFreedExceptTheThreeSpecialImages) {
    std::vector<std::string> tokens = {"Separator", "Dial-Up Networking", "DeskAccess"};
    for (int i = 0; i < 100; ++i) tokens.push_back("App" + std::to_string(i) + "=" + ThisProgram() + ",1");
    CreateWindowWith(tokens);
    EXPECT_TRUE(window->Shortcuts().IsFull());
    EXPECT_EQ(-1, window->Shortcuts().AppendPending());
    EXPECT_TRUE(window->Shortcuts().IsNameTaken("app99"));
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    for (int i = 0; i < 50; ++i) SendMessageA(window->m_hWnd, taskbarCreated, 0, 0);
    ASSERT_EQ(100u * 51, system.NotificationsOf(NIM_ADD).size());
    std::set<HICON> handedOver, alive;
    for (const NotifyCall& call : system.NotificationsOf(NIM_ADD)) {
        EXPECT_NE(nullptr, call.data.hIcon);
        handedOver.insert(call.data.hIcon);
    }
    for (HICON icon : handedOver) {
        ICONINFO info = {};
        if (!GetIconInfo(icon, &info)) continue;
        alive.insert(icon);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    EXPECT_EQ(3u, alive.size()) << "of " << handedOver.size() << " icons handed over";
}

TEST_F(TrayFixture, ClicksFollowTheClickStyleAndWaitForOpenWindows) {
    CreateWindowWith({"Editor=C:\\Tools\\editor.exe", "Separator"});
    const struct { int style; std::vector<UINT> messages; size_t launches; } cases[] = {
        {1, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 1},
        {2, {WM_LBUTTONDOWN, WM_LBUTTONUP}, 0},
        {2, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}, 1},
        {0, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MBUTTONDOWN, WM_RBUTTONUP}, 0},
    };
    for (const auto& c : cases) {
        WriteOption(Option::Click, c.style);
        system.Clear();
        for (UINT message : c.messages) Click(1, message);
        EXPECT_EQ(c.launches, system.launches.size()) << "style " << c.style;
    }
    WriteOption(Option::Click, 1);
    system.Clear();
    App().ModalDepth = 1;  // a dialog is open: clicks only bring it forward (a menu would block here)
    Click(1, WM_LBUTTONDOWN);
    Click(1, WM_RBUTTONDOWN);
    App().ModalDepth = 0;
    EXPECT_TRUE(system.launches.empty());

    // Identifiers and item numbers are taken whole: a value beyond 32 bits never becomes a valid one.
    const WPARAM wide = (static_cast<WPARAM>(1) << 32) | 1;
    SendMessageA(window->m_hWnd, TrayCallbackMessage, wide, WM_LBUTTONDOWN);
    SendMessageA(window->m_hWnd, TrayCallbackMessage, 99, WM_LBUTTONDOWN);
    for (WPARAM number : {wide, WPARAM(0), WPARAM(3)}) SendMessageA(window->m_hWnd, LaunchItemMessage, number, 0);
    EXPECT_TRUE(system.launches.empty());
    SendMessageA(window->m_hWnd, LaunchItemMessage, 1, 0);
    EXPECT_EQ(1u, system.launches.size());
}

TEST_F(TrayFixture, CommandsTheMenuWouldGreyAreRefused) {
    CreateWindowWith({"Dial-Up Networking", "Editor=C:\\e.exe"});
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_SHORTCUT_MENU));
    HMENU top = GetSubMenu(menu, 0);
    auto enabled = [&](UINT command) {
        SendMessageA(window->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(top), 0);
        SendMessageA(window->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(top, 0)), 0);
        return !(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED);
    };
    EXPECT_FALSE(enabled(ID_NEW_DUN));
    EXPECT_TRUE(enabled(ID_NEW_DESKACCESS));
    SendMessageA(window->m_hWnd, WM_COMMAND, ID_NEW_DUN, 0);
    EXPECT_EQ("Dial-Up Networking|Editor|", Order());

    WriteOption(Option::Security, "x");
    for (UINT command : {ID_DELETE, ID_NEW_ICON, ID_NEW_SEPARATOR, ID_CLOSE, ID_NEW_DESKACCESS})
        EXPECT_FALSE(enabled(command)) << command;
    SendMessageA(window->m_hWnd, WM_COMMAND, ID_NEW_SEPARATOR, 0);
    EXPECT_EQ("Dial-Up Networking|Editor|", Order());
    WriteOption(Option::Security, "");
    EXPECT_TRUE(enabled(ID_NEW_SEPARATOR));
    DestroyMenu(menu);

    // While a question is open, a second command that asks one waits its turn instead of stacking.
    DialogRobot robot;
    robot.Then([&](HWND box) {
        SendMessageA(window->m_hWnd, WM_COMMAND, ID_CLOSE, 0);
        SendMessageA(window->m_hWnd, WM_COMMAND, ID_DELETE, 0);
        SendMessageA(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    });
    SendMessageA(window->m_hWnd, WM_COMMAND, ID_CLOSE, 0);
    PumpMessages(200);
    EXPECT_EQ(1, robot.DialogsSeen());
    EXPECT_TRUE(WindowAlive());
}

// What other programs post while the sheet is open changes nothing under it, and launches nothing
// (least of all the new shortcut the sheet has not stored); the sheet's own change applies. At a
// start without icons, a locked program adds no special icon and ends.
TEST_F(TrayFixture, NothingPostedWhileTheSheetIsOpenOrChangesAreLockedAddsAnIcon) {
    CreateWindowWith({"A=C:\\a.exe", "B=C:\\b.exe"});
    DialogRobot robot;
    robot.Then([&](HWND sheet) {
        for (UINT command : {ID_NEW_SEPARATOR, ID_NEW_DUN, ID_NEW_DESKACCESS})
            SendMessageA(window->m_hWnd, WM_COMMAND, command, 0);
        for (WPARAM item : {1, 3}) SendMessageA(window->m_hWnd, LaunchItemMessage, item, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SetDlgItemTextA(page, IDC_PPG_NAME, "C");
        SetDlgItemTextA(page, IDC_PPG_PATH, "C:\\c.exe");
        SendMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    });
    window->Commands().NewShortcut(false);
    EXPECT_EQ("A|B|C|", Order());
    EXPECT_TRUE(system.launches.empty());

    WriteOption(Option::Security, "x");
    std::string message;
    robot.Then([](HWND first) {
        SendMessageA(GetDlgItem(first, IDC_FIRST_DUN), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(first, IDOK), BM_CLICK, 0, 0);
    });
    robot.Then(DialogRobot::NoteMessage(message));
    CreateWindowWith({});
    for (int wait = 0; wait < 100 && WindowAlive(); ++wait) PumpMessages(50);
    EXPECT_EQ(GetText("msgNewNotAllowed"), message);
    EXPECT_FALSE(WindowAlive());
    EXPECT_EQ("", Order());
}

TEST_F(TrayFixture, LaunchPlaysTheChosenSoundAndRefusesTextsTooLongToPass) {
    CreateWindowWith({"Editor=C:\\Tools\\editor.exe", "Separator", "DeskAccess"});
    WriteOption(Option::WaveFile, "C:\\Sounds\\tick.wav");
    Launch(1);
    Launch(2);  // a separator does nothing, not even the sound
    WriteOption(Option::PlayWave, 0);
    Launch(1);
    ASSERT_EQ(1u, system.sounds.size());
    EXPECT_EQ("C:\\Sounds\\tick.wav", system.sounds[0].sound);
    EXPECT_EQ(static_cast<UINT>(SND_ASYNC), system.sounds[0].flags);
    EXPECT_EQ(2u, system.launches.size());

    // The longest path the Properties page takes launches; longer arguments than it takes do not.
    const std::string longest = "Editor=C:\\" + std::string(256, 'p');
    TheApp()->Settings().WriteText("Editor", "Arguments", std::string(256, 'a').c_str());
    CreateWindowWith({longest});
    system.Clear();
    DialogRobot robot;
    std::string message;
    robot.Then(DialogRobot::NoteMessage(message));
    Launch(1);
    EXPECT_EQ(GetText("errTooLong"), message);
    TheApp()->Settings().WriteText("Editor", "Arguments", "");
    CreateWindowWith({longest});
    Launch(1);
    EXPECT_EQ(1u, system.launches.size());

    // A folder that is missing has its own message (Wine answers 2 for it, Windows 3).
    system.shellExecuteResult = ERROR_PATH_NOT_FOUND;
    robot.Then(DialogRobot::NoteMessage(message));
    Launch(1);
    EXPECT_NE(std::string::npos, message.find("Cannot find the folder C:\\"));
    // No to the administrator prompt is no failure (the recorder stands in: Wine has no prompt).
    message.clear();
    robot.Then(DialogRobot::NoteMessage(message));
    TheApp()->Settings().WriteNumber("Editor", "RunAs", 1);
    CreateWindowWith({longest});
    system.shellExecuteResult = SE_ERR_ACCESSDENIED;
    system.shellExecuteError = ERROR_CANCELLED;
    Launch(1);  // a box shown on the way would be answered and noted
    EXPECT_EQ("", message);
}

// What only Windows checks, seen on the calls made: a version-4 icon shows its tooltip only with
// NIF_SHOWTIP; the system keeps what the user chose for an icon by its identifier, so identifiers
// stay with their shortcuts; run as administrator, the program lets other programs' messages in.
TEST_F(TrayFixture, IconsShowTheirTipsKeepTheirIdentifiersAndLetOtherProgramsMessagesIn) {
    CreateWindowWith({"A=C:\\a.exe", "Separator", "B=C:\\b.exe"});
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_EQ((std::vector<UINT>{taskbarCreated, WM_DDE_INITIATE, WM_DDE_EXECUTE, WM_DDE_TERMINATE, LaunchItemMessage}),
              system.allowedMessages);
    EXPECT_EQ((std::vector<UINT>{1, 0xFE00, 2}), IconIds(NIM_ADD));
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::VersionTimer, 0);  // once the burst is shown
    EXPECT_EQ(IconIds(NIM_ADD), IconIds(NIM_SETVERSION));
    for (const NotifyCall& call : system.notifications) {
        EXPECT_EQ(sizeof(NOTIFYICONDATAA), call.data.cbSize);
        if (call.message == NIM_SETVERSION)
            EXPECT_EQ(UINT(NOTIFYICON_VERSION_4), call.data.uVersion);
        else
            EXPECT_EQ(UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP), call.data.uFlags);
    }
    // Moved, the icons from the first place that changed go and come back in the new order.
    system.Clear();
    ASSERT_TRUE(window->Shortcuts().Reorder({0, 2, 1}));
    EXPECT_EQ((std::vector<UINT>{0xFE00, 2}), IconIds(NIM_DELETE));
    EXPECT_EQ((std::vector<UINT>{2, 0xFE00}), IconIds(NIM_ADD));
    window->RetitleSpecialIcons();
    EXPECT_EQ(UINT(NIF_TIP | NIF_SHOWTIP), system.NotificationsOf(NIM_MODIFY).at(0).data.uFlags);
    system.Clear();
    CreateWindowWith({"A=C:\\a.exe", "B=C:\\b.exe", "Separator"});  // the next start
    EXPECT_EQ((std::vector<UINT>{1, 2, 0xFE00}), IconIds(NIM_ADD));

    // A DPI or icon-size change shows every icon again, and brings back one the shell lost.
    RECT suggested = {0, 0, 100, 100};
    const std::pair<UINT, WPARAM> changes[] = {{WM_DPICHANGED, MAKEWPARAM(144, 144)},
                                               {WM_SETTINGCHANGE, SPI_SETICONMETRICS}};
    for (const auto& change : changes) {
        system.Clear();
        system.shown.erase(2);
        SendMessageA(window->m_hWnd, change.first, change.second, reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ((std::vector<UINT>{1, 2, 0xFE00}), IconIds(NIM_MODIFY)) << change.first;
        EXPECT_EQ((std::vector<UINT>{2}), IconIds(NIM_ADD)) << change.first;
    }
}

// UTF-8 is seen in a tooltip end to end; Wine runs the program with no double-byte code page.
TEST(TextCut, NeverSplitsACharacterOfTheCodePage) {
    const std::string japanese = "ab\x82\xA0\x82\xA2";  // two double-byte characters in code page 932
    EXPECT_EQ(2u, CharacterPrefixLength(japanese, 3, 932));
    EXPECT_EQ(4u, CharacterPrefixLength(japanese, 5, 932));
    EXPECT_EQ(1u, CharacterPrefixLength(std::string("a\0b", 3), 63, 1252));
}

TEST_F(TrayFixture, KeyboardSelectionRunAsCtrlShiftAndAShellThatIsNotReadyYet) {
    system.trayTakesIcons = false;  // at logon the taskbar may not exist yet
    TheApp()->Settings().WriteNumber("Admin", "RunAs", 1);
    CreateWindowWith({"Editor=C:\\e.exe", "Admin=C:\\a.exe"});
    system.trayTakesIcons = true;
    system.shown.insert(1);  // a refused add may have been carried out all the same
    system.Clear();
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::RetryTimer, 0);
    EXPECT_EQ((std::vector<UINT>{2}), IconIds(NIM_ADD)) << "the refused icon was not added again";
    EXPECT_EQ((std::vector<UINT>{1, 2}), IconIds(NIM_MODIFY));

    // A fourth-version callback: the event in the low word, the icon in the high word.
    auto keyboard = [&](int item, UINT event) {
        LPARAM lParam = MAKELPARAM(event, window->Shortcuts().At(item - 1).IconId);
        SendMessageA(window->m_hWnd, TrayCallbackMessage, 0, lParam);
    };
    keyboard(1, NIN_KEYSELECT);
    keyboard(2, NIN_KEYSELECT);
    ASSERT_EQ(2u, system.launches.size());
    EXPECT_EQ("open", system.launches[0].verb);
    EXPECT_EQ("runas", system.launches[1].verb);
    keyboard(1, WM_LBUTTONUP);  // the shell's own selection event after a click is not the keyboard's
    keyboard(1, NIN_SELECT);
    EXPECT_EQ(2u, system.launches.size());

    // Ctrl+Shift with the launching click asks for elevation this time only, and No to that prompt
    // shows nothing (the recorder stands in: Wine has no prompt).
    auto clickHolding = [&](BYTE control, BYTE shift, UINT message) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control;
        keys[VK_SHIFT] = shift;
        SetKeyboardState(keys);
        Click(1, message);
    };
    DialogRobot robot;  // fails the test on any box
    system.Clear();
    WriteOption(Option::Click, 2);
    clickHolding(0x80, 0x80, WM_LBUTTONDOWN);  // not the launching click of this style
    clickHolding(0x80, 0x80, WM_LBUTTONDBLCLK);
    WriteOption(Option::Click, 1);
    system.shellExecuteResult = SE_ERR_ACCESSDENIED;
    system.shellExecuteError = ERROR_CANCELLED;
    clickHolding(0x80, 0x80, WM_LBUTTONDOWN);
    system.shellExecuteResult = 42;
    clickHolding(0x80, 0, WM_LBUTTONDOWN);
    clickHolding(0, 0, WM_LBUTTONDOWN);
    std::string verbs;
    for (const ShellExecuteCall& call : system.launches) verbs += call.verb + " ";
    EXPECT_EQ("runas runas open open ", verbs);
    EXPECT_FALSE(window->Shortcuts().At(0).RunAs);
    EXPECT_EQ(0, robot.DialogsSeen());
}

// Through the seam (Wine has no dark menus): dark asked for only where the setting says dark and the
// build has the exports, at start or when the setting changes while running; back when it turns light.
TEST_F(TrayFixture, MenusGoDarkOnlyWhenTheSettingSaysSoOnABuildThatHasTheExports) {
    RegistryKey setting;
    ASSERT_TRUE(setting.Create(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize") &&
                setting.SetDword("AppsUseLightTheme", 0));
    auto changed = [&](const char* area) { SendMessageA(window->m_hWnd, WM_SETTINGCHANGE, 0, (LPARAM)area); };
    system.windowsBuild = 17763;  // 1809: ordinal 135 was another call
    CreateWindowWith({"Separator"});
    changed("ImmersiveColorSet");
    system.windowsBuild = 18362;
    changed("Environment");
    changed("ImmersiveColorSet");
    setting.SetDword("AppsUseLightTheme", 1);
    changed("ImmersiveColorSet");
    changed("ImmersiveColorSet");
    CreateWindowWith({"Separator"});  // light at start: nothing is asked
    setting.SetDword("AppsUseLightTheme", 0);
    CreateWindowWith({"Separator"});
    EXPECT_EQ((std::vector<int>{2, 0, 2}), system.menuModes);
    setting.DeleteValue("AppsUseLightTheme");
}

TEST_F(TrayFixture, NewIconsArePromotedOnceWhereWindows11KeepsTheirSettings) {
    const std::string settings = "Control Panel\\NotifyIconSettings";
    auto makeKey = [&](const char* key, const std::string& program, DWORD uid) {
        RegistryKey icon;
        ASSERT_TRUE(icon.Create(HKEY_CURRENT_USER, (settings + "\\" + key).c_str()));
        icon.SetString("ExecutablePath", program.c_str());
        icon.SetDword("UID", uid);
    };
    auto promoted = [&](const char* key) {
        RegistryKey icon;
        return icon.Open(HKEY_CURRENT_USER, (settings + "\\" + key).c_str()) ? icon.ReadInt("IsPromoted", -1) : -2;
    };
    DeleteRegistryTree(settings);  // what an earlier run left
    const DWORD first = 0xFE00, second = 0xFE01;  // the separators' identifiers
    makeKey("ours1", ThisProgram(), first);
    makeKey("other", "C:\\Other\\other.exe", second);
    CreateWindowWith({"Separator", "Separator"});
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::PromotionTimer, 0);
    makeKey("ours2", ThisProgram(), second);  // Windows makes the key a little after the icon appears
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::PromotionTimer, 0);
    EXPECT_EQ(1, promoted("ours1"));
    EXPECT_EQ(1, promoted("ours2"));
    EXPECT_EQ(-1, promoted("other"));

    RegistryKey hidden;  // the user hides one again: it stays hidden at the next start
    ASSERT_TRUE(hidden.Open(HKEY_CURRENT_USER, (settings + "\\ours1").c_str(), KEY_SET_VALUE));
    hidden.SetDword("IsPromoted", 0);
    CreateWindowWith({"Separator", "Separator"});
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::PromotionTimer, 0);
    EXPECT_EQ(0, promoted("ours1"));

    makeKey("ours3", ThisProgram(), 0xFE02);
    WriteOption(Option::ShowNewIcons, 0);
    CreateWindowWith({"Separator", "Separator", "Separator"});
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::PromotionTimer, 0);
    EXPECT_EQ(-1, promoted("ours3"));
    DeleteRegistryTree(settings);
}
