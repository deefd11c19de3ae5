// The Order and Options pages inside the real sheet: what their lists hold, what apply stores, and
// which tray icons it touches. The real mouse drag and the language switch are end-to-end tests.
#include "Support.h"
#include "store/ExplorerVerb.h"
#include "store/Options.h"
#include "store/Password.h"
#include <commctrl.h>
#include <set>

namespace {
using Strings = std::vector<std::string>;
using Tips = std::vector<std::pair<UINT, std::string>>;

HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

Strings Entries(HWND control, bool combo) {
    Strings entries;
    char text[MAX_PATH];
    for (WPARAM i = 0; SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)text) >= 0; ++i)
        entries.push_back(text);
    return entries;
}

// What the system's drag list tells the page when the entry at from is dropped on the one at onto.
void Drag(HWND page, HWND list, int from, int onto) {
    for (auto step : {std::make_pair(DL_BEGINDRAG, from), std::make_pair(DL_DROPPED, onto)}) {
        RECT r;
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(step.second), reinterpret_cast<LPARAM>(&r));
        DRAGLISTINFO info = {static_cast<UINT>(step.first), list, {r.left + 4, r.top + 2}};
        ClientToScreen(list, &info.ptCursor);
        SendMessageA(page, RegisterWindowMessageA(DRAGLISTMSGSTRING), IDC_RPG_LIST, reinterpret_cast<LPARAM>(&info));
    }
}

void Notify(HWND page, int id, WORD code) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
}  // namespace

