// A portable copy (Velkator-settings.ini beside the program) keeps everything in that file and
// nothing in the registry, and loses nothing to a save cut short or to a file it cannot read;
// /export and /import carry the settings over and refuse what they cannot use.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

const std::string kVerbKey = "Software\\Classes\\*\\shell\\zzVelkator";

// "section\name=value" for each value of an INI file, in file order.
std::vector<std::string> FileValues(const std::string& path) {
    std::string text, section;
    std::vector<std::string> values;
    ReadFileBytes(path, &text);
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        if (line[0] == '[') section = line.substr(1, line.size() - 2);
        if (!line.empty() && line[0] != '[') values.push_back(section + "\\" + line);
    }
    return values;
}

class PortableTest : public ProgramTest {
protected:
    PortableTest() : ProgramTest({"velko009.mlb", "launchlog.exe"}) {}
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(DeleteKeyTree(kVerbKey));
    }
    DWORD RunQuietly(const std::string& switches) {  // to its end; its exit code
        Program run;
        return run.Start(folder_.Path(), switches + " /quiet") && run.WaitForExit() ? run.ExitCode() : 999;
    }
    std::vector<std::string> Exported() {  // the settings in use, as an export writes them
        const std::string check = folder_.FilePath("check.ini");
        return RunQuietly("/export \"" + check + "\"") == 0 ? FileValues(check) : std::vector<std::string>{"failed"};
    }
    HWND Window(const char* title, const Program& velkator) { return WaitForWindow("#32770", title, velkator.Id()); }
    bool FileHolds(const std::string& value) {  // once the program has saved it
        return WaitUntil([&] {
            const std::vector<std::string> values = FileValues(file_);
            return std::find(values.begin(), values.end(), value) != values.end();
        });
    }

    const std::string file_ = folder_.FilePath("Velkator-settings.ini");
};

// Among the changes: new icons, a rename, which changes the order too, options, a delete.
TEST_F(PortableTest, WhatTheUiChangesGoesIntoTheFileAndNothingIntoTheRegistry) {
    ASSERT_TRUE(WriteFileBytes(file_, "") && StartVelkator(velkator_, folder_));
    ASSERT_TRUE(ClickButton(Dialog("Welcome to Velkator"), IDOK));  // the first icon, a program
    HWND sheet = Dialog("Velkator Settings"), page = CurrentPage(sheet);
    ASSERT_TRUE(SetControlText(page, IDC_PPG_NAME, "Alpha") && SetControlText(page, IDC_PPG_PATH, helper_));
    ASSERT_TRUE(ClickButton(sheet, IDOK) && WaitForWindowGone(sheet));
    ASSERT_TRUE(UseTrayMenu(velkator_, 0, {VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN}));  // New > Separator
    // Alpha becomes Gamma; Delete asks nothing; the options that write to the registry are off.
    ASSERT_TRUE(FileHolds("Shortcuts\\Order=Alpha|Separator|") && UseTrayMenu(velkator_, 0, {VK_UP, VK_RETURN}));
    sheet = Dialog("Velkator Settings");
    ASSERT_TRUE(SetControlText(CurrentPage(sheet), IDC_PPG_NAME, "Gamma"));
    page = GetParent(PageControl(sheet, 2, IDC_OPG_CLICK));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_OPG_QUICKNEW)) ||
                 IsWindowEnabled(GetDlgItem(page, IDC_OPG_SHOW_NEW_ICONS)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_OPG_PORTABLE_NOTE)) &&
                ControlText(page, IDC_OPG_PORTABLE_NOTE).find("A portable copy writes nothing to the registry") == 0);
    ASSERT_TRUE(ClickButton(page, IDC_OPG_CONFIRM_DELETE) && ClickButton(sheet, IDOK) && WaitForWindowGone(sheet));
    ASSERT_TRUE(FileHolds("Shortcuts\\Order=Gamma|Separator|"));
    // Not where the next test clicks: the system would take two clicks there as a double click.
    ASSERT_TRUE(UseTrayMenu(velkator_, 1, {VK_DOWN, VK_DOWN, VK_RETURN}));  // the separator's Delete
    ASSERT_TRUE(FileHolds("Shortcuts\\Order=Gamma|"));

    std::vector<std::string> shortcuts, values = FileValues(file_);
    std::copy_if(values.begin(), values.end(), std::back_inserter(shortcuts),
                 [](const std::string& value) { return value.find("Options\\") != 0; });
    EXPECT_EQ((std::vector<std::string>{"Shortcuts\\Order=Gamma|", "Shortcuts\\Gamma=Installed",
                                        "Gamma\\Path=" + helper_, "Gamma\\Startup=", "Gamma\\IconPath=",
                                        "Gamma\\Arguments=", "Gamma\\Prompt=0", "Gamma\\Style=1", "Gamma\\IconId=1"}),
              shortcuts);
    EXPECT_TRUE(FileHolds("Options\\ConfirmDelete=0"));
    EXPECT_FALSE(KeyExists(kVelkatorKey) || KeyExists(kVerbKey));
}

