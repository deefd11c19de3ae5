// The framework's modal dialogs, their placement, command routing and property sheets,
// exercised on the message box template.
#include "DialogRobot.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>

namespace {
class PlainDialog : public CDialog {
public:
    explicit PlainDialog(HWND parent = nullptr, UINT templateId = IDD_MESSAGE) : CDialog(templateId, parent) {}
    bool acceptData = true;
    int saves = 0;

protected:
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
    bool HandlesCommand(UINT id) const override { return id == ID_HELP; }
    bool OnCommand(UINT id) override {
        commands.push_back(id);
        return id == ID_HELP;
    }
};

std::vector<std::string> g_events;

class RecordingPage : public CPropertyPage {
public:
    explicit RecordingPage(const char* name) : CPropertyPage(IDD_MESSAGE), m_name(name) { SetCaption(name); }

protected:
    bool OnApply() override {
        g_events.push_back(m_name + ":apply");
        return true;
    }
    void OnReset() override { g_events.push_back(m_name + ":reset"); }

private:
    std::string m_name;
};

}  // namespace

TEST(FrameworkDialog, RunsModallyFromItsTemplateAndMovesDataOnlyOnOk) {
    DialogRobot robot;
    PlainDialog dialog;
    robot.Then([](HWND window) { EndDialog(window, 42); });
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_EQ(nullptr, dialog.m_hWnd);  // detached once the window is gone
    EXPECT_EQ(0, dialog.saves);

    dialog.acceptData = false;  // refused data keeps the dialog open
    robot.Then([](HWND window) {
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowVisible(window));
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, dialog.saves);

    EXPECT_EQ(-1, PlainDialog(nullptr, 4711).DoModal());  // no such template
}

TEST(FrameworkDialog, HelpCommandReachesTheOwnerThenTheApplicationButNotificationsDoNot) {
    DialogRobot robot;
    RecordingApp app;  // the application object for this test only
    OwnerWindow handlingOwner(false, true), passingOwner(false, false);
    for (OwnerWindow* owner : {&handlingOwner, &passingOwner}) {
        PlainDialog dialog(owner->m_hWnd);
        robot.Then([](HWND window) {
            LPARAM control = reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_MESSAGE_TEXT));
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED), control);  // the Help button
            // Code 1 from a control is a notification such as a selection change, not a command ...
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, 1), control);
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, EN_CHANGE), control);
            // ... but without a control it is an accelerator, which is one.
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_HELP, 1), 0);
            EndDialog(window, IDOK);
        });
        dialog.DoModal();
    }
    const std::vector<UINT> twice = {ID_HELP, ID_HELP};
    EXPECT_EQ(twice, handlingOwner.commands);
    EXPECT_EQ(twice, passingOwner.commands);
    EXPECT_EQ(twice, app.commands);  // only those the passing owner left
}

TEST(FrameworkPropertySheet, OkAndApplyApplyEveryPageInOrderCancelResetsThemAndHelpReachesTheApp) {
    RecordingApp app;  // answers Help, so the sheet shows its Help button
    RecordingPage first("first"), second("second");
    CPropertySheet sheet("Sheet", nullptr);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    DialogRobot robot;
    robot.Then([&](HWND window) {
        HWND apply = GetDlgItem(window, ID_APPLY_NOW);
        EXPECT_FALSE(IsWindowEnabled(apply));
        first.SetModified();
        EXPECT_TRUE(IsWindowEnabled(apply));
        sheet.SetActivePage(1);  // pages are made when first shown; apply reaches those that exist
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDHELP)));
        SendMessageA(GetDlgItem(window, IDHELP), BM_CLICK, 0, 0);
        SendMessageA(apply, BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowVisible(window)) << "Apply closed the sheet";
        SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    });
    g_events.clear();
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ((std::vector<std::string>{"first:apply", "second:apply", "first:apply", "second:apply"}), g_events);
    EXPECT_EQ(1, std::count(app.commands.begin(), app.commands.end(), ID_HELP));  // the sheet's own pass by too

    robot.Then([&](HWND window) {
        sheet.SetActivePage(1);
        SendMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    g_events.clear();
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    std::sort(g_events.begin(), g_events.end());
    EXPECT_EQ((std::vector<std::string>{"first:reset", "second:reset"}), g_events);
}
