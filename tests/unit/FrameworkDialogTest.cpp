// The framework's modal dialogs, their placement, command routing and property sheets,
// exercised on the message box template.
#include "DialogRobot.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
class PlainDialog : public CDialog {
public:
    PlainDialog(UINT templateId = IDD_MESSAGE, HWND parent = nullptr) : CDialog(templateId, parent) {}
    bool acceptData = true;
    int saves = 0;
    bool initialised = false;
    POINT moveTo = {-1, -1};  // where OnInitDialog places the dialog itself, if anywhere
    bool addHelpButton = false;

protected:
    BOOL OnInitDialog() override {
        initialised = true;
        if (moveTo.x >= 0) SetWindowPos(m_hWnd, nullptr, moveTo.x, moveTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        if (addHelpButton)
            CreateWindowA("BUTTON", "Help", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 60, 20, m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_HELP)), GetModuleHandleA(nullptr), nullptr);
        return CDialog::OnInitDialog();
    }
    bool DoDataExchange(bool save) override {
        if (save) ++saves;
        return !save || acceptData;
    }
};

// A top-level window whose object records the commands routed to it.
class OwnerWindow : public CWnd {
public:
    explicit OwnerWindow(bool visible, bool handles = true) : m_handles(handles) {
        CreateEx(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 100, 120, 500, 380,
                 nullptr, nullptr);
    }
    ~OwnerWindow() override { DestroyWindow(); }
    std::vector<UINT> commands;
    bool OnCommand(UINT id, UINT, HWND) override {
        commands.push_back(id);
        return m_handles;
    }

private:
    bool m_handles;
};

class RecordingApp : public CWinApp {
public:
    std::vector<UINT> commands;
    bool OnCommand(UINT id) override {
        commands.push_back(id);
        return true;
    }
};

RECT WindowRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea() {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Centres may differ by one pixel through integer division.
void ExpectCentredIn(const RECT& inner, const RECT& outer) {
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
}
}  // namespace

TEST(FrameworkDialog, ModalRunReturnsTheValueTheDialogEndedWith) {
    DialogRobot robot;
    PlainDialog dialog;
    robot.Then([&](HWND window) { EndDialog(window, 42); });
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(nullptr, dialog.m_hWnd);  // detached once the window is gone

    robot.Then(DialogRobot::Press(IDOK));
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(1, dialog.saves);
    robot.Then(DialogRobot::Key(VK_ESCAPE));
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    robot.Then(DialogRobot::Close());
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, dialog.saves);  // Cancel moves no data
    EXPECT_TRUE(robot.AllActionsUsed());
}

