// ShowMessage: where the title comes from, what a key without text gives, and the owner and
// ModalDepth of nested boxes. (The boxes themselves are seen end to end.)
#include "Support.h"
#include "app/TrayApp.h"
#include "dialogs/ShowMessage.h"
#include "framework/Wnd.h"
#include "lang/Language.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct Seen {
    HWND box = nullptr, owner = nullptr;
    std::string caption;
    int modalDepth = -1;
};

DialogRobot::Action Record(Seen& seen, int button) {
    return [&seen, button](HWND dialog) {
        char caption[256] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        seen = {dialog, GetWindow(dialog, GW_OWNER), caption, App().ModalDepth};
        SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    };
}
}  // namespace

TEST(ShowMessage, TitleFromTitleKeyThenKeyPlusTitleThenProgramName) {
    DialogRobot robot;
    Seen seen;
    robot.Then(Record(seen, IDCANCEL));
    EXPECT_EQ(IDNO, ShowMessage("msgSiteLink", 36, nullptr, {"a", "b"}));
    EXPECT_EQ(GetText("msgSiteLinkTitle"), seen.caption);
    robot.Then(Record(seen, IDOK));
    ShowMessage("msgSiteLink", 36, "msgTableFullTitle");
    EXPECT_EQ(GetText("msgTableFullTitle"), seen.caption);
    ASSERT_TRUE(GetText("secBadPasswordTitle").empty());
    robot.Then(Record(seen, IDOK));
    EXPECT_EQ(IDOK, ShowMessage("secBadPassword", 48, "msgNoSuchTitleForTests"));
    EXPECT_EQ("Velkator", seen.caption);

    // A key the language cannot format shows nothing and gives OK, which is never Yes.
    EXPECT_EQ(IDOK, ShowMessage("msgNoSuchKeyForTests", 36));
    PumpMessages(100);
    EXPECT_EQ(3, robot.DialogsSeen());
}

TEST(ShowMessage, OwnedByWhatTheProgramShowsOnTopWithModalDepthRaisedMeanwhile) {
    CWnd main;  // the application's main window, hidden
    main.CreateEx(0, "STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
    App().m_pMainWnd = &main;
    DialogRobot robot;
    Seen outer, inner;
    const int before = App().ModalDepth;
    robot.Then([&](HWND dialog) {
        outer = {dialog, GetWindow(dialog, GW_OWNER), "", App().ModalDepth};
        ShowMessage("msgConfirmExit", 36);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    robot.Then(Record(inner, IDCANCEL));
    EXPECT_EQ(IDOK, ShowMessage("msgTableFull", 16));
    EXPECT_EQ(main.m_hWnd, outer.owner);
    App().m_pMainWnd = nullptr;
    main.DestroyWindow();
    EXPECT_EQ(before + 1, outer.modalDepth);
    EXPECT_EQ(outer.box, inner.owner);
    EXPECT_EQ(before + 2, inner.modalDepth);
    EXPECT_EQ(before, App().ModalDepth);
}
