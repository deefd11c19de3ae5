// The framework's command routing: a command climbs from a dialog to its owner and then to the
// application object; a control's notification never does. (Modal runs, the sheet's apply and
// cancel and its Help button are seen end to end in the program's own dialogs and sheet.)
#include "Support.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// A hidden top-level window whose object records the commands routed to it.
class OwnerWindow : public CWnd {
public:
    explicit OwnerWindow(bool handles) : m_handles(handles) {
        CreateEx(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr);
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
}  // namespace

TEST(FrameworkDialog, CommandsReachTheOwnerThenTheApplicationButNotificationsDoNot) {
    DialogRobot robot;
    RecordingApp app;  // the application object for this test only
    OwnerWindow handlingOwner(true), passingOwner(false);
    for (OwnerWindow* owner : {&handlingOwner, &passingOwner}) {
        CDialog dialog(IDD_MESSAGE, owner->m_hWnd);
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
        EXPECT_EQ(IDOK, dialog.DoModal());
    }
    const std::vector<UINT> twice = {ID_HELP, ID_HELP};
    EXPECT_EQ(twice, handlingOwner.commands);
    EXPECT_EQ(twice, passingOwner.commands);
    EXPECT_EQ(twice, app.commands);  // only those the passing owner left
}
