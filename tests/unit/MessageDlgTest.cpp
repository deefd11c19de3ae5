// The message box for the styles the program uses: its buttons, captions in two languages,
// icon, placement and results.
#include "DialogRobot.h"
#include "dialogs/HelpPopup.h"
#include "dialogs/MessageDlg.h"
#include "lang/Language.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

namespace {
struct ButtonState {
    bool visible = false, enabled = false;
    std::string text;
    RECT rect = {};  // in the dialog's client coordinates
};

struct BoxState {
    ButtonState ok, cancel;
    RECT marker = {}, window = {};
    std::string caption, message;
    HICON icon = nullptr;
    HWND focus = nullptr, okButton = nullptr;
    std::string okHelp, cancelHelp;
};

std::string TextOf(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT ClientRectOf(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

ButtonState ButtonOf(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    ButtonState state;
    state.visible = IsWindowVisible(button) != 0;
    state.enabled = IsWindowEnabled(button) != 0;
    state.text = TextOf(button);
    state.rect = ClientRectOf(dialog, button);
    return state;
}

std::string HelpFor(HWND dialog, int id) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = GetDlgItem(dialog, id);
    HelpPopupText.clear();
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    std::string shown = HelpPopupText;
    if (HWND popup = FindWindowA(HelpPopupClassName, nullptr)) SendMessageA(popup, WM_CLOSE, 0, 0);
    return shown;
}

BoxState Inspect(HWND dialog) {
    BoxState state;
    state.ok = ButtonOf(dialog, IDOK);
    state.cancel = ButtonOf(dialog, IDCANCEL);
    state.marker = ClientRectOf(dialog, GetDlgItem(dialog, IDC_MESSAGE_OK_PLACE));
    GetWindowRect(dialog, &state.window);
    state.caption = TextOf(dialog);
    state.message = TextOf(GetDlgItem(dialog, IDC_MESSAGE_TEXT));
    state.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
    state.focus = GetFocus();
    state.okButton = GetDlgItem(dialog, IDOK);
    return state;
}

// Runs a box, inspects it once open, then finishes it with the given action.
INT_PTR RunBox(UINT style, DialogRobot::Action finish, BoxState& state, const char* text = "The message",
               const char* title = "The title") {
    DialogRobot robot;
    robot.Then([&](HWND dialog) {
        state = Inspect(dialog);
        state.okHelp = HelpFor(dialog, IDOK);
        state.cancelHelp = HelpFor(dialog, IDCANCEL);
        finish(dialog);
    });
    CMessageDlg box(text, title, style, nullptr);
    INT_PTR result = box.DoModal();
    EXPECT_TRUE(robot.AllActionsUsed()) << "no box appeared";
    return result;
}

RECT TemplateRect(int x, int y, int width, int height) {
    // Dialog units of the template into pixels of the box's font, through a box of the same template.
    RECT r = {x, y, x + width, y + height};
    HWND probe = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MESSAGE), nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    MapDialogRect(probe, &r);
    DestroyWindow(probe);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

HICON SystemIcon(const char* id) {
    return LoadIconA(nullptr, id);
}

// Opens another language for one test and English again afterwards.
class LanguageScope {
public:
    explicit LanguageScope(WORD language) { m_opened = OpenLanguageLibrary(language); }
    ~LanguageScope() { OpenLanguageLibrary(9); }
    bool Opened() const { return m_opened; }

private:
    bool m_opened;
};
}  // namespace

TEST(MessageDlg, OkOnlyBoxShowsOneOkButtonAtTheMarkersPlace) {
    for (UINT style : {0u, 16u, 48u}) {
        BoxState box;
        EXPECT_EQ(IDOK, RunBox(style, DialogRobot::Press(IDOK), box)) << style;
        EXPECT_TRUE(box.ok.visible);
        EXPECT_EQ("OK", box.ok.text);
        EXPECT_FALSE(box.cancel.visible);
        EXPECT_FALSE(box.cancel.enabled);
        EXPECT_EQ(box.marker.left, box.ok.rect.left);
        EXPECT_EQ(box.marker.top, box.ok.rect.top);
        RECT templateOk = TemplateRect(45, 50, 50, 14);
        EXPECT_EQ(templateOk.right - templateOk.left, box.ok.rect.right - box.ok.rect.left);  // size kept
        EXPECT_EQ(box.okButton, box.focus);
    }
}

TEST(MessageDlg, IconFollowsTheStyleAndDefaultsToInformation) {
    BoxState box;
    RunBox(0, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(SystemIcon(IDI_ASTERISK), box.icon);
    RunBox(16, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(SystemIcon(IDI_HAND), box.icon);
    RunBox(36, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(SystemIcon(IDI_QUESTION), box.icon);
    RunBox(48, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(SystemIcon(IDI_EXCLAMATION), box.icon);
    RunBox(64, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(SystemIcon(IDI_ASTERISK), box.icon);
    EXPECT_NE(nullptr, box.icon);
}

TEST(MessageDlg, OkOnlyResultsOfEnterEscapeAndCloseBox) {
    BoxState box;
    EXPECT_EQ(IDOK, RunBox(16, DialogRobot::Key(VK_RETURN), box));
    EXPECT_EQ(IDCANCEL, RunBox(16, DialogRobot::Key(VK_ESCAPE), box));
    EXPECT_EQ(IDCANCEL, RunBox(0, DialogRobot::Close(), box));
}

TEST(MessageDlg, OkCancelBoxKeepsBothButtonsWhereTheTemplatePutsThem) {
    BoxState box;
    EXPECT_EQ(IDCANCEL, RunBox(1, DialogRobot::Press(IDCANCEL), box));
    EXPECT_TRUE(box.ok.visible && box.ok.enabled);
    EXPECT_TRUE(box.cancel.visible && box.cancel.enabled);
    EXPECT_EQ("OK", box.ok.text);
    EXPECT_EQ("Cancel", box.cancel.text);
    EXPECT_TRUE(SameRect(TemplateRect(45, 50, 50, 14), box.ok.rect));
    EXPECT_TRUE(SameRect(TemplateRect(103, 50, 50, 14), box.cancel.rect));
    EXPECT_EQ(SystemIcon(IDI_ASTERISK), box.icon);
    EXPECT_EQ(IDOK, RunBox(1, DialogRobot::Key(VK_RETURN), box));
    EXPECT_EQ(IDCANCEL, RunBox(1, DialogRobot::Key(VK_ESCAPE), box));
}

TEST(MessageDlg, YesNoBoxSaysYesAndNoAndAnswersSixOrSeven) {
    BoxState box;
    EXPECT_EQ(IDYES, RunBox(36, DialogRobot::Key(VK_RETURN), box));
    EXPECT_EQ("&Yes", box.ok.text);
    EXPECT_EQ("&No", box.cancel.text);
    EXPECT_TRUE(box.cancel.visible && box.cancel.enabled);
    EXPECT_TRUE(SameRect(TemplateRect(45, 50, 50, 14), box.ok.rect));
    EXPECT_EQ(box.okButton, box.focus);
    EXPECT_EQ(IDYES, RunBox(36, DialogRobot::Press(IDOK), box));
    EXPECT_EQ(IDNO, RunBox(36, DialogRobot::Press(IDCANCEL), box));
    EXPECT_EQ(IDNO, RunBox(36, DialogRobot::Key(VK_ESCAPE), box));
    EXPECT_EQ(IDNO, RunBox(36, DialogRobot::Close(), box));
}

TEST(MessageDlg, ButtonHelpMatchesWhatTheButtonSays) {
    BoxState box;
    RunBox(36, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(GetText("hlpYes"), box.okHelp);
    EXPECT_EQ(GetText("hlpNo"), box.cancelHelp);
    RunBox(1, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(GetText("hlpOK"), box.okHelp);
    EXPECT_EQ(GetText("hlpCancel"), box.cancelHelp);
    EXPECT_FALSE(box.okHelp.empty());
}

TEST(MessageDlg, CaptionsInGerman) {
    LanguageScope german(7);
    ASSERT_TRUE(german.Opened());
    BoxState box;
    EXPECT_EQ(IDNO, RunBox(36, DialogRobot::Press(IDCANCEL), box));
    EXPECT_EQ("&Ja", box.ok.text);
    EXPECT_EQ("&Nein", box.cancel.text);
    RunBox(1, DialogRobot::Press(IDOK), box);
    EXPECT_EQ("OK", box.ok.text);
    EXPECT_EQ("Abbrechen", box.cancel.text);
}

TEST(MessageDlg, TextAndTitleAreShownAsGivenEvenWithADollarSign) {
    BoxState box;
    RunBox(0, DialogRobot::Press(IDOK), box, "$btnCancel & more", "$btnYes");
    EXPECT_EQ("$btnCancel & more", box.message);
    EXPECT_EQ("$btnYes", box.caption);
}

TEST(MessageDlg, PlacedInTheScreenCornerWithoutOwner) {
    BoxState box;
    RunBox(48, DialogRobot::Press(IDOK), box);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 50, box.window.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - 50, box.window.bottom);
    RECT size = TemplateRect(0, 0, 197, 71);
    EXPECT_GT(box.window.right - box.window.left, size.right);  // the frame around the 197-unit client area
}
