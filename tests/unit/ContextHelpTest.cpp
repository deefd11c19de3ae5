// The bases' context help: table lookup, F1 on a dialog and on the pages of a sheet, and placement
// in the screen corner. Wine draws no "?" caption button, so the help it would give is asked for
// here by sending WM_HELP. Right clicks and "What's This?" are checked end to end.
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

// A second row for a control would never be read. (That each key has a text is checked by the keys test.)
TEST(HelpTables, NameEachControlOnce) {
    for (const HelpTableEntry* table :
         {DefaultHelpTable, AboutHelpTable, FirstTimeHelpTable, ChangeIconHelpTable, SecurityHelpTable,
          RunArgumentsHelpTable, MessageHelpTable, MessageYesNoHelpTable, ShortcutPageHelpTable,
          OrderPageHelpTable, OptionsPageHelpTable}) {
        std::set<UINT> ids;
        for (const HelpTableEntry* row = table; row->id != 0; ++row)
            EXPECT_TRUE(ids.insert(row->id).second) << "id " << row->id << " twice";
    }
}

TEST(MoveToScreenCorner, BottomRightCornerFiftyPixelsFromTheScreens) {
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "the tests run on a 1024 x 768 desktop";
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 20, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    MoveToScreenCorner(window);
    RECT placed, expected = {674, 518, 974, 718};  // 1024 - 300 - 50, 768 - 200 - 50, size kept
    GetWindowRect(window, &placed);
    EXPECT_TRUE(EqualRect(&expected, &placed));
    DestroyWindow(window);
}

namespace {
// The text F1 on a control shows ("" when no tip opened), the tip closed again.
std::string HelpShownFor(HWND target, HWND control) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    HelpPopupText = "(none)";
    SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    HWND popup = FindWindowA(HelpPopupClassName, nullptr);
    if (popup) SendMessageA(popup, WM_CLOSE, 0, 0);
    return popup ? HelpPopupText : "";
}

// A dialog or page base answering from the given table.
template <class Base>
class Helped : public Base {
public:
    template <class... Rest>
    explicit Helped(const HelpTableEntry* table, Rest... rest) : Base(IDD_MESSAGE, rest...), m_table(table) {}

protected:
    const HelpTableEntry* GetHelpTable() const override { return m_table; }

private:
    const HelpTableEntry* m_table;
};

const HelpTableEntry kInputTable[] = {{IDC_MESSAGE_TEXT, "hlpInputEdit"}, {0, nullptr}};
const HelpTableEntry kOrderTable[] = {{IDC_MESSAGE_TEXT, "hlpOrderList"}, {0, nullptr}};
}  // namespace

TEST(ContextHelpDialog, AnswersF1FromItsOwnTable) {
    DialogRobot robot;
    Helped<CContextHelpDialog> dialog(kInputTable, nullptr);
    robot.Then([](HWND window) {
        EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        HWND text = GetDlgItem(window, IDC_MESSAGE_TEXT);
        EXPECT_EQ(GetText("hlpInputEdit"), HelpShownFor(window, text));
        EXPECT_EQ(GetText("hlpOK"), HelpShownFor(window, GetDlgItem(window, IDOK)));
        EXPECT_EQ("", HelpShownFor(window, window));  // the dialog itself is no control
        // Once the tip has gone, the keyboard works in the dialog again.
        EXPECT_EQ(window, GetActiveWindow());
        EXPECT_TRUE(IsChild(window, GetFocus()));
        EndDialog(window, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(ContextHelpSheet, HelpOnTheSheetIsAnsweredByTheActivePage) {
    DialogRobot robot;
    Helped<CContextHelpPage> first(kOrderTable), second(kInputTable);
    first.SetCaption("First");
    second.SetCaption("Second");
    CContextHelpSheet sheet("Sheet", nullptr);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    robot.Then([&](HWND window) {
        EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        EXPECT_EQ(GetText("hlpApply"), HelpShownFor(window, GetDlgItem(window, ID_APPLY_NOW)));
        EXPECT_EQ(GetText("hlpOrderList"), HelpShownFor(first.m_hWnd, GetDlgItem(first.m_hWnd, IDC_MESSAGE_TEXT)));
        sheet.SetActivePage(1);
        EXPECT_EQ(GetText("hlpInputEdit"), HelpShownFor(window, GetDlgItem(second.m_hWnd, IDC_MESSAGE_TEXT)));
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
}