TEST(FrameworkDialog, RefusedDataKeepsTheDialogOpen) {
    DialogRobot robot;
    PlainDialog dialog;
    dialog.acceptData = false;
    bool stillOpen = false;
    robot.Then([&](HWND window) {
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        stillOpen = IsWindow(window) && IsWindowVisible(window);
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(1, dialog.saves);
}

TEST(FrameworkDialog, MissingTemplateGivesMinusOne) {
    PlainDialog dialog(4711);
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_FALSE(dialog.initialised);
}

TEST(FrameworkDialog, DialogThatDidNotMoveIsCentred) {
    DialogRobot robot;
    RECT seen = {};
    robot.Then([&](HWND window) { seen = WindowRect(window); EndDialog(window, IDOK); });

    PlainDialog alone;
    alone.DoModal();
    ExpectCentredIn(seen, WorkArea());

    OwnerWindow hiddenOwner(false);
    PlainDialog overHidden(IDD_MESSAGE, hiddenOwner.m_hWnd);
    robot.Then([&](HWND window) { seen = WindowRect(window); EndDialog(window, IDOK); });
    overHidden.DoModal();
    ExpectCentredIn(seen, WorkArea());

    OwnerWindow visibleOwner(true);
    PlainDialog overVisible(IDD_MESSAGE, visibleOwner.m_hWnd);
    robot.Then([&](HWND window) { seen = WindowRect(window); EndDialog(window, IDOK); });
    overVisible.DoModal();
    ExpectCentredIn(seen, WindowRect(visibleOwner.m_hWnd));
}

TEST(FrameworkDialog, DialogThatPlacedItselfStaysThere) {
    DialogRobot robot;
    RECT seen = {};
    robot.Then([&](HWND window) { seen = WindowRect(window); EndDialog(window, IDOK); });
    OwnerWindow visibleOwner(true);
    PlainDialog dialog(IDD_MESSAGE, visibleOwner.m_hWnd);
    dialog.moveTo = {7, 9};
    dialog.DoModal();
    EXPECT_EQ(7, seen.left);
    EXPECT_EQ(9, seen.top);
}

TEST(FrameworkDialog, HelpButtonReachesTheOwnerThenTheApplication) {
    DialogRobot robot;
    RecordingApp app;  // the application object for this test only
    OwnerWindow handlingOwner(false, true);
    PlainDialog dialog(IDD_MESSAGE, handlingOwner.m_hWnd);
    dialog.addHelpButton = true;
    robot.Then([](HWND window) {
        SendMessageA(GetDlgItem(window, ID_HELP), BM_CLICK, 0, 0);
        EndDialog(window, IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, handlingOwner.commands);
    EXPECT_TRUE(app.commands.empty());

    OwnerWindow passingOwner(false, false);
    PlainDialog second(IDD_MESSAGE, passingOwner.m_hWnd);
    second.addHelpButton = true;
    robot.Then([](HWND window) {
        SendMessageA(GetDlgItem(window, ID_HELP), BM_CLICK, 0, 0);
        EndDialog(window, IDOK);
    });
    second.DoModal();
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, passingOwner.commands);
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, app.commands);
}

TEST(FrameworkDialog, ControlNotificationsStayInTheDialog) {
    DialogRobot robot;
    RecordingApp app;
    OwnerWindow owner(false, false);
    PlainDialog dialog(IDD_MESSAGE, owner.m_hWnd);
    robot.Then([](HWND window) {
        HWND control = GetDlgItem(window, IDC_MESSAGE_TEXT);
        // A selection change (code 1) from a control with the Help button's id is no command.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, 1), reinterpret_cast<LPARAM>(control));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, EN_CHANGE), reinterpret_cast<LPARAM>(control));
        // The same code without a control is an accelerator, which is a command.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, 1), 0);
        EndDialog(window, IDOK);
    });
    dialog.DoModal();
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, owner.commands);
    EXPECT_EQ(std::vector<UINT>{ID_HELP}, app.commands);
}

namespace {
std::vector<std::string> g_events;

class RecordingPage : public CPropertyPage {
public:
    explicit RecordingPage(const char* name) : CPropertyPage(IDD_MESSAGE), m_name(name) { SetCaption(name); }
    using CPropertyPage::SetModified;

protected:
    bool OnApply() override {
        g_events.push_back(m_name + ":apply");
        return true;
    }
    void OnReset() override { g_events.push_back(m_name + ":reset"); }

private:
    std::string m_name;
};

struct TwoPageSheet {
    RecordingPage first{"first"}, second{"second"};
    CPropertySheet sheet{"Sheet", nullptr};
    TwoPageSheet() {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        g_events.clear();
    }
};
}  // namespace

TEST(FrameworkPropertySheet, OkAppliesEveryPageInOrder) {
    DialogRobot robot;
    TwoPageSheet s;
    robot.Then([&](HWND window) {
        s.sheet.SetActivePage(1);  // pages are made when first shown; apply reaches those that exist
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, s.sheet.DoModal());
    EXPECT_EQ((std::vector<std::string>{"first:apply", "second:apply"}), g_events);
}

TEST(FrameworkPropertySheet, CancelResetsAndReturnsCancel) {
    DialogRobot robot;
    TwoPageSheet s;
    robot.Then([&](HWND window) {
        s.sheet.SetActivePage(1);
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, s.sheet.DoModal());
    ASSERT_EQ(2u, g_events.size());
    EXPECT_EQ(std::string::npos, (g_events[0] + g_events[1]).find("apply"));

    robot.Then(DialogRobot::Close());
    EXPECT_EQ(IDCANCEL, s.sheet.DoModal());
}

TEST(FrameworkPropertySheet, SetModifiedEnablesApply) {
    DialogRobot robot;
    TwoPageSheet s;
    bool enabledBefore = true, enabledAfter = false, activeIsSecond = false;
    robot.Then([&](HWND window) {
        HWND apply = GetDlgItem(window, ID_APPLY_NOW);
        enabledBefore = IsWindowEnabled(apply) != 0;
        s.first.SetModified();
        enabledAfter = IsWindowEnabled(apply) != 0;
        s.sheet.SetActivePage(1);
        activeIsSecond = s.sheet.GetActivePage() == &s.second;
        SendMessageA(apply, BM_CLICK, 0, 0);  // applies without closing
        g_events.push_back(IsWindow(window) ? "open" : "closed");
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, s.sheet.DoModal());
    EXPECT_FALSE(enabledBefore);
    EXPECT_TRUE(enabledAfter);
    EXPECT_TRUE(activeIsSecond);
    ASSERT_GE(g_events.size(), 3u);
    EXPECT_EQ("first:apply", g_events[0]);
    EXPECT_EQ("second:apply", g_events[1]);
    EXPECT_EQ("open", g_events[2]);
}
