// The settings sheet as a person uses it: a new shortcut from New > Icon, the pages each way of
// opening shows, editing and renaming, browsing, Change Icon, the language and the Order page.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr const char* kSheetTitle = "Velkator Settings";
const std::initializer_list<WORD> kNewIcon = {VK_DOWN, VK_RIGHT, VK_RETURN};
const std::initializer_list<WORD> kProperties = {VK_UP, VK_RETURN};  // the menu's last entry

class SheetTest : public ProgramTest {
protected:
    SheetTest() : ProgramTest({"velko009.mlb", "velko007.mlb", "launchlog.exe"}) {}

    // Opens the sheet from the k-th icon's menu; the sheet, or null.
    HWND OpenSheet(int k, std::initializer_list<WORD> keys) {
        return UseTrayMenu(velkator_, k, keys) ? Dialog(kSheetTitle) : nullptr;
    }
    bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    // Points at the k-th tray icon; the taskbar's tooltip text once that reads tip, else the last seen.
    std::string TipOf(int k, const std::string& tip) {
        char text[128] = "";
        DWORD taskbar = 0;
        GetWindowThreadProcessId(FindWindowA("Shell_TrayWnd", nullptr), &taskbar);
        SetCursorPos(Centre(TrayIconCell(k)).x, Centre(TrayIconCell(k)).y);
        WaitUntil([&] {
            HWND tooltip = WaitForWindow("tooltips_class32", nullptr, taskbar, true, 0);
            return tooltip && SendMessageA(tooltip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) &&
                   text == tip;
        });
        return text;
    }
};

// Cancel leaves nothing behind; browsing fills folder and name and clears the icon; Apply stores the
// shortcut and a Cancel after it keeps it; its icon shows and a click launches it.
TEST_F(SheetTest, NewIconIsFilledByBrowsingKeptAfterApplyAndLaunchedByAClick) {
    ASSERT_TRUE(WriteOrder("Separator|") && StartVelkator(velkator_, folder_));
    HWND sheet = OpenSheet(0, kNewIcon), page = CurrentPage(sheet);
    EXPECT_EQ(2, PageCount(sheet));
    EXPECT_EQ(GetDlgItem(page, IDC_PPG_NAME), FocusOf(sheet)) << "the name field has no focus";
    ASSERT_TRUE(SetControlText(page, IDC_PPG_NAME, "Tool"));
    EXPECT_FALSE(IsEnabled(sheet, IDOK)) << "OK without a program";
    ASSERT_TRUE(ClickButton(sheet, IDCANCEL) && WaitForWindowGone(sheet));
    EXPECT_EQ("Separator|", ReadOrder());

    sheet = OpenSheet(0, kNewIcon);
    page = CurrentPage(sheet);
    ASSERT_TRUE(SetControlText(page, IDC_PPG_ICON_PATH, "C:\\old.ico") && ClickButton(page, IDC_PPG_BROWSE_PROGRAM));
    HWND browse = Dialog("Choose Program");
    EXPECT_EQ(sheet, GetWindow(browse, GW_OWNER)) << "the sheet stays usable under its file dialog";
    EXPECT_FALSE(IsEnabled(sheet, IDOK) || IsWindowEnabled(sheet));
    constexpr int kFileNameCombo = 1148;  // the file name field of the system's Open dialog
    ASSERT_TRUE(SetWindowTextA(FindWindowExA(GetDlgItem(browse, kFileNameCombo), nullptr, "Edit", nullptr),
                               helper_.c_str()) ||
                SetControlText(browse, kFileNameCombo, helper_));
    ASSERT_TRUE(ClickButton(browse, IDOK) && WaitForWindowGone(browse));
    EXPECT_EQ(helper_, ControlText(page, IDC_PPG_PATH));
    EXPECT_EQ(folder_.Path(), ControlText(page, IDC_PPG_STARTUP));
    EXPECT_EQ("Startprotokoll", ControlText(page, IDC_PPG_NAME)) << "the German version description";
    EXPECT_EQ("", ControlText(page, IDC_PPG_ICON_PATH));

    // A name or a program that could not be stored says why, and OK is off.
    for (auto field : {std::make_pair(IDC_PPG_NAME, "a|b"), std::make_pair(IDC_PPG_PATH, "DeskAccess")}) {
        const std::string was = ControlText(page, field.first);
        ASSERT_TRUE(SetControlText(page, field.first, field.second));
        EXPECT_TRUE(!IsEnabled(sheet, IDOK) && IsWindowVisible(GetDlgItem(page, IDC_PPG_PROBLEM))) << field.second;
        ASSERT_TRUE(SetControlText(page, field.first, was));
    }
    ASSERT_TRUE(SetControlText(page, IDC_PPG_NAME, "Tool") && SetControlText(page, IDC_PPG_ARGUMENTS, "typed args"));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_PPG_PROBLEM)));
    ASSERT_TRUE(ClickButton(sheet, ID_APPLY_NOW));
    EXPECT_TRUE(WaitForOrder("Separator|Tool|")) << ReadOrder();
    ASSERT_TRUE(ClickButton(sheet, IDCANCEL) && WaitForWindowGone(sheet));
    EXPECT_EQ("Separator|Tool|", ReadOrder()) << "Cancel after Apply dropped the shortcut";
    Icon questionMark = QuestionMarkIcon();
    ASSERT_TRUE(WaitForTrayIcon(1, questionMark.get()) && ClickAt(Centre(TrayIconCell(1)), MouseButton::Left));
    const std::vector<std::string> launched = WaitForLaunches(1);
    EXPECT_NE(std::string::npos, launched.at(0).find("\ttyped args\t")) << launched.at(0);
}

