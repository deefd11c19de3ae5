#include "RecordingSystem.h"
#include "TestSupport.h"
#include "app/TrayApp.h"
#include "framework/WinApp.h"
#include "lang/Language.h"
#include "store/ShortcutTable.h"
#include "tray/MainWnd.h"
#include "tray/TrayIcons.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
class MainWndTray : public testing::Test {
protected:
    PrivateProfile profile;
    RecordingSystem system;

    void SetUp() override {
        CMainWnd::RegisterWindowClass(GetModuleHandleA(nullptr));
        TheApp()->WriteProfileString("Shortcuts", "Editor", "Installed");
        TheApp()->WriteProfileString("Editor", "Path", "C:\\Tools\\editor.exe");
        TheApp()->WriteProfileString("Shortcuts", "Order", "Editor|Separator|DeskAccess|");
    }
    void TearDown() override {
        App().m_pMainWnd = nullptr;
        OpenLanguageLibrary(9);
    }
    // Every loaded record as a full NIM_ADD: identifier, flags 7, callback 1124, icon, tooltip.
    void ExpectAllAdded(const CMainWnd& window, const std::vector<std::string>& tips) {
        std::vector<NotifyCall> added = system.NotificationsOf(NIM_ADD);
        ASSERT_EQ(tips.size(), added.size());
        for (size_t i = 0; i < tips.size(); ++i) {
            const NOTIFYICONDATAA& data = added[i].data;
            EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), data.cbSize);
            EXPECT_EQ(window.m_hWnd, data.hWnd);
            EXPECT_EQ(static_cast<UINT>(i + 1), data.uID);
            EXPECT_EQ(7u, data.uFlags);
            EXPECT_EQ(1124u, data.uCallbackMessage);
            EXPECT_NE(nullptr, data.hIcon);
            EXPECT_EQ(tips[i], added[i].Tip());
        }
    }
};
}  // namespace

TEST_F(MainWndTray, OneIconPerRecordAddedInOrderAndRemovedWithTheWindow) {
    CMainWnd window;
    ASSERT_TRUE(window.Create());
    ExpectAllAdded(window, {"Editor", "Separator", "Desktop Access"});
    EXPECT_FALSE(IsWindowVisible(window.m_hWnd));

    system.Clear();
    window.DestroyWindow();
    std::vector<NotifyCall> deleted = system.NotificationsOf(NIM_DELETE);
    ASSERT_EQ(3u, deleted.size());
    EXPECT_EQ(3u, system.notifications.size());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<UINT>(i + 1), deleted[i].data.uID);
        EXPECT_EQ(0u, deleted[i].data.uFlags);
    }
}

TEST_F(MainWndTray, LanguageChangeRetitlesOnlyTheSpecialIcons) {
    CMainWnd window;
    ASSERT_TRUE(window.Create());
    App().m_pMainWnd = &window;
    system.Clear();
    App().ReloadLanguage(7);
    ASSERT_EQ(2u, system.notifications.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), system.notifications[0].message);
    EXPECT_EQ(2u, system.notifications[0].data.uID);
    EXPECT_EQ(4u, system.notifications[0].data.uFlags);
    EXPECT_EQ(GetText("tipSeparator"), system.notifications[0].Tip());
    EXPECT_EQ(3u, system.notifications[1].data.uID);
    EXPECT_EQ(GetText("tipDeskAccess"), system.notifications[1].Tip());
    EXPECT_NE("Desktop Access", system.notifications[1].Tip());  // now German
    EXPECT_EQ(GetText("tipDeskAccess"), ShortcutTable.Items[2].Name);
    EXPECT_EQ("Editor", ShortcutTable.Items[0].Name);
}

TEST_F(MainWndTray, TaskbarRestartAddsEveryIconAgain) {
    CMainWnd window;
    ASSERT_TRUE(window.Create());
    system.Clear();
    SendMessageA(window.m_hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(3u, system.notifications.size());
    ExpectAllAdded(window, {"Editor", "Separator", "Desktop Access"});
}

TEST(TrayTip, LongTextsAreCutOnACharacterBoundary) {
    SetSharedTip(std::string(100, 'x'));
    EXPECT_EQ(std::string(63, 'x'), SharedNotifyData.szTip);
    SetSharedTip("short");
    EXPECT_STREQ("short", SharedNotifyData.szTip);
}
