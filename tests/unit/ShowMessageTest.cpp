// ShowMessage: where the title comes from, the owner, ModalDepth, and what it returns.
#include "DialogRobot.h"
#include "app/TrayApp.h"
#include "framework/Wnd.h"
#include "lang/Language.h"
#include "lang/ShowMessage.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct Seen {
    std::string caption, text;
    HWND owner = nullptr;
    int modalDepth = -1;
};

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Records the box that opens, then finishes it.
DialogRobot::Action Record(Seen& seen, DialogRobot::Action finish) {
    return [&seen, finish](HWND dialog) {
        seen.caption = TextOf(dialog);
        seen.text = TextOf(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.modalDepth = App().ModalDepth;
        finish(dialog);
    };
}

// A hidden main window for the owner rule; the application forgets it afterwards.
class MainWindowScope : public CWnd {
public:
    MainWindowScope() {
        CreateEx(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
        App().m_pMainWnd = this;
    }
    ~MainWindowScope() override {
        App().m_pMainWnd = nullptr;
        DestroyWindow();
    }
};
}  // namespace

TEST(ShowMessage, TitleFromTitleKeyThenMessageKeyPlusTitleThenProgramName) {
    ASSERT_FALSE(GetText("msgConfirmDeleteTitle").empty());
    ASSERT_TRUE(GetText("msgNewNotAllowedTitle").empty());
    DialogRobot robot;
    Seen seen;

    robot.Then(Record(seen, DialogRobot::Press(IDCANCEL)));
    ShowMessage("msgConfirmDelete", 36);
    EXPECT_EQ(GetText("msgConfirmDeleteTitle"), seen.caption);
    EXPECT_EQ(GetText("msgConfirmDelete"), seen.text);

    robot.Then(Record(seen, DialogRobot::Press(IDCANCEL)));
    ShowMessage("msgConfirmDelete", 36, "msgTableFullTitle");
    EXPECT_EQ(GetText("msgTableFullTitle"), seen.caption);

    robot.Then(Record(seen, DialogRobot::Press(IDOK)));
    ShowMessage("msgNewNotAllowed", 48);
    EXPECT_EQ("Velkator", seen.caption);
    EXPECT_EQ(GetText("msgNewNotAllowed"), seen.text);

    // A title key without a text falls back the same way.
    robot.Then(Record(seen, DialogRobot::Press(IDOK)));
    ShowMessage("msgNewNotAllowed", 48, "msgNoSuchTitleForTests");
    EXPECT_EQ("Velkator", seen.caption);
    EXPECT_TRUE(robot.AllActionsUsed());
}

TEST(ShowMessage, ArgumentsAreInsertedIntoTheText) {
    DialogRobot robot;
    Seen seen;
    robot.Then(Record(seen, DialogRobot::Press(IDCANCEL)));
    ShowMessage("msgSiteLink", 36, nullptr, {"the first", "the second"});
    EXPECT_NE(std::string::npos, seen.text.find("the first"));
    EXPECT_NE(std::string::npos, seen.text.find("the second"));
    EXPECT_EQ(std::string::npos, seen.text.find("%1"));
}

TEST(ShowMessage, KeyThatCannotBeFormattedShowsNothingAndGivesOk) {
    DialogRobot robot;
    int depth = App().ModalDepth;
    EXPECT_EQ(IDOK, ShowMessage("msgNoSuchKeyForTests", 36));
    EXPECT_EQ(IDOK, ShowMessage("", 36));
    EXPECT_EQ(IDOK, ShowMessage(nullptr, 36));
    PumpMessages(100);
    EXPECT_EQ(0, robot.DialogsSeen());
    EXPECT_EQ(depth, App().ModalDepth);
}

TEST(ShowMessage, ModalDepthIsRaisedWhileTheBoxIsOpen) {
    DialogRobot robot;
    Seen seen;
    int before = App().ModalDepth;
    robot.Then(Record(seen, DialogRobot::Press(IDOK)));
    EXPECT_EQ(IDOK, ShowMessage("msgTableFull", 16));
    EXPECT_EQ(before + 1, seen.modalDepth);
    EXPECT_EQ(before, App().ModalDepth);
}

TEST(ShowMessage, ReturnsTheAnswer) {
    DialogRobot robot;
    robot.Then(DialogRobot::Press(IDOK));
    EXPECT_EQ(IDYES, ShowMessage("msgConfirmExit", 36));
    robot.Then(DialogRobot::Press(IDCANCEL));
    EXPECT_EQ(IDNO, ShowMessage("msgConfirmExit", 36));
    robot.Then(DialogRobot::Key(VK_ESCAPE));
    EXPECT_EQ(IDNO, ShowMessage("msgConfirmExit", 36));
    robot.Then(DialogRobot::Close());
    EXPECT_EQ(IDCANCEL, ShowMessage("msgTableFull", 16));
}

TEST(ShowMessage, OwnedByTheMainWindowsLastActivePopupOrNothing) {
    DialogRobot robot;
    Seen seen;
    robot.Then(Record(seen, DialogRobot::Press(IDOK)));
    ShowMessage("msgTableFull", 16);
    EXPECT_EQ(nullptr, seen.owner);

    MainWindowScope main;
    robot.Then(Record(seen, DialogRobot::Press(IDOK)));
    ShowMessage("msgTableFull", 16);
    EXPECT_EQ(main.m_hWnd, seen.owner);
}

TEST(ShowMessage, BoxAskedForWhileAnotherIsOpenIsOwnedByThatOne) {
    MainWindowScope main;
    DialogRobot robot;
    Seen inner;
    HWND outer = nullptr;
    int innerResult = 0, before = App().ModalDepth;
    robot.Then([&](HWND dialog) {
        outer = dialog;
        innerResult = ShowMessage("msgConfirmExit", 36);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    robot.Then(Record(inner, DialogRobot::Press(IDCANCEL)));
    EXPECT_EQ(IDOK, ShowMessage("msgTableFull", 16));
    EXPECT_NE(nullptr, outer);
    EXPECT_EQ(outer, inner.owner);
    EXPECT_EQ(IDNO, innerResult);
    EXPECT_EQ(before + 2, inner.modalDepth);
    EXPECT_EQ(before, App().ModalDepth);
}
