// The message box for the styles the program uses: its buttons, icon, help and results. The exit
// question, a launch error and the German captions are seen end to end.
#include "DialogRobot.h"
#include "dialogs/MessageDlg.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

namespace {
std::string TextOf(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT ClientRectOf(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The box's text and title start with "$" like a text key, and must still be shown as given.
const char* const kText = "$btnCancel & more";
const char* const kTitle = "$btnYes";

// Runs a box; once it is open, inspect (if any) looks at it and finish ends it.
INT_PTR RunBox(UINT style, DialogRobot::Action finish, DialogRobot::Action inspect = nullptr) {
    DialogRobot robot;
    robot.Then([&](HWND dialog) {
        if (inspect) inspect(dialog);
        finish(dialog);
    });
    CMessageDlg box(kText, kTitle, style, nullptr);
    const INT_PTR result = box.DoModal();
    EXPECT_TRUE(robot.AllActionsUsed()) << "no box appeared";
    return result;
}

// Shows the table the box answers F1 from.
struct BoxHelp : CMessageDlg {
    explicit BoxHelp(UINT style) : CMessageDlg("", "", style, nullptr) {}
    using CMessageDlg::GetHelpTable;
};
}  // namespace

TEST(MessageDlg, EachStyleShowsItsButtonsIconAndHelp) {
    const struct {
        UINT style;
        const char* ok;
        const char* cancel;  // null: Cancel is hidden and OK stands alone at the marker's place
        const char* icon;
        const char* okHelpKey;
        INT_PTR okResult;
    } cases[] = {
        {0, "OK", nullptr, IDI_ASTERISK, "hlpOK", IDOK},  // no icon bits: a box always shows one
        {1, "OK", "Cancel", IDI_ASTERISK, "hlpOK", IDOK},
        {36, "&Yes", "&No", IDI_QUESTION, "hlpYes", IDYES},
        {48, "OK", nullptr, IDI_EXCLAMATION, "hlpOK", IDOK},
    };
    for (const auto& c : cases) {
        auto inspect = [&c](HWND box) {
            HWND ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL);
            const RECT okShown = ClientRectOf(box, IDOK), marker = ClientRectOf(box, IDC_MESSAGE_OK_PLACE);
            const bool twoButtons = c.cancel != nullptr;
            EXPECT_TRUE(IsWindowVisible(ok));
            EXPECT_EQ(c.ok, TextOf(ok));
            EXPECT_EQ(ok, GetFocus());
            EXPECT_EQ(twoButtons, IsWindowVisible(cancel) != FALSE);
            EXPECT_EQ(twoButtons, IsWindowEnabled(cancel) != FALSE);
            if (twoButtons) {
                EXPECT_EQ(c.cancel, TextOf(cancel));
            }
            // A lone OK takes the marker's place (the marker has its size); two stay where the template has them.
            EXPECT_EQ(!twoButtons, EqualRect(&marker, &okShown) != FALSE);
            EXPECT_EQ(LoadIconA(nullptr, c.icon),
                      reinterpret_cast<HICON>(SendDlgItemMessageA(box, IDC_MESSAGE_ICON, STM_GETICON, 0, 0)));
            EXPECT_EQ(kText, TextOf(GetDlgItem(box, IDC_MESSAGE_TEXT)));
            EXPECT_EQ(kTitle, TextOf(box));
        };
        EXPECT_EQ(c.okResult, RunBox(c.style, DialogRobot::Press(IDOK), inspect)) << "style " << c.style;
        EXPECT_STREQ(c.okHelpKey, FindHelpKey(BoxHelp(c.style).GetHelpTable(), IDOK));
    }
}

TEST(MessageDlg, EnterEscapeAndTheCloseBoxGiveTheStylesAnswers) {
    const struct { UINT style; DialogRobot::Action finish; INT_PTR result; } cases[] = {
        {16, DialogRobot::Key(VK_ESCAPE), IDCANCEL}, {1, DialogRobot::Press(IDCANCEL), IDCANCEL},
        {36, DialogRobot::Key(VK_RETURN), IDYES},    {36, DialogRobot::Press(IDCANCEL), IDNO},
        {36, DialogRobot::Key(VK_ESCAPE), IDNO},     {36, DialogRobot::Close(), IDNO},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(cases[i].result, RunBox(cases[i].style, cases[i].finish)) << "case " << i;
}
