// ShowMessage: where the title comes from, the owner, ModalDepth, and what it returns.
#include "DialogRobot.h"
#include "app/TrayApp.h"
#include "framework/Wnd.h"
#include "lang/Language.h"
#include "dialogs/ShowMessage.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct Seen {
    HWND box = nullptr, owner = nullptr;
    std::string caption, text;
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
        seen.box = dialog;
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.caption = TextOf(dialog);
        seen.text = TextOf(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
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

TEST(ShowMessage, TitleFromTitleKeyThenKeyPlusTitleThenProgramName) {
    ASSERT_FALSE(GetText("msgSiteLinkTitle").empty());
    ASSERT_TRUE(GetText("msgNewNotAllowedTitle").empty());
    DialogRobot robot;
    Seen seen;
    robot.Then(Record(seen, DialogRobot::Press(IDCANCEL)));
    EXPECT_EQ(IDNO, ShowMessage("msgSiteLink", 36, nullptr, {"the first", "the second"}));
    EXPECT_EQ(GetText("msgSiteLinkTitle"), seen.caption);
    EXPECT_EQ(FormatText("msgSiteLink", {"the first", "the second"}), seen.text);
    EXPECT_EQ(nullptr, seen.owner);  // the program has no main window here

    robot.Then(Record(seen, DialogRobot::Press(IDOK)));
    ShowMessage("msgSiteLink", 36, "msgTableFullTitle");
    EXPECT_EQ(GetText("msgTableFullTitle"), seen.caption);
    // A title key without a text falls back like no title key.
    for (const char* titleKey : {static_cast<const char*>(nullptr), "msgNoSuchTitleForTests"}) {
        robot.Then(Record(seen, DialogRobot::Press(IDOK)));
        EXPECT_EQ(IDOK, ShowMessage("msgNewNotAllowed", 48, titleKey));
        EXPECT_EQ("Velkator", seen.caption);
        EXPECT_EQ(GetText("msgNewNotAllowed"), seen.text);
    }
    EXPECT_TRUE(robot.AllActionsUsed());
}

TEST(ShowMessage, KeyThatCannotBeFormattedShowsNothingAndGivesOk) {
    DialogRobot robot;
    const int depth = App().ModalDepth;
    EXPECT_EQ(IDOK, ShowMessage("msgNoSuchKeyForTests", 36));
    EXPECT_EQ(IDOK, ShowMessage("", 36));
    EXPECT_EQ(IDOK, ShowMessage(nullptr, 36));
    PumpMessages(100);
    EXPECT_EQ(0, robot.DialogsSeen());
    EXPECT_EQ(depth, App().ModalDepth);
}

TEST(ShowMessage, OwnedByWhatTheProgramShowsOnTopWithModalDepthRaisedMeanwhile) {
    MainWindowScope main;
    DialogRobot robot;
    Seen outer, inner;
    const int before = App().ModalDepth;
    robot.Then(Record(outer, [](HWND dialog) {
        ShowMessage("msgConfirmExit", 36);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }));
    robot.Then(Record(inner, DialogRobot::Press(IDCANCEL)));
    EXPECT_EQ(IDOK, ShowMessage("msgTableFull", 16));
    EXPECT_EQ(main.m_hWnd, outer.owner);
    EXPECT_EQ(before + 1, outer.modalDepth);
    ASSERT_NE(nullptr, outer.box);
    EXPECT_EQ(outer.box, inner.owner);
    EXPECT_EQ(before + 2, inner.modalDepth);
    EXPECT_EQ(before, App().ModalDepth);
}
