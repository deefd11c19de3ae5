// Start-up of the real program: the hidden main window, the single-instance rule, the fixed message
// when no language file exists, and which language a stored choice gives.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr const char* kNoLanguageText = "Cannot find any Velkator language files.  Velkator cannot run";
constexpr const char* kNoLanguageCaption = "Velkator";
// Control ids of the system message box.
constexpr int kMessageBoxTextId = 65535;
constexpr int kMessageBoxIconId = 1088;
// Control ids of the program's own message box.
constexpr int kMessageTextId = 1060;
// Where the Explorer verb would be written (".exe" is "exefile" in the test prefix).
constexpr const char* kExplorerVerbKey = "exefile\\shell\\zzVelkator";

std::string ClassesOfVisibleWindows(DWORD processId) {
    std::string classes;
    for (HWND window : VisibleTopLevelWindows(processId))
        classes += WindowClass(window) + " \"" + WindowText(window) + "\" ";
    return classes;
}

// Opens the exit question as a person does: a right click on the first icon, then Exit in the menu
// (the fourth item: New, Delete, About, Exit). Returns the question box, or null.
HWND OpenExitQuestionFromTheMenu(const Program& velkator, const LanguageTexts& texts) {
    if (!ClickTrayIcon(0, MouseButton::Right)) return nullptr;
    if (!WaitForPopupMenu(kDefaultTimeoutMs, velkator.Id()) || !ChooseMenuItemByKeys(4)) return nullptr;
    return WaitForDialog(texts.Text("msgConfirmExitTitle").c_str(), velkator.Id(), kDefaultTimeoutMs);
}

// Starts the program with one separator icon and Options\Language 7 and reads its exit question,
// then answers No; the program must go on running and keep the stored language.
void ExpectExitQuestionInLanguage(const ProgramFolder& folder, const LanguageTexts& texts, const char* yes,
                                  const char* no) {
    ASSERT_TRUE(folder.IsReady()) << folder.Problem();
    ASSERT_TRUE(texts.IsLoaded());
    ASSERT_TRUE(WriteDword(kOptionsKey, "Language", 7));
    ASSERT_TRUE(WriteOrder("Separator|"));
    SmallIcon separator = SmallIcon::FromFile(folder.FilePath(kProgramExe), 1);
    ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";

    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(WaitForTrayIcon(0, separator.get(), kDefaultTimeoutMs));
    HWND box = OpenExitQuestionFromTheMenu(velkator, texts);
    ASSERT_NE(nullptr, box) << "no box captioned \"" << texts.Text("msgConfirmExitTitle") << "\"; shown: "
                            << ClassesOfVisibleWindows(velkator.Id());
    EXPECT_EQ(texts.Text("msgConfirmExit"), ControlText(box, kMessageTextId));
    EXPECT_EQ(yes, ControlText(box, IDOK));
    EXPECT_EQ(no, ControlText(box, IDCANCEL));
    EXPECT_EQ(texts.Text("btnYes"), ControlText(box, IDOK));
    EXPECT_EQ(texts.Text("btnNo"), ControlText(box, IDCANCEL));

    ASSERT_TRUE(ClickButton(box, IDCANCEL));
    EXPECT_TRUE(WaitForWindowGone(box, kDefaultTimeoutMs));
    EXPECT_FALSE(velkator.WaitForExit(500)) << "No ended the program";
    EXPECT_TRUE(IsWindow(main));
    DWORD language = 0;
    EXPECT_TRUE(ReadDword(kOptionsKey, "Language", &language));
    EXPECT_EQ(7u, language) << "the stored choice was overwritten";

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    EXPECT_TRUE(velkator.WaitForExit(kDefaultTimeoutMs));
}

