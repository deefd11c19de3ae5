// The main window's tray side in-process: icon handles, click dispatch, menu enabling and the
// commands it refuses, launch rules a user cannot reach cheaply, and what only Windows checks.
#include "Support.h"
#include "store/Options.h"
#include <dde.h>
#include <mmsystem.h>
#include <set>

// Of 103 stored shortcuts a hundred are shown (those past it stay stored: a shortcut list test), at
// every start of the taskbar; each icon handed over is freed, except the three special kinds' images.
TEST_F(TrayFixture, AHundredIconsShowAndTheirHandlesAreFreedExceptTheThreeSpecialImages) {
    std::vector<std::string> tokens = {"Separator", "Dial-Up Networking", "DeskAccess"};
    for (int i = 0; i < 100; ++i) tokens.push_back("App" + std::to_string(i) + "=" + ProgramPath() + ",1");
    CreateWindowWith(tokens);
    for (int i = 0; i < 50; ++i) SendMessageA(window->m_hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(100u * 51, system.NotificationsOf(NIM_ADD).size());
    std::set<HICON> alive;
    for (const NotifyCall& call : system.NotificationsOf(NIM_ADD)) {
        ICONINFO info = {};
        if (!GetIconInfo(call.data.hIcon, &info)) continue;
        alive.insert(call.data.hIcon);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    EXPECT_EQ(3u, alive.size());
}

// Single and double click are seen end to end; here a double click in single-click style, no style,
// and clicks while a dialog is open.
TEST_F(TrayFixture, ClicksFollowTheClickStyleAndWaitForOpenWindows) {
    CreateWindowWith({"Editor=C:\\Tools\\editor.exe", "Separator"});
    for (int style : {1, 0}) {
        WriteOption(Option::Click, style);
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MBUTTONDOWN, WM_RBUTTONUP})
            Click(1, message);
        EXPECT_EQ(size_t(style), system.launches.size()) << "style " << style;
        system.Clear();
    }
    WriteOption(Option::Click, 1);
    App().ModalDepth = 1;  // a dialog is open: clicks only bring it forward (a menu would block here)
    for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) Click(1, message);
    App().ModalDepth = 0;
    // Identifiers and item numbers are taken whole: a value beyond 32 bits never becomes a valid one.
    const WPARAM wide = (static_cast<WPARAM>(1) << 32) | 1;
    SendMessageA(window->m_hWnd, TrayCallbackMessage, wide, WM_LBUTTONDOWN);
    SendMessageA(window->m_hWnd, TrayCallbackMessage, 99, WM_LBUTTONDOWN);
    for (WPARAM number : {wide, WPARAM(0), WPARAM(3)}) Launch(number);
    EXPECT_TRUE(system.launches.empty());
    Launch(1);
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
    DestroyMenu(menu);
}

