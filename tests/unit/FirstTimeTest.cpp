#include "TrayFixture.h"
#include "app/TrayApp.h"
#include "dialogs/FirstTimeDlg.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "res/resource.h"
#include "store/ShortcutTable.h"

namespace {
INT_PTR RunFirstTimeDialog(DialogRobot::Action action) {
    DialogRobot robot;
    robot.Then(action);
    CFirstTimeDlg dialog(nullptr);
    return dialog.DoModal();
}

DialogRobot::Action Choose(int radio) {
    return [radio](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, radio), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
}
}  // namespace

TEST(FirstTimeDialog, ResultIsTheChosenButton) {
    EXPECT_EQ(IDC_FIRST_APP, RunFirstTimeDialog(DialogRobot::Key(VK_RETURN)));
    EXPECT_EQ(IDC_FIRST_DUN, RunFirstTimeDialog(Choose(IDC_FIRST_DUN)));
    EXPECT_EQ(IDC_FIRST_DESKACCESS, RunFirstTimeDialog(Choose(IDC_FIRST_DESKACCESS)));
    EXPECT_EQ(IDC_FIRST_EXIT, RunFirstTimeDialog(Choose(IDC_FIRST_EXIT)));
    EXPECT_EQ(IDCANCEL, RunFirstTimeDialog(DialogRobot::Key(VK_ESCAPE)));
    EXPECT_EQ(IDCANCEL, RunFirstTimeDialog(DialogRobot::Close()));
}

TEST(FirstTimeDialog, OpensLocalisedWithTheFirstChoiceChecked) {
    std::string caption, message;
    bool checked[4] = {};
    RunFirstTimeDialog([&](HWND dialog) {
        char text[512];
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        GetDlgItemTextA(dialog, IDC_FIRST_MESSAGE, text, sizeof text);
        message = text;
        const int radios[] = {IDC_FIRST_APP, IDC_FIRST_DUN, IDC_FIRST_DESKACCESS, IDC_FIRST_EXIT};
        for (int i = 0; i < 4; ++i) checked[i] = IsDlgButtonChecked(dialog, radios[i]) == BST_CHECKED;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(GetText("ftTitle"), caption);
    EXPECT_EQ(GetText("ftMessage"), message);
    EXPECT_TRUE(checked[0]);
    EXPECT_FALSE(checked[1] || checked[2] || checked[3]);
}

namespace {
class FirstTimeFlow : public TrayFixture {
protected:
    int depthDuringDialog = -1;
    void StartEmptyAnswering(DialogRobot::Action action) {
        DialogRobot robot;
        robot.Then([this, action](HWND dialog) {
            depthDuringDialog = App().ModalDepth;
            action(dialog);
        });
        CreateWindowWith({});
        PumpMessages(100);
    }
};
}  // namespace

TEST_F(FirstTimeFlow, DialUpChoiceAddsItsIcon) {
    StartEmptyAnswering(Choose(IDC_FIRST_DUN));
    EXPECT_EQ(1, depthDuringDialog);
    EXPECT_EQ(0, App().ModalDepth);
    ASSERT_TRUE(WindowAlive());
    ASSERT_EQ(1, ShortcutTable.Count);
    EXPECT_EQ("Dial-Up Networking", ShortcutTable.Items[0].Path);
    EXPECT_EQ("Dial-Up Networking|", Order());
    EXPECT_EQ(1u, system.NotificationsOf(NIM_ADD).size());
}

TEST_F(FirstTimeFlow, DesktopChoiceAddsItsIcon) {
    StartEmptyAnswering(Choose(IDC_FIRST_DESKACCESS));
    ASSERT_TRUE(WindowAlive());
    EXPECT_EQ("DeskAccess|", Order());
}

TEST_F(FirstTimeFlow, EscapeAndNotNowEndTheProgram) {
    StartEmptyAnswering(DialogRobot::Key(VK_ESCAPE));
    EXPECT_FALSE(WindowAlive());
    window.reset();
    StartEmptyAnswering(Choose(IDC_FIRST_EXIT));
    EXPECT_FALSE(WindowAlive());
    EXPECT_EQ(0, ShortcutTable.Count);
    EXPECT_EQ("", Order());
}
