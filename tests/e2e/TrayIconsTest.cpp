// The real program's tray icons: what loading shows, in which order, and that they leave with the
// program.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(TrayIconsTest, ShortcutsShowTheirIconsInOrderAndLeaveWithTheProgram) {
    CleanSettings settings;
    ProgramFolder folder({"velko009.mlb", "launchlog.exe"});
    ASSERT_EQ("", folder.Problem());
    const std::string program = folder.FilePath(kProgramExe), helper = folder.FilePath("launchlog.exe");

    // An icon file claiming 65535 images in 22 bytes: never handed to the system's loader.
    ASSERT_TRUE(WriteFileBytes(folder.FilePath("corrupt.ico"),
                               std::string("\0\0\1\0\xFF\xFF\x10\x10\0\0\1\0\x20\0\x68\4\0\0\x16\0\0\0", 22)));
    // A program without icons shows the question mark; no icon path, the file's first icon.
    ASSERT_TRUE(WriteShortcut("Locked", {helper, "", "", program + "," + std::to_string(kLockIcon)}) &&
                WriteShortcut("Plain helper", {helper}) && WriteShortcut("Velkator copy", {program}) &&
                WriteShortcut("Corrupt", {helper, "", "", folder.FilePath("corrupt.ico")}));
    ASSERT_TRUE(WriteString(kShortcutsKey, "Ghost", "installed"));  // not the marker: skipped, yet kept
    const std::string order = "Locked|Separator|Ghost|Velkator copy|DeskAccess|Plain helper|Corrupt|";
    ASSERT_TRUE(WriteOrder(order));
    std::vector<Icon> expected;
    for (int index : {kLockIcon, kSeparatorIcon, kProgramIcon, kDeskAccessIcon})
        expected.push_back(SmallIcon(program, index));
    expected.push_back(QuestionMarkIcon());
    expected.push_back(QuestionMarkIcon());
    const int count = static_cast<int>(expected.size());

    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    ASSERT_NE(nullptr, main);
    for (int k = 0; k < count; ++k) {
        EXPECT_TRUE(WaitForTrayIcon(k, expected[k].get()))
            << "cell " << k << " differs in " << TrayIconDifference(k, expected[k].get()) << " pixels";
        for (int other = 0; other < count; ++other) {  // else the order could not be told apart
            if (other == k || (k >= count - 2 && other >= count - 2)) continue;  // two question marks
            EXPECT_NE(0, TrayIconDifference(k, expected[other].get())) << k << " vs " << other;
        }
    }
    EXPECT_TRUE(WaitForEmptyTrayCell(count, 0)) << "an icon beyond the order is shown";
    const RECT first = TrayIconCell(0), last = TrayIconCell(count + 1);
    EXPECT_TRUE(SaveScreenshot("tray-icons-closeup", {last.left, first.top, first.right, first.bottom}));

    // The menu of the icon whose file was corrupt works as any other.
    ASSERT_TRUE(ClickAt(Centre(TrayIconCell(count - 1)), MouseButton::Right));
    EXPECT_NE(nullptr, WaitForWindow("#32768", nullptr, velkator.Id()));
    ASSERT_TRUE(SendMenuKeys({VK_ESCAPE}));

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    ASSERT_TRUE(velkator.WaitForExit());
    EXPECT_EQ(0u, velkator.ExitCode());
    for (int k = 0; k < count; ++k) EXPECT_TRUE(WaitForEmptyTrayCell(k, 2000)) << "icon " << k << " stayed";
    EXPECT_EQ(order, ReadOrder()) << "loading or closing rewrote the order";
}

}  // namespace
}  // namespace e2e