// A special icon's sheet has Order and Options only; German chosen there takes over once the sheet has
// closed: the Explorer verb, the menu (whose "E" now opens the sheet) and the tooltips of special icons.
TEST_F(SheetTest, PagesFollowTheIconARenameKeepsItsPlaceUnlessTheNameIsTakenAndALanguageTakesOver) {
    const ShortcutSettings shortcut = {helper_, "", "", folder_.FilePath(kProgramExe) + ",3"};  // DeskAccess
    for (const char* name : {"Mail", "Editor", "Calc"}) ASSERT_TRUE(WriteShortcut(name, shortcut));
    ASSERT_TRUE(WriteOrder("Mail|Editor|Calc|Separator|DeskAccess|") && StartVelkator(velkator_, folder_));

    HWND sheet = OpenSheet(1, kProperties), page = CurrentPage(sheet);
    EXPECT_EQ(3, PageCount(sheet));
    // The common controls of today, not Windows 95's: the side-by-side assembly the manifest names
    // (Wine's copy of it reports version 5.81 from DllGetVersion, so its place is what is checked).
    std::string controls = LoadedModule(velkator_.Id(), "comctl32.dll");
    CharLowerA(&controls[0]);
    EXPECT_NE(std::string::npos, controls.find("microsoft.windows.common-controls_6595b64144ccf1df_6.")) << controls;
    EXPECT_EQ("Editor", ControlText(page, IDC_PPG_NAME));
    // Help on the sheet's own buttons is answered by the page (from the table every window shares),
    // as on the page's controls; the tip's title holds its text.
    HWND tip = SendHelpRequest(GetDlgItem(sheet, ID_APPLY_NOW)) ? WaitForWindow("Velkator:HelpWnd", nullptr, velkator_.Id())
                                                                : nullptr;
    char text[256] = "";
    GetWindowTextA(tip, text, sizeof text);
    EXPECT_EQ(0, std::string(text).find("Saves your changes and leaves this window open."));
    ASSERT_TRUE(PostMessageA(tip, WM_KEYDOWN, VK_ESCAPE, 0) && WaitForWindowGone(tip));
    ASSERT_TRUE(SetControlText(page, IDC_PPG_NAME, "calc") && ClickButton(sheet, IDOK));
    HWND box = Dialog("Name in Use");
    ASSERT_TRUE(ClickButton(box, IDOK) && WaitForWindowGone(box)) << "renaming onto another shortcut was not refused";
    EXPECT_TRUE(IsWindow(sheet));
    EXPECT_EQ("Mail|Editor|Calc|Separator|DeskAccess|", ReadOrder());

    // Change Icon opens on the icon the shortcut shows (what it lists is an in-process test).
    ASSERT_TRUE(ClickButton(page, IDC_PPG_CHANGE_ICON));
    HWND icons = Dialog("Change Icon");
    EXPECT_EQ(3, SendMessageA(GetDlgItem(icons, IDC_CI_LIST), LB_GETCURSEL, 0, 0));
    ASSERT_TRUE(ClickButton(icons, IDCANCEL) && WaitForWindowGone(icons));

    // Every field of the page is stored, under the shortcut's new name.
    const std::string program = folder_.FilePath("other.exe"), work = folder_.FilePath("work");
    HWND style = GetDlgItem(page, IDC_PPG_RUN_STYLE);
    ASSERT_TRUE(SetControlText(page, IDC_PPG_NAME, "Notes") && SetControlText(page, IDC_PPG_PATH, program) &&
                SetControlText(page, IDC_PPG_STARTUP, work));
    ASSERT_TRUE(ClickButton(page, IDC_PPG_PROMPT) && ClickButton(page, IDC_PPG_RUN_AS));
    ASSERT_EQ(2, SendMessageA(style, CB_SETCURSEL, 2, 0));  // minimised
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PPG_RUN_STYLE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(style));
    ASSERT_TRUE(ClickButton(sheet, IDOK) && WaitForWindowGone(sheet));
    EXPECT_EQ("Mail|Notes|Calc|Separator|DeskAccess|", ReadOrder());
    EXPECT_FALSE(KeyExists(std::string(kVelkatorKey) + "\\Editor"));
    const std::string notes = std::string(kVelkatorKey) + "\\Notes";
    EXPECT_EQ(folder_.FilePath(kProgramExe) + ",3|" + program + "|" + work,
              ReadString(notes, "IconPath") + "|" + ReadString(notes, "Path") + "|" + ReadString(notes, "Startup"));
    EXPECT_EQ((std::vector<DWORD>{3, 1, 1}),
              (std::vector<DWORD>{ReadDword(notes, "Style"), ReadDword(notes, "Prompt"), ReadDword(notes, "RunAs")}));

    sheet = OpenSheet(3, kProperties);  // the separator: Order first
    EXPECT_EQ(2, PageCount(sheet));
    EXPECT_NE(nullptr, GetDlgItem(CurrentPage(sheet), IDC_RPG_LIST));
    HWND languages = PageControl(sheet, 1, IDC_OPG_LANGUAGE);
    ASSERT_EQ(1, SendMessageA(languages, CB_SETCURSEL, 1, 0));  // sorted: English, German
    ASSERT_TRUE(ClickButton(sheet, IDOK) && WaitForWindowGone(sheet));
    EXPECT_EQ(7u, ReadDword(kOptionsKey, "Language"));
    EXPECT_TRUE(WaitUntil([] {  // rewritten once the sheet has gone
        return ReadString("Software\\Classes\\*\\shell\\zzVelkator", "").find("Zu &Velkator") == 0;
    }));
    EXPECT_EQ("Desktop-Zugriff", TipOf(4, "Desktop-Zugriff"));
    ASSERT_TRUE(UseTrayMenu(velkator_, 3, {'E'}) && ClickButton(Dialog("Velkator-Einstellungen"), IDCANCEL));
}

