// The bases' context help: table lookup, the help tables, F1 and right clicks on a dialog,
// a property page and the sheet, and placement in the screen corner. Wine draws no "?"
// caption button, so the help it would give is asked for here by sending WM_HELP.
#include "DialogRobot.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "dialogs/HelpTables.h"
#include "lang/Language.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(HelpTableLookup, OwnTableThenDefaultTableThenUnknown) {
    const HelpTableEntry own[] = {{IDOK, "hlpYes"}, {1060, "hlpInputEdit"}, {1060, "hlpNo"}, {0, nullptr},
                                  {2, "hlpNo"}};  // rows after the end are never read
    EXPECT_STREQ("hlpYes", FindHelpKey(own, IDOK));         // own row before the default one
    EXPECT_STREQ("hlpInputEdit", FindHelpKey(own, 1060));   // first matching row
    EXPECT_STREQ("hlpCancel", FindHelpKey(own, IDCANCEL));  // from DefaultHelpTable
    EXPECT_STREQ("hlpHelp", FindHelpKey(own, IDHELP));
    EXPECT_STREQ("hlpHelp", FindHelpKey(own, ID_HELP));
    EXPECT_STREQ("hlpApply", FindHelpKey(own, ID_APPLY_NOW));
    EXPECT_STREQ("hlpUnknown", FindHelpKey(own, 1061));
    EXPECT_STREQ("hlpOK", FindHelpKey(AboutHelpTable, IDOK));  // an empty table
    EXPECT_STREQ("hlpUnknown", FindHelpKey(AboutHelpTable, 1050));
    EXPECT_STREQ("hlpOK", FindHelpKey(nullptr, IDOK));
}

TEST(HelpTables, EveryRowNamesAControlOnceAndAnExistingText) {
    const HelpTableEntry* tables[] = {DefaultHelpTable,      AboutHelpTable,        FirstTimeHelpTable,
                                      ChangeIconHelpTable,   SecurityHelpTable,     RunArgumentsHelpTable,
                                      MessageHelpTable,      MessageYesNoHelpTable, ShortcutPageHelpTable,
                                      OrderPageHelpTable,    OptionsPageHelpTable};
    for (const HelpTableEntry* table : tables) {
        std::set<UINT> ids;
        int rows = 0;
        for (const HelpTableEntry* row = table; row->id != 0; ++row, ++rows) {
            ASSERT_LT(rows, 20) << "table without its end row";
            EXPECT_TRUE(ids.insert(row->id).second) << "id " << row->id << " twice";
            EXPECT_FALSE(GetText(row->key).empty()) << row->key;
        }
    }
    // Tables in use by the dialogs of this change; the others wait for their classes.
    EXPECT_STREQ("hlpYes", FindHelpKey(MessageYesNoHelpTable, IDOK));
    EXPECT_STREQ("hlpNo", FindHelpKey(MessageYesNoHelpTable, IDCANCEL));
    EXPECT_STREQ("hlpOK", FindHelpKey(MessageHelpTable, IDOK));
    EXPECT_STREQ("hlpYes", FindHelpKey(MessageHelpTable, IDYES));
}

TEST(MoveToScreenCorner, BottomRightCornerFiftyPixelsFromTheScreens) {
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "the tests run on a 1024 x 768 desktop";
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 20, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    MoveToScreenCorner(window);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(674, r.left);   // 1024 - 300 - 50
    EXPECT_EQ(518, r.top);    // 768 - 200 - 50
    EXPECT_EQ(974, r.right);
    EXPECT_EQ(718, r.bottom);
    DestroyWindow(window);
}

