// The Options page inside the real sheet: what its lists hold, which sounds it plays (Wine plays
// none to hear), what apply stores, and the lock a password set there puts on the pages. The Order
// page, the click style, the questions and the language are end-to-end tests.
#include "Support.h"
#include "store/ExplorerVerb.h"
#include "store/Options.h"
#include "store/Password.h"
#include <mmsystem.h>
#include <set>

namespace {
using Strings = std::vector<std::string>;

HWND ShowPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
Strings Entries(HWND combo) {
    Strings entries;
    char text[MAX_PATH];
    for (WPARAM i = 0; SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text) >= 0; ++i) entries.push_back(text);
    return entries;
}
void Notify(HWND page, int id, WORD code) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
}  // namespace

TEST_F(TrayFixture, OptionsPageListsSoundsAndLanguagesPlaysTheChosenSoundAndLocks) {
    const std::string folder = TheApp()->ModuleFolder() + "\\", none = GetText("opgNoWave");
    const Strings files = {"DING.WAV", "My Sound.wav", "my.sound.wav", "velko09x.mlb"};
    for (const std::string& file : files)
        CloseHandle(CreateFileA((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CreateWindowWith({"A=C:\\a.exe"});
    DialogRobot robot;
    robot.Then([&](HWND sheet) {
        // Filled from nothing stored: single click, the program's click sound, every box ticked, English
        // (listed twice: a second file with the same number is a language of its own).
        HWND options = ShowPage(sheet, 2), sound = GetDlgItem(options, IDC_OPG_SOUND);
        const HWND language = GetDlgItem(options, IDC_OPG_LANGUAGE);
        EXPECT_EQ((Strings{"English", "English", "German"}), Entries(language));
        EXPECT_EQ(9, SendMessageA(language, CB_GETITEMDATA, SendMessageA(language, CB_GETCURSEL, 0, 0), 0));
        const Strings sounds = Entries(sound);  // a short name as it stands is listed in lower case
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
            PumpMessages();  // the chosen sound plays at once
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
        // A password set here locks this page and the Order page's list when it is next shown.
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
    window->Commands().EditShortcut(0);
    for (const std::string& file : files) DeleteFileA((folder + file).c_str());
    // A listed sound plays its own file; no sound keeps the file for later; the password is stored.
    EXPECT_EQ((std::vector<std::pair<std::string, UINT>>{{folder + "DING.WAV", SND_ASYNC}, {folder + "my.sound.wav", SND_ASYNC}}),
              system.sounds);
    EXPECT_EQ(0, ReadOption(Option::PlayWave));
    EXPECT_EQ(folder + "my.sound.wav", ReadOption(Option::WaveFile));
    EXPECT_EQ(EncodePassword("pw"), ReadOption(Option::Security));
}
