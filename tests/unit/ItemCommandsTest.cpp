#include "TrayFixture.h"
#include "app/TrayApp.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/ShortcutTable.h"

namespace {
class ItemCommands : public TrayFixture {
protected:
    std::vector<int> IconIds() const {
        std::vector<int> ids;
        for (int i = 0; i < ShortcutTable.Count; ++i) ids.push_back(ShortcutTable.Items[i].IconId);
        return ids;
    }
};

std::string DialogText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
}  // namespace

TEST_F(ItemCommands, TwoSeparatorsInARow) {
    CreateWindowWith({"Editor=C:\\e.exe"});
    system.Clear();
    window->AddSpecialItem(ShortcutKind::Separator);
    window->AddSpecialItem(ShortcutKind::Separator);
    EXPECT_EQ("Editor|Separator|Separator|", Order());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), IconIds());
    std::vector<NotifyCall> added = system.NotificationsOf(NIM_ADD);
    ASSERT_EQ(2u, added.size());
    EXPECT_EQ(2u, added[0].data.uID);
    EXPECT_EQ(3u, added[1].data.uID);
    EXPECT_EQ(7u, added[1].data.uFlags);
    EXPECT_EQ(GetText("tipSeparator"), added[1].Tip());
    EXPECT_EQ(GetText("tipSeparator"), ShortcutTable.Items[2].Name);
    // Special items have no marker and no section.
    EXPECT_EQ(2, RegistryValueCount(profile.KeyPath("Shortcuts")));  // Order and the marker of Editor
}

TEST_F(ItemCommands, DeletingTheThirdOfFiveKeepsTheOthers) {
    TheApp()->WriteProfileInt("Options", "ConfirmDelete", 0);
    CreateWindowWith({"A=C:\\a.exe", "Separator", "C=C:\\c.exe", "DeskAccess", "E=C:\\e.exe"});
    system.Clear();
    window->ContextItem = 3;
    window->DeleteContextItem();
    EXPECT_EQ("A|Separator|DeskAccess|E|", Order());
    EXPECT_EQ((std::vector<int>{1, 2, 4, 5}), IconIds());
    ASSERT_EQ(1u, system.notifications.size());  // the other icons are not touched
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), system.notifications[0].message);
    EXPECT_EQ(3u, system.notifications[0].data.uID);
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "C"));
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("C")));
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("E")));
    EXPECT_EQ(0, ShortcutTable.Items[4].IconId);

    // A special item leaves only its token.
    window->ContextItem = 2;
    window->DeleteContextItem();
    EXPECT_EQ("A|DeskAccess|E|", Order());
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("A")));
    EXPECT_TRUE(RegistryValueExists(profile.KeyPath("Shortcuts"), "A"));

    // A stale item number deletes nothing.
    window->ContextItem = 7;
    window->DeleteContextItem();
    EXPECT_EQ(3, ShortcutTable.Count);
}

TEST_F(ItemCommands, NoOnTheQuestionChangesNothing) {
    CreateWindowWith({"A=C:\\a.exe", "B=C:\\b.exe"});
    DialogRobot robot;
    std::string question, title;
    robot.Then([&](HWND dialog) {
        question = DialogText(dialog, IDC_MESSAGE_TEXT);
        char caption[128] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        title = caption;
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);  // the No button keeps id 2
    });
    window->ContextItem = 1;
    window->DeleteContextItem();
    EXPECT_EQ(1, robot.DialogsSeen());
    EXPECT_EQ(GetText("msgConfirmDelete"), question);
    EXPECT_EQ(GetText("msgConfirmDeleteTitle"), title);
    EXPECT_EQ(2, ShortcutTable.Count);
    EXPECT_EQ("A|B|", Order());
    EXPECT_TRUE(system.NotificationsOf(NIM_DELETE).empty());

    robot.Then(DialogRobot::Press(IDOK));  // the Yes button keeps id 1
    window->DeleteContextItem();
    EXPECT_EQ("B|", Order());
}

TEST_F(ItemCommands, AQuestionTheLanguageCannotFormatDeletesAndClosesNothing) {
    CreateWindowWith({"A=C:\\a.exe"});
    CloseLanguageLibrary();
    DialogRobot robot;
    window->ContextItem = 1;
    window->DeleteContextItem();
    window->CloseProgram();
    PumpMessages(200);
    EXPECT_EQ(0, robot.DialogsSeen());
    EXPECT_EQ(1, ShortcutTable.Count);
    EXPECT_TRUE(WindowAlive());
}

TEST_F(ItemCommands, CloseAsksFirstUnlessSwitchedOff) {
    CreateWindowWith({"A=C:\\a.exe"});
    DialogRobot robot;
    robot.Then(DialogRobot::Key(VK_ESCAPE));  // Escape answers No
    window->CloseProgram();
    PumpMessages(200);
    EXPECT_TRUE(WindowAlive());
    robot.Then(DialogRobot::Key(VK_RETURN));  // Enter answers Yes
    window->CloseProgram();
    PumpMessages(200);
    EXPECT_FALSE(WindowAlive());
    EXPECT_EQ(2, robot.DialogsSeen());
}

TEST_F(ItemCommands, CloseWithoutQuestion) {
    TheApp()->WriteProfileInt("Options", "ConfirmExit", 0);
    CreateWindowWith({"A=C:\\a.exe"});
    system.Clear();
    window->CloseProgram();
    PumpMessages(200);
    EXPECT_FALSE(WindowAlive());
    ASSERT_EQ(1u, system.notifications.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), system.notifications[0].message);
}

TEST_F(ItemCommands, AFullTableRefusesNewIcons) {
    std::vector<std::string> tokens(100, "Separator");
    CreateWindowWith(tokens);
    std::string order = Order();
    system.Clear();
    DialogRobot robot;
    std::string message;
    robot.Then([&](HWND dialog) {
        message = DialogText(dialog, IDC_MESSAGE_TEXT);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    window->AddSpecialItem(ShortcutKind::DialUp);
    EXPECT_EQ(GetText("msgTableFull"), message);
    EXPECT_EQ(100, ShortcutTable.Count);
    EXPECT_EQ(order, Order());
    EXPECT_TRUE(system.notifications.empty());
}

TEST_F(ItemCommands, DeletingTheLastItemOffersTheFirstTimeDialog) {
    TheApp()->WriteProfileInt("Options", "ConfirmDelete", 0);
    CreateWindowWith({"A=C:\\a.exe"});
    DialogRobot robot;
    std::string caption;
    robot.Then([&](HWND dialog) {
        char text[128] = "";
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        SendMessageA(GetDlgItem(dialog, IDC_FIRST_DESKACCESS), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    window->ContextItem = 1;
    window->DeleteContextItem();
    EXPECT_EQ(GetText("ftTitle"), caption);
    ASSERT_EQ(1, ShortcutTable.Count);
    EXPECT_EQ("DeskAccess", ShortcutTable.Items[0].Path);
    EXPECT_EQ(2, ShortcutTable.Items[0].IconId);
    EXPECT_EQ("DeskAccess|", Order());
    EXPECT_EQ(0, App().ModalDepth);
}
