// Context help the end-to-end tests cannot reach yet: which key a control's help comes from, the
// place of the tip, and help asked for on a sheet's own buttons. (F1, "What's This?" and the tip
// itself are checked end to end on the message box.)
#include "DialogRobot.h"
#include "dialogs/ContextHelp.h"
#include "dialogs/HelpPopup.h"
#include "lang/Language.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

TEST(ContextHelp, OwnTableThenDefaultTableThenUnknown) {
    const HelpTableEntry own[] = {{IDOK, "hlpYes"}, {1060, "hlpInputEdit"}, {1060, "hlpNo"}, {0, nullptr}};
    EXPECT_STREQ("hlpYes", FindHelpKey(own, IDOK));
    EXPECT_STREQ("hlpInputEdit", FindHelpKey(own, 1060));
    EXPECT_STREQ("hlpCancel", FindHelpKey(own, IDCANCEL));
    EXPECT_STREQ("hlpApply", FindHelpKey(own, ID_APPLY_NOW));
    EXPECT_STREQ("hlpUnknown", FindHelpKey(own, 1061));
    EXPECT_STREQ("hlpOK", FindHelpKey(nullptr, IDOK));
}

TEST(ContextHelp, TipHangsFromTheControlsLeftEdgeAndStaysOnTheScreen) {
    const SIZE screen = {1024, 768};
    const struct { RECT control; SIZE size; RECT expected; } cases[] = {
        {{100, 200, 180, 221}, {121, 40}, {40, 210, 161, 250}},      // 100 - 121 / 2, (200 + 221) / 2
        {{10, 100, 70, 120}, {120, 40}, {0, 110, 120, 150}},         // left edge
        {{1000, 100, 1020, 120}, {120, 40}, {904, 110, 1024, 150}},  // right edge
        {{300, 740, 360, 760}, {120, 40}, {240, 728, 360, 768}},     // bottom edge
        {{300, -80, 360, -60}, {120, 40}, {240, 0, 360, 40}},        // top edge
        {{500, 100, 560, 120}, {1100, 40}, {0, 110, 1100, 150}},     // wider than the screen: its start shows
    };
    for (const auto& c : cases) {
        const RECT placed = PlaceHelpPopup(c.control, c.size, screen);
        EXPECT_TRUE(EqualRect(&c.expected, &placed)) << "control at " << c.control.left << "," << c.control.top;
    }
}

namespace {
template <class Base>
class Helped : public Base {
public:
    Helped(const HelpTableEntry* table, const char* caption) : Base(IDD_MESSAGE), m_table(table) {
        this->SetCaption(caption);
    }

protected:
    const HelpTableEntry* GetHelpTable() const override { return m_table; }

private:
    const HelpTableEntry* m_table;
};

// The text F1 on control shows ("" when no tip opened); the tip is closed again.
std::string HelpShownFor(HWND target, HWND control) {
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(control);
    info.hItemHandle = control;
    SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    HWND popup = FindWindowA(HelpPopupClassName, nullptr);
    if (popup) SendMessageA(popup, WM_CLOSE, 0, 0);
    return popup ? HelpPopupText : "";
}
}  // namespace

TEST(ContextHelp, HelpOnTheSheetIsAnsweredByTheActivePage) {
    const HelpTableEntry firstTable[] = {{IDC_MESSAGE_TEXT, "hlpOrderList"}, {0, nullptr}};
    const HelpTableEntry secondTable[] = {{IDC_MESSAGE_TEXT, "hlpInputEdit"}, {0, nullptr}};
    Helped<CContextHelpPage> first(firstTable, "First"), second(secondTable, "Second");
    CContextHelpSheet sheet("Sheet", nullptr);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    DialogRobot robot;
    robot.Then([&](HWND window) {
        EXPECT_EQ(GetText("hlpApply"), HelpShownFor(window, GetDlgItem(window, ID_APPLY_NOW)));
        sheet.SetActivePage(1);
        EXPECT_EQ(GetText("hlpInputEdit"), HelpShownFor(window, GetDlgItem(second.m_hWnd, IDC_MESSAGE_TEXT)));
        EXPECT_EQ(GetText("hlpOrderList"), HelpShownFor(first.m_hWnd, GetDlgItem(first.m_hWnd, IDC_MESSAGE_TEXT)));
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
}
