// The Order and Options pages inside the real sheet: what their lists hold, what apply stores, and
// which tray icons it touches. The real mouse drag and the language switch are end-to-end tests.
#include "TrayFixture.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "sheet/ExplorerVerb.h"
#include "store/Options.h"
#include "store/Password.h"
#include <commctrl.h>
#include <mmsystem.h>
#include <set>

namespace {
HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::vector<std::string> Entries(HWND control, bool combo) {
    std::vector<std::string> entries;
    char text[MAX_PATH];
    for (WPARAM i = 0; i < static_cast<WPARAM>(SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0)); ++i)
        if (SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) >= 0)
            entries.push_back(text);
    return entries;
}

// The page is told what the system's drag list tells it when an entry is dragged onto another.
void Drag(HWND page, HWND list, int from, int onto) {
    auto pointOf = [list](int entry) {
        RECT r;
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&r));
        POINT p = {r.left + 4, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        return p;
    };
    DRAGLISTINFO info = {DL_BEGINDRAG, list, pointOf(from)};
    SendMessageA(page, RegisterWindowMessageA(DRAGLISTMSGSTRING), IDC_RPG_LIST, reinterpret_cast<LPARAM>(&info));
    info = {DL_DROPPED, list, pointOf(onto)};
    SendMessageA(page, RegisterWindowMessageA(DRAGLISTMSGSTRING), IDC_RPG_LIST, reinterpret_cast<LPARAM>(&info));
}

void Notify(HWND page, int id, WORD code) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
}  // namespace

TEST_F(TrayFixture, OrderPageMovesShortcutsToNewPlacesWhileIdentifiersAndUntouchedIconsStay) {
    CreateWindowWith({"A=C:\\a.exe", "B=C:\\b.exe", "C=C:\\c.exe", "Separator", "E=C:\\e.exe"});
    const std::string label = GetText("rpgSeparator");
    DialogRobot robot;
    std::vector<std::string> listed, dragged;
    std::string orderAfterApply;
    std::vector<std::pair<UINT, std::string>> modified;
    robot.Then([&](HWND sheet) {
        SetDlgItemTextA(ShowPage(sheet, 0), IDC_PPG_NAME, "Cee");  // mirrored on the Order page, not applied
        HWND page = ShowPage(sheet, 1), list = GetDlgItem(page, IDC_RPG_LIST);
        listed = Entries(list, false);
        EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
        Drag(page, list, 2, 0);
        dragged = Entries(list, false);
        EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
        system.Clear();
        SendMessageA(GetDlgItem(sheet, ID_APPLY_NOW), BM_CLICK, 0, 0);
        orderAfterApply = Order();
        for (const NotifyCall& call : system.NotificationsOf(NIM_MODIFY)) modified.push_back({call.data.uID, call.Tip()});
        // The shortcut's place followed it: a second rename must not reach the record now at place 2.
        SetDlgItemTextA(ShowPage(sheet, 0), IDC_PPG_NAME, "Cee2");
        SendMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    });
    window->RunShortcutSheet(3);
    EXPECT_EQ((std::vector<std::string>{"A", "B", "Cee", label, "E"}), listed);
    EXPECT_EQ((std::vector<std::string>{"Cee", "A", "B", label, "E"}), dragged);
    EXPECT_EQ("Cee|A|B|Separator|E|", orderAfterApply);
    // The rename refreshes place 3 first; then only the three places whose shortcut changed follow.
    EXPECT_EQ((std::vector<std::pair<UINT, std::string>>{{3, "Cee"}, {1, "Cee"}, {2, "A"}, {3, "B"}}), modified);
    EXPECT_EQ("Cee2|A|B|Separator|E|", Order());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(i + 1, window->Shortcuts().At(i).IconId);

    // A click without a move enables Apply but stores nothing. A password set on the Options page
    // locks that page and the list when it is next shown, and OK stores it.
    bool applyEnabled = false, listEnabled = true;
    robot.Then([&](HWND sheet) {
        HWND page = ShowPage(sheet, 0);
        SendDlgItemMessageA(page, IDC_RPG_LIST, LB_SETCURSEL, 1, 0);
        Notify(page, IDC_RPG_LIST, LBN_SELCHANGE);
        applyEnabled = Enabled(sheet, ID_APPLY_NOW);
        system.Clear();
        SendMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    });
    robot.Then([&](HWND sheet) {
        HWND options = ShowPage(sheet, 1);
        SendDlgItemMessageA(options, IDC_OPG_SECURITY, BM_CLICK, 0, 0);
        EXPECT_FALSE(Enabled(options, IDC_OPG_SOUND) || Enabled(options, IDC_OPG_CONFIRM_EXIT));
        EXPECT_TRUE(Enabled(options, IDC_OPG_CHANGE_PASSWORD));
        listEnabled = Enabled(ShowPage(sheet, 0), IDC_RPG_LIST);
        SendMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    });
    robot.Then([](HWND password) {
        for (int id : {IDC_SEC_PASSWORD, IDC_SEC_CONFIRM}) SetDlgItemTextA(password, id, "pw");
        SendMessageA(password, WM_COMMAND, IDOK, 0);
    });
    window->RunShortcutSheet(4);
    EXPECT_TRUE(applyEnabled);
    EXPECT_TRUE(system.notifications.empty());
    EXPECT_EQ("Cee2|A|B|Separator|E|", Order());
    window->RunShortcutSheet(4);
    EXPECT_FALSE(listEnabled);
    EXPECT_EQ(EncodePassword("pw"), ReadOption(Option::Security));
    EXPECT_TRUE(robot.AllActionsUsed());
}

