// The Change Icon dialog's start from an icon path. (A file without icons is seen end to end.)
#include "Support.h"
#include "dialogs/ChangeIconDlg.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {
struct Start {
    int selected = -2;
    int count = -1;
    bool okEnabled = false;
};

// Opens the dialog on iconPath, notes how it starts, and ends it with finish.
INT_PTR RunChangeIcon(const std::string& iconPath, Start& start, DialogRobot::Action finish, std::string* result = nullptr) {
    DialogRobot robot;
    robot.Then([&](HWND dialog) {
        PumpMessages(50);
        start.selected = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CI_LIST, LB_GETCURSEL, 0, 0));
        start.count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CI_LIST, LB_GETCOUNT, 0, 0));
        start.okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
        finish(dialog);
    });
    CChangeIconDlg dialog(nullptr, iconPath);
    INT_PTR answer = dialog.DoModal();
    if (result) *result = dialog.IconPath();
    return answer;
}
}  // namespace

TEST(ChangeIconDlg, StartsOnTheIconOfThePath) {
    const std::string program = ExecutableFolder() + "\\Velkator.exe";
    Start start;
    std::string result;
    EXPECT_EQ(IDOK, RunChangeIcon(program + ",3", start, DialogRobot::Press(IDOK), &result));
    EXPECT_EQ(5, start.count);
    EXPECT_EQ(3, start.selected);
    EXPECT_EQ(program + ",3", result);
    RunChangeIcon(program, start, DialogRobot::Press(IDCANCEL));  // no comma: nothing chosen yet
    EXPECT_EQ(-1, start.selected);
    EXPECT_FALSE(start.okEnabled);
    EXPECT_EQ(IDOK, RunChangeIcon(program + ",40", start, DialogRobot::Press(IDOK), &result));  // past the end
    EXPECT_EQ(-1, start.selected);
    EXPECT_EQ(program + ",40", result);
}