namespace {
// Answers the "What's This?" menu from inside its own loop: records its text, then Escape
// (dismiss) or Down and Enter (choose the entry).
class MenuRobot {
public:
    explicit MenuRobot(bool choose) : m_choose(choose) {
        s_robot = this;
        m_timer = SetTimer(nullptr, 0, 30, &MenuRobot::OnTimer);
    }
    ~MenuRobot() {
        KillTimer(nullptr, m_timer);
        s_robot = nullptr;
    }
    int menusSeen = 0;
    std::string entryText;
    int entries = 0;

private:
    static BOOL CALLBACK FindMenu(HWND window, LPARAM found) {
        char name[16];
        if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) && lstrcmpA(name, "#32768") == 0) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        HWND menuWindow = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindMenu, reinterpret_cast<LPARAM>(&menuWindow));
        if (!s_robot || !menuWindow || menuWindow == s_robot->m_answered) return;
        s_robot->m_answered = menuWindow;
        ++s_robot->menusSeen;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        char text[256] = "";
        GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
        s_robot->entryText = text;
        s_robot->entries = GetMenuItemCount(menu);
        if (s_robot->m_choose) {
            PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    }
    static MenuRobot* s_robot;
    bool m_choose;
    HWND m_answered = nullptr;
    UINT_PTR m_timer;
};
MenuRobot* MenuRobot::s_robot = nullptr;

HWND OpenPopup() {
    return FindWindowA(HelpPopupClassName, nullptr);
}

void ClosePopup() {
    if (HWND popup = OpenPopup()) SendMessageA(popup, WM_CLOSE, 0, 0);
}

// F1 on a control, as the system sends it.
void SendHelp(HWND target, HWND control) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

// The text F1 on a control shows ("" when no tip opened), the tip closed again.
std::string HelpShownFor(HWND target, HWND control) {
    HelpPopupText = "(none)";
    SendHelp(target, control);
    std::string shown = OpenPopup() ? HelpPopupText : "";
    ClosePopup();
    return shown;
}

const HelpTableEntry kTestDialogTable[] = {{IDC_MESSAGE_TEXT, "hlpInputEdit"}, {0, nullptr}};

class HelpedDialog : public CContextHelpDialog {
public:
    HelpedDialog() : CContextHelpDialog(IDD_MESSAGE, nullptr) {}

protected:
    const HelpTableEntry* GetHelpTable() const override { return kTestDialogTable; }
};
}  // namespace

TEST(ContextHelpDialog, SentWmHelpShowsOwnTableThenDefaultThenUnknown) {
    DialogRobot robot;
    HelpedDialog dialog;
    LONG_PTR exStyle = 0;
    std::string own, ok, unknown;
    bool popupForDialogItself = true;
    HWND dialogWindow = nullptr, activeAfter = nullptr;
    bool focusBackInDialog = false;
    robot.Then([&](HWND window) {
        dialogWindow = window;
        exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
        // Once the tip has gone, the keyboard works in the dialog again.
        SendHelp(window, GetDlgItem(window, IDOK));
        ClosePopup();
        activeAfter = GetActiveWindow();
        focusBackInDialog = IsChild(window, GetFocus()) != 0;
        own = HelpShownFor(window, GetDlgItem(window, IDC_MESSAGE_TEXT));
        ok = HelpShownFor(window, GetDlgItem(window, IDOK));
        unknown = HelpShownFor(window, GetDlgItem(window, IDC_MESSAGE_ICON));
        SendHelp(window, window);
        popupForDialogItself = OpenPopup() != nullptr;
        ClosePopup();
        EndDialog(window, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_EQ(GetText("hlpInputEdit"), own);
    EXPECT_EQ(GetText("hlpOK"), ok);
    EXPECT_EQ(GetText("hlpUnknown"), unknown);
    EXPECT_FALSE(own.empty());
    EXPECT_FALSE(popupForDialogItself);
    EXPECT_EQ(dialogWindow, activeAfter);
    EXPECT_TRUE(focusBackInDialog);
}

TEST(ContextHelpDialog, RightClickAsksFirstAndDismissingTheMenuShowsNothing) {
    DialogRobot robot;
    HelpedDialog dialog;
    bool popupAfterDismiss = true, popupAfterChoice = false, popupOnBackground = true;
    int menusOnBackground = -1;
    std::string menuText, shown;
    int entries = 0;
    robot.Then([&](HWND window) {
        HWND text = GetDlgItem(window, IDC_MESSAGE_TEXT);
        {
            MenuRobot dismiss(false);
            SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), MAKELPARAM(400, 300));
            popupAfterDismiss = OpenPopup() != nullptr;
            menuText = dismiss.entryText;
            entries = dismiss.entries;
            EXPECT_EQ(1, dismiss.menusSeen);
        }
        {
            MenuRobot choose(true);
            HelpPopupText.clear();
            SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), MAKELPARAM(400, 300));
            popupAfterChoice = OpenPopup() != nullptr;
            shown = HelpPopupText;
            ClosePopup();
            EXPECT_EQ(1, choose.menusSeen);
        }
        {
            MenuRobot background(true);
            SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(400, 300));
            PumpMessages(100);
            menusOnBackground = background.menusSeen;
            popupOnBackground = OpenPopup() != nullptr;
        }
        EndDialog(window, IDOK);
    });
    dialog.DoModal();
    EXPECT_FALSE(popupAfterDismiss);
    EXPECT_EQ(GetText("hlpWhatsThis"), menuText);
    EXPECT_EQ(1, entries);
    EXPECT_TRUE(popupAfterChoice);
    EXPECT_EQ(GetText("hlpInputEdit"), shown);
    EXPECT_EQ(0, menusOnBackground);
    EXPECT_FALSE(popupOnBackground);
}