TEST_F(TrayFixture, OptionsPageListsTheSoundsAndLanguagesBesideTheProgramAndStoresTheChoice) {
    const std::string folder = ExecutableFolder();
    const std::vector<std::string> files = {"DING.WAV", "My Sound.wav", "my.sound.wav", "velko09x.mlb"};
    for (const std::string& file : files) CloseHandle(CreateFileA((folder + "\\" + file).c_str(), GENERIC_WRITE, 0,
                                                                  nullptr, CREATE_ALWAYS, 0, nullptr));
    CreateWindowWith({"Separator"});
    WriteQuickNewVerb();
    const std::string verb = "Software\\Classes\\exefile\\shell\\zzVelkator";
    ASSERT_TRUE(RegistryKeyExists(verb));
    DialogRobot robot;
    std::vector<std::string> sounds, languages;
    std::string waveAfterTyping, waveOfListed;
    robot.Then([&](HWND sheet) {
        HWND page = ShowPage(sheet, 1), sound = GetDlgItem(page, IDC_OPG_SOUND);
        sounds = Entries(sound, true);
        languages = Entries(GetDlgItem(page, IDC_OPG_LANGUAGE), true);
        char text[MAX_PATH] = "";
        GetWindowTextA(sound, text, sizeof text);
        EXPECT_STREQ("click", text);
        EXPECT_EQ(0, SendDlgItemMessageA(page, IDC_OPG_CLICK, CB_GETCURSEL, 0, 0));
        for (int box : {IDC_OPG_QUICKNEW, IDC_OPG_CONFIRM_DELETE, IDC_OPG_CONFIRM_EXIT})
            EXPECT_EQ(static_cast<UINT>(BST_CHECKED), IsDlgButtonChecked(page, box));
        auto choose = [&](const char* entry) {
            SendMessageA(sound, CB_SETCURSEL, SendMessageA(sound, CB_FINDSTRINGEXACT, -1, (LPARAM)entry), 0);
            Notify(page, IDC_OPG_SOUND, CBN_SELCHANGE);
            PumpMessages(50);
        };
        auto type = [&](const std::string& typed) {
            SetWindowTextA(sound, typed.c_str());
            Notify(page, IDC_OPG_SOUND, CBN_EDITCHANGE);
            return Enabled(page, IDC_OPG_PLAY);
        };
        choose("ding");  // plays at once
        EXPECT_TRUE(type(folder + "\\click.wav"));
        EXPECT_FALSE(type("x"));
        SendMessageA(GetDlgItem(sheet, ID_APPLY_NOW), BM_CLICK, 0, 0);
        waveAfterTyping = ReadOption(Option::WaveFile);
        choose("my.sound");
        SendMessageA(GetDlgItem(sheet, ID_APPLY_NOW), BM_CLICK, 0, 0);
        waveOfListed = ReadOption(Option::WaveFile);
        choose(GetText("opgNoWave").c_str());
        EXPECT_FALSE(Enabled(page, IDC_OPG_PLAY));
        CheckDlgButton(page, IDC_OPG_QUICKNEW, BST_UNCHECKED);
        SendMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
    });
    window->RunShortcutSheet(1);
    for (const std::string& file : files) DeleteFileA((folder + "\\" + file).c_str());
    EXPECT_EQ((std::set<std::string>{GetText("opgNoWave"), "click", "ding", "My Sound", "my.sound"}),
              std::set<std::string>(sounds.begin(), sounds.end()));
    EXPECT_EQ((std::vector<std::string>{"English", "English", "German"}), languages);
    ASSERT_EQ(2u, system.sounds.size());  // a chosen sound plays its own file, as it is stored
    EXPECT_EQ(folder + "\\DING.WAV", system.sounds[0].sound);
    EXPECT_EQ(folder + "\\my.sound.wav", system.sounds[1].sound);
    EXPECT_EQ(folder + "\\x.wav", waveAfterTyping);
    EXPECT_EQ(folder + "\\my.sound.wav", waveOfListed);
    EXPECT_EQ(0, ReadOption(Option::PlayWave));
    EXPECT_EQ(waveOfListed, ReadOption(Option::WaveFile));
    EXPECT_FALSE(ReadOption(Option::QuickNew) != 0 || RegistryKeyExists(verb));
}