// What other programs post while the sheet (or any dialog) is open changes nothing under it, and
// launches nothing (least of all the new shortcut the sheet has not stored); the sheet's own change
// applies. At a start without icons, a locked program adds no special icon and ends.
TEST_F(TrayFixture, NothingPostedWhileTheSheetIsOpenOrChangesAreLockedAddsAnIcon) {
    CreateWindowWith({"A=C:\\a.exe", "B=C:\\b.exe"});
    DialogRobot robot;
    robot.Then([&](HWND sheet) {
        for (UINT command : {ID_NEW_SEPARATOR, ID_NEW_DUN, ID_NEW_DESKACCESS})
            SendMessageA(window->m_hWnd, WM_COMMAND, command, 0);
        for (WPARAM item : {1, 3}) Launch(item);
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
    EXPECT_TRUE(PumpMessages([&] { return !WindowAlive(); }));
    EXPECT_EQ(GetText("msgNewNotAllowed"), message);
    EXPECT_EQ("", Order());
}

TEST_F(TrayFixture, LaunchPlaysTheChosenSoundAndRefusesTextsTooLongToPass) {
    CreateWindowWith({"Editor=C:\\Tools\\editor.exe", "Separator", "DeskAccess"});
    WriteOption(Option::WaveFile, "C:\\Sounds\\tick.wav");
    Launch(1);
    Launch(2);  // a separator does nothing, not even the sound
    WriteOption(Option::PlayWave, 0);
    Launch(1);
    EXPECT_EQ((std::vector<std::pair<std::string, UINT>>{{"C:\\Sounds\\tick.wav", SND_ASYNC}}), system.sounds);
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
        EXPECT_EQ(call.message == NIM_SETVERSION ? UINT(NOTIFYICON_VERSION_4) : UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP),
                  call.message == NIM_SETVERSION ? call.data.uVersion : call.data.uFlags);
    }
    // Moved, the icons from the first place that changed go and come back in the new order.
    system.Clear();
    ASSERT_TRUE(window->Shortcuts().Reorder({0, 2, 1}));
    EXPECT_EQ((std::vector<UINT>{0xFE00, 2}), IconIds(NIM_DELETE));
    EXPECT_EQ((std::vector<UINT>{2, 0xFE00}), IconIds(NIM_ADD));
    window->RetitleSpecialIcons();
    EXPECT_EQ(UINT(NIF_TIP | NIF_SHOWTIP), system.NotificationsOf(NIM_MODIFY).at(0).data.uFlags);

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
    keyboard(1, WM_LBUTTONUP);  // the shell's own selection event after a click is not the keyboard's
    keyboard(1, NIN_SELECT);
    EXPECT_EQ((std::vector<std::string>{"open", "runas"}), system.launches);

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
    clickHolding(0, 0x80, WM_LBUTTONDOWN);
    EXPECT_EQ((std::vector<std::string>{"runas", "runas", "open", "open"}), system.launches);
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
    EXPECT_TRUE(system.menuModes.empty()) << "asked on 1809";
    system.windowsBuild = 18362;
    for (const char* area : {"Environment", "ImmersiveColorSet"}) changed(area);
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
    const std::string settings = "Control Panel\\NotifyIconSettings\\";
    auto makeKey = [&](const char* key, const std::string& program, DWORD uid, int promoted = -1) {
        RegistryKey icon;
        ASSERT_TRUE(icon.Create(HKEY_CURRENT_USER, (settings + key).c_str()));
        icon.SetString("ExecutablePath", program.c_str());
        icon.SetDword("UID", uid);
        if (promoted >= 0) icon.SetDword("IsPromoted", static_cast<DWORD>(promoted));
    };
    auto promoted = [&](const char* key) {
        RegistryKey icon;
        return icon.Open(HKEY_CURRENT_USER, (settings + key).c_str()) ? icon.ReadInt("IsPromoted", -1) : -2;
    };
    auto start = [&](std::vector<std::string> tokens) {
        CreateWindowWith(tokens);
        SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::PromotionTimer, 0);
    };
    DeleteRegistryTree(settings);  // what an earlier run left
    makeKey("ours1", ProgramPath(), 0xFE00);  // the separators' identifiers
    makeKey("other", "C:\\Other\\other.exe", 0xFE01);
    start({"Separator", "Separator"});
    makeKey("ours2", ProgramPath(), 0xFE01);  // Windows makes the key a little after the icon appears
    SendMessageA(window->m_hWnd, WM_TIMER, TrayIcons::PromotionTimer, 0);
    EXPECT_EQ((std::vector<int>{1, 1, -1}), (std::vector<int>{promoted("ours1"), promoted("ours2"), promoted("other")}));

    makeKey("ours1", ProgramPath(), 0xFE00, 0);  // the user hides one again: it stays hidden at the next start
    start({"Separator", "Separator"});
    EXPECT_EQ(0, promoted("ours1"));

    makeKey("ours3", ProgramPath(), 0xFE02);
    WriteOption(Option::ShowNewIcons, 0);
    start({"Separator", "Separator", "Separator"});
    EXPECT_EQ(-1, promoted("ours3"));
    DeleteRegistryTree(settings);
}
