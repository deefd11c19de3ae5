// Change Icon's start from a path without an index and from an index past the end. (Index 3 of the
// program and a file without icons are seen end to end.)
#include "Support.h"
#include "dialogs/ChangeIconDlg.h"

TEST(ChangeIconDlg, NoIndexChoosesNothingAndAnIndexPastTheEndIsKept) {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    for (const std::string& path : {std::string(program), std::string(program) + ",40"}) {
        int selected = -2, count = -1;
        bool okEnabled = false;
        DialogRobot robot;
        robot.Then([&](HWND dialog) {
            PumpMessages(50);
            selected = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CI_LIST, LB_GETCURSEL, 0, 0));
            count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CI_LIST, LB_GETCOUNT, 0, 0));
            okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
            DialogRobot::Press(okEnabled ? IDOK : IDCANCEL)(dialog);
        });
        CChangeIconDlg dialog(nullptr, path);
        const INT_PTR answer = dialog.DoModal();
        EXPECT_GT(count, 0) << path;
        EXPECT_EQ(-1, selected) << path;
        const bool pastTheEnd = path.back() == '0';
        EXPECT_EQ(pastTheEnd, okEnabled) << path;
        EXPECT_EQ(pastTheEnd ? IDOK : IDCANCEL, answer) << path;
        if (pastTheEnd) {
            EXPECT_EQ(path, dialog.IconPath());
        }
    }
}
