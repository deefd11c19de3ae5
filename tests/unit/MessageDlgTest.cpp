// The message box for each style the program uses: buttons, icon and answers. The exit question
// with its help, a launch error and the German captions are seen end to end.
#include "Support.h"
#include "dialogs/MessageDlg.h"

TEST(MessageDlg, EachStyleShowsItsButtonsIconAndAnswers) {
    // buttons: OK's text, then Cancel's when it shows.
    const struct { UINT style; const char *buttons, *icon; DialogRobot::Action finish; INT_PTR result; } cases[] = {
        {0, "OK", IDI_ASTERISK, DialogRobot::Key(VK_RETURN), IDOK},  // no icon bits: a box always shows one
        {1, "OK|Cancel", IDI_ASTERISK, DialogRobot::Press(IDCANCEL), IDCANCEL},
        {36, "&Yes|&No", IDI_QUESTION, DialogRobot::Key(VK_ESCAPE), IDNO},
        {36, "&Yes|&No", IDI_QUESTION, DialogRobot::Close(), IDNO},
        {48, "OK", IDI_EXCLAMATION, DialogRobot::Key(VK_ESCAPE), IDCANCEL},
    };
    for (const auto& c : cases) {
        DialogRobot robot;
        robot.Then([&c](HWND box) {
            HWND cancel = GetDlgItem(box, IDCANCEL);
            const bool twoButtons = IsWindowVisible(cancel) && IsWindowEnabled(cancel);
            EXPECT_EQ(c.buttons, TextOf(GetDlgItem(box, IDOK)) + (twoButtons ? "|" + TextOf(cancel) : ""));
            EXPECT_EQ(LoadIconA(nullptr, c.icon), (HICON)SendDlgItemMessageA(box, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
            // A text and title that start with "$" like a key are shown as given.
            EXPECT_EQ("$btnCancel & more|$btnYes", TextOf(GetDlgItem(box, IDC_MESSAGE_TEXT)) + "|" + TextOf(box));
            c.finish(box);
        });
        CMessageDlg box("$btnCancel & more", "$btnYes", c.style, nullptr);
        EXPECT_EQ(c.result, box.DoModal()) << "style " << c.style;
    }
}
