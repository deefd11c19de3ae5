// Start-up of the real program: the hidden main window, one instance only, no language files.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

const std::vector<std::string> kNone;
constexpr int kSystemBoxTextId = 65535;  // in the system's message box

// Two copies started at the same moment, or one after the other: one runs, hidden, and the other
// ends at once with nothing shown or added.
TEST(StartupTest, OneCopyRunsHiddenAndASecondOneEndsAtOnce) {
    CleanSettings settings;
    ASSERT_TRUE(WriteOrder("Separator|"));  // one icon, so no first-time dialog
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_EQ("", folder.Problem());
    Icon separator = SmallIcon(folder.FilePath(kProgramExe), 1);
    ASSERT_TRUE(WaitForEmptyTrayCell(0)) << "icons of an earlier program are still shown";
    for (int attempt = 0; attempt < 3; ++attempt) {
        Program one, two, late;
        ASSERT_TRUE(one.Start(folder.Path()) && two.Start(folder.Path()));
        HWND main = WaitForWindow(kMainWindowClass, nullptr, 0, false);
        ASSERT_NE(nullptr, main);
        ASSERT_TRUE(WaitForTrayIcon(0, separator.get()));
        EXPECT_TRUE(WaitUntil([&] { return one.IsRunning() != two.IsRunning(); })) << "attempt " << attempt;
        ASSERT_TRUE(late.Start(folder.Path()));
        EXPECT_TRUE(late.WaitForExit(5000)) << "a later copy is still running";
        EXPECT_TRUE(one.IsRunning() != two.IsRunning()) << "attempt " << attempt;
        EXPECT_EQ(0u, late.ExitCode());
        EXPECT_TRUE(WaitForEmptyTrayCell(1, 0)) << "a second copy added an icon";
        EXPECT_FALSE(IsWindowVisible(main));
        EXPECT_EQ(kNone, VisibleWindows(one.IsRunning() ? one.Id() : two.Id()));
        ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
        EXPECT_TRUE(one.WaitForExit() && two.WaitForExit());
        EXPECT_EQ(0u, one.ExitCode() | two.ExitCode());
        ASSERT_TRUE(WaitForEmptyTrayCell(0));
    }
}

TEST(StartupTest, NoLanguageFileGivesTheFixedMessageAndOnlyTheOptionsKey) {
    CleanSettings settings;
    const char* explorerVerb = "Software\\Classes\\exefile\\shell\\zzVelkator";  // ".exe" is "exefile" here
    ASSERT_TRUE(DeleteKeyTree(explorerVerb));
    ProgramFolder folder({});
    ASSERT_EQ("", folder.Problem());

    Program velkator;
    ASSERT_TRUE(velkator.Start(folder.Path()));
    HWND box = WaitForWindow("#32770", "Velkator", velkator.Id());
    ASSERT_NE(nullptr, box) << ::testing::PrintToString(VisibleWindows(velkator.Id()));
    EXPECT_EQ("Cannot find any Velkator language files.  Velkator cannot run", ControlText(box, kSystemBoxTextId));
    EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL));
    EXPECT_EQ(std::vector<std::string>{"#32770 \"Velkator\""}, VisibleWindows(velkator.Id()));
    EXPECT_EQ(nullptr, WaitForWindow(kMainWindowClass, nullptr, velkator.Id(), false, 0));
    EXPECT_TRUE(SaveScreenshot("no-language-message", Bounds(box)));
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(velkator.WaitForExit()) << "the program went on after the message";
    EXPECT_EQ(0u, velkator.ExitCode());
    // Reading the stored language made the keys on the way, and nothing else was written.
    EXPECT_TRUE(KeyExists(kOptionsKey) && !KeyExists(kShortcutsKey));
    EXPECT_EQ(0xFFFFFFFFu, ReadDword(kOptionsKey, "Language")) << "the stored language was written";
    EXPECT_FALSE(KeyExists(explorerVerb)) << "the Explorer verb was written";
}

}  // namespace
}  // namespace e2e
