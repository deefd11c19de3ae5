#include "TrayFixture.h"
#include "app/TrayApp.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/ShortcutTable.h"
#include "tray/Launch.h"
#include <mmsystem.h>

TEST(LaunchRules, ProgramPathParts) {
    std::string folder, extension;
    SplitProgramPath("C:\\Tools\\edit.exe", folder, extension);
    EXPECT_EQ("C:\\Tools\\", folder);
    EXPECT_EQ(".exe", extension);
    SplitProgramPath("C:notes.v2.txt", folder, extension);
    EXPECT_EQ("C:", folder);
    EXPECT_EQ(".txt", extension);
    SplitProgramPath("\\\\server\\share.d\\readme", folder, extension);
    EXPECT_EQ("\\\\server\\share.d\\", folder);
    EXPECT_EQ("", extension);
    SplitProgramPath("d:/a/b.c/x.tar.gz", folder, extension);
    EXPECT_EQ("d:/a/b.c/", folder);
    EXPECT_EQ(".gz", extension);
}

namespace {
class Launching : public TrayFixture {
protected:
    void SetUp() override {
        TheApp()->WriteProfileString("Editor", "Startup", "C:\\Work");
        TheApp()->WriteProfileString("Editor", "Arguments", "-n \"a b\"");
        TheApp()->WriteProfileInt("Editor", "Style", 2);
        CreateWindowWith({"Editor=C:\\Tools\\editor.exe", "Separator", "Dial-Up Networking", "DeskAccess"});
    }
    void SetPrompt() { ShortcutTable.Items[0].Prompt = 1; }
};

std::string Text(HWND window, int id = 0) {
    char text[1024] = "";
    if (id) GetDlgItemTextA(window, id, text, sizeof text); else GetWindowTextA(window, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(Launching, ApplicationStartsThroughTheShellWithItsSettingsAndTheSound) {
    window->LaunchItem(1, WM_LBUTTONDOWN);
    ASSERT_EQ(1u, system.launches.size());
    const ShellExecuteCall& call = system.launches[0];
    EXPECT_EQ(window->m_hWnd, call.owner);
    EXPECT_EQ("open", call.verb);
    EXPECT_EQ("C:\\Tools\\editor.exe", call.file);
    EXPECT_EQ("-n \"a b\"", call.parameters);
    EXPECT_EQ("C:\\Work", call.folder);
    EXPECT_EQ(SW_SHOWMAXIMIZED, call.show);
    ASSERT_EQ(1u, system.sounds.size());
    EXPECT_EQ("Click.wav", system.sounds[0].sound);
    EXPECT_EQ(static_cast<UINT>(SND_ASYNC), system.sounds[0].flags);
}

TEST_F(Launching, SoundFollowsTheOptions) {
    TheApp()->WriteProfileString("Options", "WaveFile", "C:\\Sounds\\tick.wav");
    window->LaunchItem(1, WM_LBUTTONDOWN);
    ASSERT_EQ(1u, system.sounds.size());
    EXPECT_EQ("C:\\Sounds\\tick.wav", system.sounds[0].sound);
    for (int playWave : {0, 2}) {
        TheApp()->WriteProfileInt("Options", "PlayWave", playWave);
        window->LaunchItem(1, WM_LBUTTONDOWN);
    }
    EXPECT_EQ(1u, system.sounds.size());
    EXPECT_EQ(3u, system.launches.size());
}

TEST_F(Launching, SpecialItemsLaunchNothing) {
    window->LaunchItem(2, WM_LBUTTONDOWN);  // separator: not even the sound
    EXPECT_TRUE(system.sounds.empty());
    window->LaunchItem(3, WM_LBUTTONDOWN);  // dial-up and desktop: the sound, then their menus
    window->LaunchItem(4, WM_LBUTTONDOWN);
    EXPECT_EQ(2u, system.sounds.size());
    EXPECT_TRUE(system.launches.empty());
    ShortcutTable.Items[0].Path.clear();
    window->LaunchItem(1, WM_LBUTTONDOWN);
    EXPECT_EQ(2u, system.sounds.size());
    EXPECT_TRUE(system.launches.empty());
}

TEST_F(Launching, PromptGivesTheTypedArgumentsAndCancelGivesNone) {
    SetPrompt();
    DialogRobot robot;
    std::string initial, caption;
    int depth = -1;
    robot.Then([&](HWND dialog) {
        initial = Text(dialog, IDC_ARGUMENTS_EDIT);
        caption = Text(dialog);
        depth = App().ModalDepth;
        SetDlgItemTextA(dialog, IDC_ARGUMENTS_EDIT, "two words");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    window->LaunchItem(1, WM_LBUTTONDOWN);
    EXPECT_EQ("", initial);  // the stored arguments are not offered
    EXPECT_EQ(GetText("rnTitle"), caption);
    EXPECT_EQ(1, depth);
    EXPECT_EQ(0, App().ModalDepth);
    robot.Then(DialogRobot::Press(IDCANCEL));
    window->LaunchItem(1, WM_LBUTTONDOWN);
    ASSERT_EQ(2u, system.launches.size());
    EXPECT_EQ("two words", system.launches[0].parameters);
    EXPECT_EQ("", system.launches[1].parameters);
}

TEST_F(Launching, PromptTakesAtMost255Characters) {
    SetPrompt();
    DialogRobot robot;
    robot.Then([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_ARGUMENTS_EDIT, std::string(300, 'a').c_str());
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    window->LaunchItem(1, WM_LBUTTONDOWN);
    ASSERT_EQ(1u, system.launches.size());
    EXPECT_EQ(255u, system.launches[0].parameters.size());
}

TEST_F(Launching, ShellErrorsAreShownWithTheirKeyAndArguments) {
    system.shellExecuteResult = 31;
    ShortcutTable.Items[0].Path = "C:\\Docs\\report.xyz";
    DialogRobot robot;
    std::string message, title;
    robot.Then([&](HWND dialog) {
        message = Text(dialog, IDC_MESSAGE_TEXT);
        title = Text(dialog);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    window->LaunchItem(1, WM_LBUTTONDOWN);
    EXPECT_EQ(FormatText("errNoAssoc", {"C:\\Docs\\report.xyz", "C:\\Docs\\", ".xyz"}), message);
    EXPECT_NE(std::string::npos, message.find(".xyz"));
    EXPECT_EQ(GetText("errTitle"), title);
    EXPECT_EQ(1, robot.DialogsSeen());
}

TEST_F(Launching, OverlongTextsAreRefusedNotCut) {
    DialogRobot robot;
    std::vector<std::string> messages;
    for (int i = 0; i < 3; ++i)
        robot.Then([&](HWND dialog) {
            messages.push_back(Text(dialog, IDC_MESSAGE_TEXT));
            SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        });
    ShortcutItem& item = ShortcutTable.Items[0];
    item.Arguments = std::string(256, 'a');
    window->LaunchItem(1, WM_LBUTTONDOWN);
    item.Arguments.clear();
    item.Startup = "C:\\" + std::string(253, 'f');
    window->LaunchItem(1, WM_LBUTTONDOWN);
    item.Startup.clear();
    item.Path = "C:\\" + std::string(300, 'p') + ".exe";
    window->LaunchItem(1, WM_LBUTTONDOWN);
    EXPECT_TRUE(system.launches.empty());
    ASSERT_EQ(3u, messages.size());
    for (const std::string& message : messages) EXPECT_EQ(GetText("errTooLong"), message);

    item.Path = "C:\\" + std::string(251, 'p');  // exactly 255 characters still launch
    window->LaunchItem(1, WM_LBUTTONDOWN);
    EXPECT_EQ(1u, system.launches.size());
}