namespace {
const HelpTableEntry kFirstPageTable[] = {{IDC_MESSAGE_TEXT, "hlpOrderList"}, {0, nullptr}};
const HelpTableEntry kSecondPageTable[] = {{IDC_MESSAGE_TEXT, "hlpInputEdit"}, {0, nullptr}};

class HelpedPage : public CContextHelpPage {
public:
    HelpedPage(const char* caption, const HelpTableEntry* table) : CContextHelpPage(IDD_MESSAGE), m_table(table) {
        SetCaption(caption);
    }

protected:
    const HelpTableEntry* GetHelpTable() const override { return m_table; }

private:
    const HelpTableEntry* m_table;
};

struct HelpedSheet {
    HelpedPage first{"First", kFirstPageTable}, second{"Second", kSecondPageTable};
    CContextHelpSheet sheet{"Sheet", nullptr};
    HelpedSheet() {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
    }
};
}  // namespace

TEST(ContextHelpSheet, SentWmHelpOnSheetButtonsIsAnsweredByTheActivePage) {
    DialogRobot robot;
    HelpedSheet s;
    LONG_PTR exStyle = 0;
    std::string applyOnFirst, applyOnSecond, cancel, firstPageText, secondPageText, secondPageOk;
    robot.Then([&](HWND window) {
        exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
        HWND apply = GetDlgItem(window, ID_APPLY_NOW);
        applyOnFirst = HelpShownFor(window, apply);
        cancel = HelpShownFor(window, GetDlgItem(window, IDCANCEL));
        firstPageText = HelpShownFor(s.first.m_hWnd, GetDlgItem(s.first.m_hWnd, IDC_MESSAGE_TEXT));
        s.sheet.SetActivePage(1);
        applyOnSecond = HelpShownFor(window, apply);
        secondPageText = HelpShownFor(s.second.m_hWnd, GetDlgItem(s.second.m_hWnd, IDC_MESSAGE_TEXT));
        // The page's own OK-numbered button, asked for through the sheet.
        secondPageOk = HelpShownFor(window, GetDlgItem(s.second.m_hWnd, IDOK));
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, s.sheet.DoModal());
    EXPECT_TRUE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_EQ(GetText("hlpApply"), applyOnFirst);
    EXPECT_EQ(GetText("hlpApply"), applyOnSecond);
    EXPECT_EQ(GetText("hlpCancel"), cancel);
    EXPECT_EQ(GetText("hlpOrderList"), firstPageText);
    EXPECT_EQ(GetText("hlpInputEdit"), secondPageText);
    EXPECT_EQ(GetText("hlpOK"), secondPageOk);
}