// A crash between writing the new file and putting it in place leaves it half written beside the
// intact old one. A file cut inside a character cannot be read: it is set aside, not overwritten.
TEST_F(PortableTest, AFileCutShortLosesNothingStoredBefore) {
    const std::string stored = "[Shortcuts]\r\nOrder=Separator|Tool|\r\nTool=Installed\r\n\r\n[Tool]\r\nPath=" +
                               helper_ + "\r\nIconId=5\r\n\r\n[Options]\r\nConfirmDelete=0\r\n\r\n";
    ASSERT_TRUE(WriteFileBytes(file_, stored) && WriteFileBytes(file_ + ".new", stored.substr(0, 40)));
    HWND main = StartVelkator(velkator_, folder_);
    Icon separator = SmallIcon(folder_.FilePath(kProgramExe), kSeparatorIcon);
    ASSERT_TRUE(main && WaitForTrayIcon(0, separator.get()));
    ASSERT_TRUE(UseTrayMenu(velkator_, 0, {VK_DOWN, VK_DOWN, VK_RETURN}));  // the separator's Delete
    const std::vector<std::string> kept = {"Shortcuts\\Order=Tool|", "Shortcuts\\Tool=Installed",
                                           "Tool\\Path=" + helper_, "Tool\\IconId=5", "Options\\ConfirmDelete=0"};
    EXPECT_TRUE(WaitUntil([&] { return FileValues(file_) == kept; })) << ::testing::PrintToString(FileValues(file_));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((file_ + ".new").c_str()));
    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0) && velkator_.WaitForExit());

    const std::string cut = "[Shortcuts]\r\nOrder=Caf\xC3";
    Program next;
    ASSERT_TRUE(WriteFileBytes(file_, cut) && next.Start(folder_.Path()));
    HWND box = Window("Velkator Settings File", next);
    EXPECT_NE(std::string::npos, ControlText(box, IDC_MESSAGE_TEXT).find("it Velkator-settings.ini.unreadable"));
    ASSERT_TRUE(ClickButton(box, IDOK));
    EXPECT_NE(nullptr, Window("Welcome to Velkator", next)) << "no start with new settings";
    std::string setAside = "<none>", fresh = "<none>";
    EXPECT_TRUE(ReadFileBytes(file_ + ".unreadable", &setAside) && setAside == cut);
    EXPECT_TRUE(ReadFileBytes(file_, &fresh) && fresh.empty()) << "the copy would no longer be portable";
    EXPECT_FALSE(KeyExists(kVelkatorKey));
}

TEST_F(PortableTest, ExportThenImportGivesTheSameSettingsAndWhatCannotBeUsedChangesNothing) {
    ASSERT_TRUE(WriteShortcut("Mail", {helper_, " \"quoted\" args ", folder_.Path(), "", 1, 2}) &&
                WriteShortcut("Notes", {helper_}) && WriteDword(std::string(kVelkatorKey) + "\\Notes", "IconId", 7));
    ASSERT_TRUE(WriteOrder("Mail|Separator|Notes|") && WriteDword(kOptionsKey, "Click", 2) &&
                WriteString(kOptionsKey, "Security", "00351571264"));
    const std::vector<std::string> before = Exported();
    const std::string saved = "\"" + folder_.FilePath("saved settings.ini") + "\"", bad = folder_.FilePath("bad.ini");
    ASSERT_EQ(0u, RunQuietly("/export " + saved));
    std::string hundred = "[Shortcuts]\r\nOrder=";
    for (int i = 0; i < 100; ++i) hundred += "Separator|";
    const std::string noOrder = "[Options]\r\nClick=1\r\n", badName = "[Shortcuts]\r\nOrder=a\\b|\r\n";
    for (const std::string& refused : {noOrder, badName, hundred + "Separator|"}) {
        ASSERT_TRUE(WriteFileBytes(bad, refused));
        EXPECT_EQ(1u, RunQuietly("/import \"" + bad + "\"")) << refused;
        EXPECT_EQ(before, Exported()) << refused;
    }
    ASSERT_TRUE(WriteFileBytes(bad, hundred));
    EXPECT_EQ(0u, RunQuietly("/import \"" + bad + "\"")) << "a hundred icons were refused";
    // Through a portable copy and back, then onto another machine: none of Velkator's settings
    // there (two clean Wine prefixes are not at hand).
    ASSERT_TRUE(WriteFileBytes(file_, "") && RunQuietly("/import " + saved) == 0);
    ASSERT_TRUE(RunQuietly("/export " + saved) == 0 && DeleteFileA(file_.c_str()) && DeleteKeyTree(kVelkatorKey));
    EXPECT_EQ(0u, RunQuietly("/import " + saved));
    EXPECT_EQ(before, Exported());  // and the numbers are numbers again
    const std::string key = kVelkatorKey;
    EXPECT_EQ((std::vector<DWORD>{2, 2, 7}), (std::vector<DWORD>{ReadDword(kOptionsKey, "Click"),
                                                                 ReadDword(key + "\\Mail", "Style"),
                                                                 ReadDword(key + "\\Notes", "IconId")}));

    ASSERT_NE(nullptr, StartVelkator(velkator_, folder_));
    Program import;  // while Velkator runs: refused, with a message
    ASSERT_TRUE(import.Start(folder_.Path(), "/import " + saved));
    HWND box = Window("Velkator Settings File", import);
    EXPECT_EQ(0u, ControlText(box, IDC_MESSAGE_TEXT).find("Velkator is running."));
    ASSERT_TRUE(ClickButton(box, IDOK) && import.WaitForExit());
    EXPECT_EQ(1u, import.ExitCode());
}

}  // namespace
}  // namespace e2e
