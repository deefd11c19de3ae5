// The message box's answers for each style the program uses, by the keyboard and the close box; a text
// and title that start with "$" like a key are shown as given. (Its buttons and texts, the exit
// question with its help and a launch error are seen end to end.)
#include "Support.h"
#include "dialogs/MessageDlg.h"

TEST(MessageDlg, KeysAndTheCloseBoxGiveEachStylesAnswer) {
    const struct { UINT style; DialogRobot::Action finish; INT_PTR result; } cases[] = {
        {0, DialogRobot::Key(VK_RETURN), IDOK}, {1, DialogRobot::Press(IDCANCEL), IDCANCEL},
        {36, DialogRobot::Key(VK_ESCAPE), IDNO}, {36, DialogRobot::Close(), IDNO},  // Yes and No
        {48, DialogRobot::Key(VK_ESCAPE), IDCANCEL}};
    for (const auto& c : cases) {
        DialogRobot robot;
        robot.Then([&c](HWND box) {
            EXPECT_EQ("$btnCancel & more|$btnYes", TextOf(GetDlgItem(box, IDC_MESSAGE_TEXT)) + "|" + TextOf(box));
            c.finish(box);
        });
        EXPECT_EQ(c.result, CMessageDlg("$btnCancel & more", "$btnYes", c.style, nullptr).DoModal()) << c.style;
    }
}