TEST(StartupTest, NormalStartHasOnlyTheHiddenMainWindow) {
    CleanSettings settings;
    ASSERT_TRUE(WriteOrder("Separator|"));  // one icon, so no first-time dialog
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_TRUE(folder.IsReady()) << folder.Problem();
    SmallIcon separator = SmallIcon::FromFile(folder.FilePath(kProgramExe), 1);

    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Velkator", WindowText(main));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(WaitForTrayIcon(0, separator.get(), kDefaultTimeoutMs));
    Sleep(300);  // anything shown late would be there by now
    EXPECT_TRUE(VisibleTopLevelWindows(velkator.Id()).empty()) << ClassesOfVisibleWindows(velkator.Id());
    EXPECT_FALSE(IsWindowVisible(main));

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    EXPECT_TRUE(velkator.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(0u, velkator.ExitCode());
}

TEST(StartupTest, SecondStartEndsAtOnceAndTheFirstKeepsRunning) {
    CleanSettings settings;
    ASSERT_TRUE(WriteOrder("Separator|"));
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_TRUE(folder.IsReady()) << folder.Problem();
    SmallIcon separator = SmallIcon::FromFile(folder.FilePath(kProgramExe), 1);
    ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";

    Program first;
    HWND main = StartVelkator(first, folder);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(WaitForTrayIcon(0, separator.get(), kDefaultTimeoutMs));

    Program second;
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(second.Start(folder.Path(), kProgramExe));
    ASSERT_TRUE(second.WaitForExit(5000)) << "the second instance is still running";
    EXPECT_LT(GetTickCount64() - started, 5000u);
    EXPECT_EQ(0u, second.ExitCode());

    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(IsWindow(main));
    EXPECT_EQ(main, FindWindowOfProcess(kMainWindowClass, nullptr, 0)) << "another main window exists";
    EXPECT_TRUE(WaitForTrayIcon(0, separator.get(), 1000));
    EXPECT_TRUE(IsUniform(CaptureScreenArea(TrayIconCell(1)))) << "the second start added an icon";

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    EXPECT_TRUE(first.WaitForExit(kDefaultTimeoutMs));
}

TEST(StartupTest, NoLanguageFileGivesTheFixedMessageAndOnlyAnEmptyOptionsKey) {
    CleanSettings settings;
    ASSERT_TRUE(DeleteKeyTree(kExplorerVerbKey, HKEY_CLASSES_ROOT));
    ProgramFolder folder({});
    ASSERT_TRUE(folder.IsReady()) << folder.Problem();

    Program velkator;
    ASSERT_TRUE(velkator.Start(folder.Path(), kProgramExe));
    HWND box = WaitForDialog(kNoLanguageCaption, velkator.Id(), kDefaultTimeoutMs);
    ASSERT_NE(nullptr, box) << ClassesOfVisibleWindows(velkator.Id());
    EXPECT_EQ(kNoLanguageText, ControlText(box, kMessageBoxTextId));
    EXPECT_TRUE(IsControlVisible(box, IDOK));
    EXPECT_EQ(nullptr, Control(box, IDCANCEL));
    EXPECT_TRUE(IsControlVisible(box, kMessageBoxIconId));
    EXPECT_EQ(IDI_HAND, ShownSystemIcon(Control(box, kMessageBoxIconId))) << "not the error icon";
    EXPECT_EQ(nullptr, FindWindowOfProcess(kMainWindowClass, nullptr, velkator.Id()));
    EXPECT_EQ(std::vector<HWND>{box}, VisibleTopLevelWindows(velkator.Id())) << ClassesOfVisibleWindows(velkator.Id());
    EXPECT_FALSE(SaveWindowShot(box, "no-language-message").empty());

    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(velkator.WaitForExit(kDefaultTimeoutMs)) << "the program went on after the message";
    EXPECT_EQ(0u, velkator.ExitCode());
    EXPECT_EQ(nullptr, FindWindowOfProcess(kMainWindowClass, nullptr, 0));

    // Reading the stored language is all the program did: it made the keys on the way, no values.
    EXPECT_TRUE(KeyExists(kOptionsKey));
    EXPECT_EQ(std::vector<std::string>{"Options"}, SubKeyNames(kVelkatorKey));
    EXPECT_TRUE(ValueNames(kVelkatorKey).empty());
    EXPECT_TRUE(ValueNames(kOptionsKey).empty());
    EXPECT_TRUE(SubKeyNames(kOptionsKey).empty());
    EXPECT_FALSE(KeyExists(kExplorerVerbKey, HKEY_CLASSES_ROOT)) << "the Explorer verb was written";
}

TEST(StartupTest, StoredLanguageWithoutItsFileRunsInEnglishAndKeepsTheChoice) {
    CleanSettings settings;
    ProgramFolder folder({"velko009.mlb"});
    ExpectExitQuestionInLanguage(folder, LanguageTexts("velko009.mlb"), "&Yes", "&No");
}

TEST(StartupTest, StoredLanguageWithItsFileRunsInThatLanguage) {
    CleanSettings settings;
    ProgramFolder folder({"velko009.mlb", "velko007.mlb"});
    ExpectExitQuestionInLanguage(folder, LanguageTexts("velko007.mlb"), "&Ja", "&Nein");
}

}  // namespace
}  // namespace e2e
