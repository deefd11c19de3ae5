// Start-up of the real program: the hidden main window, one instance only, no language files, and
// which language a stored choice gives.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

const std::vector<std::string> kNone;
constexpr int kSystemBoxTextId = 65535, kSystemBoxIconId = 1088;  // in the system's message box

TEST(StartupTest, NormalStartShowsNoWindowAndASecondStartEndsAtOnce) {
    CleanSettings settings;
    ASSERT_TRUE(WriteOrder("Separator|"));  // one icon, so no first-time dialog
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_EQ("", folder.Problem());
    Icon separator = SmallIcon(folder.FilePath(kProgramExe), 1);
    ASSERT_TRUE(WaitForEmptyTrayCell(0)) << "icons of an earlier program are still shown";

    Program first;
    HWND main = StartVelkator(first, folder);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(WaitForTrayIcon(0, separator.get()));
    Sleep(300);  // anything shown late would be there by now
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(kNone, VisibleWindows(first.Id()));

    Program second;
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(second.Start(folder.Path()));
    ASSERT_TRUE(second.WaitForExit(5000)) << "the second instance is still running";
    EXPECT_LT(GetTickCount64() - started, 5000u);
    EXPECT_EQ(0u, second.ExitCode());
    EXPECT_EQ(main, WaitForWindow(kMainWindowClass, nullptr, 0, false, 0)) << "it made a main window";
    EXPECT_TRUE(WaitForEmptyTrayCell(1, 0)) << "the second start added an icon";

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    EXPECT_TRUE(first.WaitForExit());
    EXPECT_EQ(0u, first.ExitCode());
}

TEST(StartupTest, TwoCopiesStartedAtTheSameMomentLeaveOne) {
    CleanSettings settings;
    ASSERT_TRUE(WriteOrder("Separator|"));
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_EQ("", folder.Problem());
    ASSERT_TRUE(WaitForEmptyTrayCell(0)) << "icons of an earlier program are still shown";
    for (int attempt = 0; attempt < 3; ++attempt) {
        Program one, two;
        ASSERT_TRUE(one.Start(folder.Path()) && two.Start(folder.Path()));
        HWND main = WaitForWindow(kMainWindowClass, nullptr, 0, false);
        ASSERT_NE(nullptr, main);
        EXPECT_TRUE(WaitUntil([&] { return one.IsRunning() != two.IsRunning(); })) << "attempt " << attempt;
        Sleep(300);
        EXPECT_TRUE(one.IsRunning() != two.IsRunning()) << "attempt " << attempt;
        EXPECT_TRUE(WaitForEmptyTrayCell(1, 0)) << "both copies added an icon";
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(one.WaitForExit() && two.WaitForExit());
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
    EXPECT_EQ(IDI_HAND, ShownSystemIcon(GetDlgItem(box, kSystemBoxIconId))) << "not the error icon";
    EXPECT_EQ(std::vector<std::string>{"#32770 \"Velkator\""}, VisibleWindows(velkator.Id()));
    EXPECT_EQ(nullptr, WaitForWindow(kMainWindowClass, nullptr, velkator.Id(), false, 0));
    EXPECT_TRUE(SaveScreenshot("no-language-message", Bounds(box)));

    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(velkator.WaitForExit()) << "the program went on after the message";
    EXPECT_EQ(0u, velkator.ExitCode());
    // Reading the stored language made the keys on the way, and nothing else was written.
    EXPECT_EQ(std::vector<std::string>{"Options\\"}, KeyContents(kVelkatorKey));
    EXPECT_EQ(kNone, KeyContents(kOptionsKey));
    EXPECT_FALSE(KeyExists(explorerVerb)) << "the Explorer verb was written";
}

// Options\Language = 7 picks German when its file is there and falls back to English otherwise; the
// exit question shows which, and the stored choice must outlive the run.
TEST(StartupTest, StoredLanguageRunsWithItsFileOrInEnglishAndIsKept) {
    struct Case {
        std::vector<std::string> files;
        const char* caption;
        const char* yes;
        const char* no;
    } cases[] = {{{"velko009.mlb"}, "Exit Velkator", "&Yes", "&No"},
                 {{"velko009.mlb", "velko007.mlb"}, "Velkator beenden", "&Ja", "&Nein"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        CleanSettings settings;
        ASSERT_TRUE(WriteDword(kOptionsKey, "Language", 7));
        ASSERT_TRUE(WriteOrder("Separator|"));
        ProgramFolder folder(c.files);
        ASSERT_EQ("", folder.Problem());
        Program velkator;
        HWND main = StartVelkator(velkator, folder);
        ASSERT_NE(nullptr, main);

        ASSERT_TRUE(PostMessageA(main, WM_COMMAND, ID_CLOSE, 0));
        HWND box = WaitForWindow("#32770", c.caption, velkator.Id());
        ASSERT_NE(nullptr, box) << ::testing::PrintToString(VisibleWindows(velkator.Id()));
        EXPECT_EQ(c.yes, ControlText(box, IDOK));
        EXPECT_EQ(c.no, ControlText(box, IDCANCEL));
        ASSERT_TRUE(ClickButton(box, IDOK));
        ASSERT_TRUE(velkator.WaitForExit());
        EXPECT_EQ(7u, ReadDword(kOptionsKey, "Language")) << "the stored choice was overwritten";
    }
}

}  // namespace
}  // namespace e2e