// Names and paths in any script pass whole: shown as tooltip (cut on a character boundary),
// edited in the sheet, shown so on the Order page before they are applied, dragged to its top there,
// which moves the tray icons, and launched.
TEST_F(SheetTest, AUnicodeShortcutIsShownRenamedMovedAndLaunched) {
    const std::string folder = folder_.FilePath("\xC3\x9Cn\xC3\xAF" "code"), program = folder + "\\app.exe";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) && CopyFileA(helper_.c_str(), program.c_str(), FALSE));
    std::string name = "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC", longName = "x";  // "Café 日本"
    for (int i = 0; i < 30; ++i) longName += "\xE6\x97\xA5";  // 91 bytes: the tip's 63 would end inside one
    ASSERT_TRUE(WriteShortcut(name, {program}) && WriteShortcut(longName, {program}));
    ASSERT_TRUE(WriteOrder("Separator|" + name + "|" + longName + "|") && StartVelkator(velkator_, folder_));

    EXPECT_EQ(longName.substr(0, 61), TipOf(2, longName.substr(0, 61)));
    ASSERT_TRUE(ClickAt(Centre(TrayIconCell(1)), MouseButton::Left));
    EXPECT_EQ(0u, WaitForLaunches(1).at(0).find(program + "\t"));

    HWND sheet = OpenSheet(1, kProperties), page = CurrentPage(sheet);
    EXPECT_EQ(name, ControlText(page, IDC_PPG_NAME));
    name += " 2";
    ASSERT_TRUE(SetControlText(page, IDC_PPG_NAME, name));
    HWND list = PageControl(sheet, 1, IDC_RPG_LIST);
    // LB_GETTEXT takes no buffer size; the length asked first is at least the text's (a separator's row
    // is a long line).
    auto listed = [list](int entry, const wchar_t* text) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, entry, 0);
        if (length == LB_ERR) return false;
        std::wstring shown(length + 1, L'\0');
        return SendMessageW(list, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(&shown[0])) != LB_ERR &&
               !lstrcmpW(shown.c_str(), text);
    };
    EXPECT_TRUE(WaitUntil([&] { return listed(1, L"Caf\u00E9 \u65E5\u672C 2"); })) << "the new name is not listed";
    SetForegroundWindow(sheet);
    ASSERT_TRUE(WaitUntil([sheet] { return GetForegroundWindow() == sheet; }));
    // A real drag with the mouse.
    const LONG height = static_cast<LONG>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const RECT box = Bounds(list);
    ASSERT_TRUE(DragWithMouse({box.left + 30, box.top + height * 3 / 2}, {box.left + 30, box.top + height / 2}, nullptr));
    // The drop is input, which comes after a posted click on OK.
    ASSERT_TRUE(WaitUntil([&] { return listed(0, L"Caf\u00E9 \u65E5\u672C 2"); }));
    ASSERT_TRUE(ClickButton(sheet, IDOK) && WaitForWindowGone(sheet));
    EXPECT_EQ(name + "|Separator|" + longName + "|", ReadOrder());
    Icon questionMark = QuestionMarkIcon(), separator = SmallIcon(folder_.FilePath(kProgramExe), 1);
    EXPECT_TRUE(WaitForTrayIcon(0, questionMark.get()) && WaitForTrayIcon(1, separator.get()));
    EXPECT_EQ(name, TipOf(0, name));
    EXPECT_EQ(program, ReadString(std::string(kVelkatorKey) + "\\" + name, "Path"));
}

}  // namespace
}  // namespace e2e