// One sheet for the third of five shortcuts, used as a person would: rename, drag, click, choose
// sounds, set a password; each apply stores only what changed.
TEST_F(TrayFixture, OrderAndOptionsPagesListWhatTheyEditAndApplyStoresOnlyWhatChanged) {
    const std::string folder = TheApp()->ModuleFolder() + "\\";
    const std::string label = GetText("rpgSeparator"), none = GetText("opgNoWave");
    const Strings files = {"DING.WAV", "My Sound.wav", "my.sound.wav", "velko09x.mlb"};
    for (const std::string& file : files)
        CloseHandle(CreateFileA((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CreateWindowWith({"A=C:\\a.exe", "B=C:\\b.exe", "C=C:\\c.exe", "Separator", "E=C:\\e.exe"});
    auto modified = [&] {
        Tips tips;
        for (const NotifyCall& call : system.NotificationsOf(NIM_MODIFY))
            tips.push_back({call.data.uID, call.data.szTip});
        return tips;
    };
    DialogRobot robot;
    robot.Then([&](HWND sheet) {
        HWND properties = ShowPage(sheet, 0);
        SetDlgItemTextA(properties, IDC_PPG_NAME, "Cee");  // shown on the Order page before it is applied
        HWND order = ShowPage(sheet, 1), list = GetDlgItem(order, IDC_RPG_LIST);
        EXPECT_EQ((Strings{"A", "B", "Cee", label, "E"}), Entries(list, false));
        EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
        Drag(order, list, 2, 0);
        EXPECT_EQ((Strings{"Cee", "A", "B", label, "E"}), Entries(list, false));
        EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
        system.Clear();
        Press(sheet, ID_APPLY_NOW);
        // The rename refreshes its icon first; then the icons come again in the new order.
        EXPECT_EQ((Tips{{3, "Cee"}}), modified());
        EXPECT_EQ((std::vector<UINT>{3, 1, 2, 0xFE00, 4}), IconIds(NIM_ADD));
        EXPECT_EQ("Cee|A|B|Separator|E|", Order());
        // A click without a move enables Apply; only the Properties page's shortcut is refreshed then.
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        Notify(order, IDC_RPG_LIST, LBN_SELCHANGE);
        EXPECT_TRUE(Enabled(sheet, ID_APPLY_NOW));
        system.Clear();
        Press(sheet, ID_APPLY_NOW);
        EXPECT_EQ((Tips{{3, "Cee"}}), modified());
        EXPECT_TRUE(IconIds(NIM_ADD).empty());
        // The edited shortcut followed its move: this rename reaches it, not the record now at place 2.
        SetDlgItemTextA(properties, IDC_PPG_NAME, "Cee2");
        // Filled from nothing stored: single click, the program's click sound, every box ticked, English
        // (listed twice: a second file with the same number is a language of its own).
        HWND options = ShowPage(sheet, 2), sound = GetDlgItem(options, IDC_OPG_SOUND);
        const HWND language = GetDlgItem(options, IDC_OPG_LANGUAGE);
        EXPECT_EQ((Strings{"English", "English", "German"}), Entries(language, true));
        EXPECT_EQ(9, SendMessageA(language, CB_GETITEMDATA, SendMessageA(language, CB_GETCURSEL, 0, 0), 0));
        const Strings sounds = Entries(sound, true);
        EXPECT_EQ((std::set<std::string>{none, "click", "ding", "My Sound", "my.sound"}),
                  std::set<std::string>(sounds.begin(), sounds.end()));
        EXPECT_EQ("click", sounds.at(static_cast<size_t>(SendMessageA(sound, CB_GETCURSEL, 0, 0))));
        EXPECT_EQ(0, SendDlgItemMessageA(options, IDC_OPG_CLICK, CB_GETCURSEL, 0, 0));
        for (int box : {IDC_OPG_QUICKNEW, IDC_OPG_CONFIRM_DELETE, IDC_OPG_CONFIRM_EXIT})
            EXPECT_TRUE(IsDlgButtonChecked(options, box));
        CheckDlgButton(options, IDC_OPG_QUICKNEW, BST_UNCHECKED);  // no Explorer verb naming the test program
        auto choose = [&](const std::string& entry) {
            SendMessageA(sound, CB_SETCURSEL, SendMessageA(sound, CB_FINDSTRINGEXACT, -1, (LPARAM)entry.c_str()), 0);
            Notify(options, IDC_OPG_SOUND, CBN_SELCHANGE);
            PumpMessages(50);  // the chosen sound plays at once
        };
        auto typedIsPlayable = [&](const std::string& typed) {
            SetWindowTextA(sound, typed.c_str());
            Notify(options, IDC_OPG_SOUND, CBN_EDITCHANGE);
            return Enabled(options, IDC_OPG_PLAY);
        };
        choose("ding");
        EXPECT_TRUE(typedIsPlayable(folder + "click.wav"));
        EXPECT_FALSE(typedIsPlayable("x"));
        choose("my.sound");
        WriteQuickNewVerb("Add");
        Press(sheet, ID_APPLY_NOW);
        EXPECT_EQ(folder + "my.sound.wav", ReadOption(Option::WaveFile));  // the file, not the listed name
        EXPECT_FALSE(RegistryKeyExists("Software\\Classes\\Directory\\shell\\zzVelkator"));  // QuickNew off
        choose(none);
        EXPECT_FALSE(Enabled(options, IDC_OPG_PLAY));
        Press(sheet, ID_APPLY_NOW);
        EXPECT_EQ(0, ReadOption(Option::PlayWave));
        WriteOption(Option::PlayWave, 1);
        typedIsPlayable("");  // an empty field is no sound either
        // A password set here locks this page and the list when it is next shown.
        Press(options, IDC_OPG_SECURITY);
        EXPECT_FALSE(Enabled(options, IDC_OPG_SOUND) || Enabled(options, IDC_OPG_CONFIRM_EXIT));
        EXPECT_TRUE(Enabled(options, IDC_OPG_CHANGE_PASSWORD));
        EXPECT_FALSE(Enabled(ShowPage(sheet, 1), IDC_RPG_LIST));
        Press(sheet, IDOK);
    });
    robot.Then([](HWND password) {
        for (int id : {IDC_SEC_PASSWORD, IDC_SEC_CONFIRM}) SetDlgItemTextA(password, id, "pw");
        SendMessageA(password, WM_COMMAND, IDOK, 0);
    });
    window->Commands().EditShortcut(2);
    for (const std::string& file : files) DeleteFileA((folder + file).c_str());
    EXPECT_EQ("Cee2|A|B|Separator|E|", Order());
    EXPECT_EQ(3, window->Shortcuts().At(0).IconId);
    ASSERT_EQ(2u, system.sounds.size());  // a listed sound plays its own file too
    EXPECT_EQ(folder + "DING.WAV", system.sounds[0].sound);
    EXPECT_EQ(folder + "my.sound.wav", system.sounds[1].sound);
    // No sound keeps the file for later; the password set in the sheet is stored.
    EXPECT_EQ(0, ReadOption(Option::PlayWave));
    EXPECT_EQ(folder + "my.sound.wav", ReadOption(Option::WaveFile));
    EXPECT_EQ(EncodePassword("pw"), ReadOption(Option::Security));
}
