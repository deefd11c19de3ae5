// Start-up of the real program: the hidden main window, one instance only, the tray icons in their
// order, no language files.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace e2e {
namespace {

const std::vector<std::string> kNone;
constexpr int kSystemBoxTextId = 65535;  // in the system's message box

// Two copies started at the same moment: one runs, hidden, and shows the icons in their order, the
// other ends at once with nothing shown or added. The icons leave with the program,
// and neither loading nor closing rewrites the order.
TEST(StartupTest, OneCopyRunsHiddenAndShowsTheIconsInOrderAndASecondOneEndsAtOnce) {
    CleanSettings settings;
    ProgramFolder folder({"velko009.mlb", "launchlog.exe"});
    ASSERT_EQ("", folder.Problem());
    const std::string program = folder.FilePath(kProgramExe), helper = folder.FilePath("launchlog.exe");
    // An icon file claiming 65535 images in 22 bytes: never handed to the system's loader.
    ASSERT_TRUE(WriteFileBytes(folder.FilePath("corrupt.ico"),
                               std::string("\0\0\1\0\xFF\xFF\x10\x10\0\0\1\0\x20\0\x68\4\0\0\x16\0\0\0", 22)));
    // A program without icons shows the question mark; no icon path, the file's first icon, the
    // program's path taken whole though it holds a comma.
    const std::string copy = folder.FilePath("tools, 2") + "\\Velkator.exe";
    ASSERT_TRUE(CreateDirectoryA(folder.FilePath("tools, 2").c_str(), nullptr) &&
                CopyFileA(program.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(WriteShortcut("Locked", {helper, "", "", program + "," + std::to_string(kLockIcon)}) &&
                WriteShortcut("Plain helper", {helper}) && WriteShortcut("Velkator copy", {copy}) &&
                WriteShortcut("Corrupt", {helper, "", "", folder.FilePath("corrupt.ico")}));
    const std::string order = "Locked|Separator|Ghost|Velkator copy|DeskAccess|Plain helper|Corrupt|";
    ASSERT_TRUE(WriteString(kShortcutsKey, "Ghost", "installed") && WriteOrder(order));  // not the marker: skipped, yet kept
    Icon expected[] = {SmallIcon(program, kLockIcon), SmallIcon(program, kSeparatorIcon), SmallIcon(program, kProgramIcon),
                       SmallIcon(program, kDeskAccessIcon), QuestionMarkIcon(), QuestionMarkIcon()};
    const int count = 6;
    // Windows 11 keeps an icon's settings under a key that names the program by a known folder (the
    // profile here); the program shows its new icon on the taskbar by setting IsPromoted there.
    const std::string promotion = "Control Panel\\NotifyIconSettings\\velkator-test";
    char profile[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, profile)));
    ASSERT_EQ(0, program.compare(0, strlen(profile), profile));
    ASSERT_TRUE(DeleteKeyTree(promotion) && WriteDword(promotion, "UID", 1) &&
                WriteString(promotion, "ExecutablePath",
                            "{5E6C858F-0E22-4760-9AFE-EA3317B67173}" + program.substr(strlen(profile))));
    ASSERT_TRUE(WaitForEmptyTrayCell(0)) << "icons of an earlier program are still shown";
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        Program one, two;
        ASSERT_TRUE(one.Start(folder.Path()) && two.Start(folder.Path()));
        HWND main = WaitForWindow(kMainWindowClass, nullptr, 0, false);
        ASSERT_NE(nullptr, main);
        for (int k = 0; k < count; ++k)
            EXPECT_TRUE(WaitForTrayIcon(k, expected[k].get()))
                << "cell " << k << " differs in " << TrayIconDifference(k, expected[k].get()) << " pixels";
        EXPECT_TRUE(WaitUntil([&] { return one.IsRunning() != two.IsRunning(); }));
        EXPECT_TRUE(WaitUntil([&] { return ReadDword(promotion, "IsPromoted") == 1; })) << "not promoted";
        EXPECT_TRUE(WaitForEmptyTrayCell(count, 0)) << "an icon beyond the order, or a second copy's, is shown";
        const DWORD running = one.IsRunning() ? one.Id() : two.Id();
        EXPECT_EQ(kNone, VisibleWindows(running));
        // A start that only shows icons loads no library for dialogs, file dialogs or sounds. (COM comes
        // in with the known-folder lookup of the Windows 11 key above.)
        for (const char* library : {"comctl32.dll", "comdlg32.dll", "winmm.dll"})
            EXPECT_EQ("", LoadedModule(running, library)) << library;
        // A right click starts loading the sheet's library in the background.
        ASSERT_TRUE(ClickAt(Centre(TrayIconCell(count - 1)), MouseButton::Right));
        EXPECT_NE(nullptr, WaitForWindow("#32768", nullptr, running));
        ASSERT_TRUE(SendMenuKeys({VK_ESCAPE}));
        EXPECT_TRUE(WaitUntil([&] { return !LoadedModule(running, "comctl32.dll").empty(); }));

        ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
        EXPECT_TRUE(one.WaitForExit() && two.WaitForExit());
        EXPECT_EQ(0u, one.ExitCode() | two.ExitCode());
        EXPECT_EQ(order, ReadOrder()) << "loading or closing rewrote the order";
        for (int k = 0; k < count; ++k) ASSERT_TRUE(WaitForEmptyTrayCell(k)) << "icon " << k << " stayed";
    }
    DeleteKeyTree(promotion);
}

TEST(StartupTest, NoLanguageFileGivesTheFixedMessageAndOnlyTheOptionsKey) {
    CleanSettings settings;
    const char* explorerVerb = "Software\\Classes\\*\\shell\\zzVelkator";
    ASSERT_TRUE(DeleteKeyTree(explorerVerb));
    ProgramFolder folder({});
    ASSERT_EQ("", folder.Problem());

    Program velkator;
    ASSERT_TRUE(velkator.Start(folder.Path()));
    HWND box = WaitForWindow("#32770", "Velkator", velkator.Id());
    EXPECT_EQ("Cannot find any Velkator language files.  Velkator cannot run", ControlText(box, kSystemBoxTextId));
    EXPECT_EQ(std::vector<std::string>{"#32770 \"Velkator\""}, VisibleWindows(velkator.Id()));
    EXPECT_EQ(nullptr, WaitForWindow(kMainWindowClass, nullptr, velkator.Id(), false, 0));
    ASSERT_TRUE(ClickButton(box, IDOK) && velkator.WaitForExit()) << "the program went on after the message";
    EXPECT_EQ(0u, velkator.ExitCode());
    // Reading the stored language made the keys on the way, and nothing else was written.
    EXPECT_TRUE(KeyExists(kOptionsKey) && !KeyExists(kShortcutsKey));
    EXPECT_EQ(0xFFFFFFFFu, ReadDword(kOptionsKey, "Language")) << "the stored language was written";
    EXPECT_FALSE(KeyExists(explorerVerb)) << "the Explorer verb was written";
}

}  // namespace
}  // namespace e2e
