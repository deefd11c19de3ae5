// The About box and the Help command of the real program. Help opens what the language file's
// "urlHelp" names; here that is a copy of the launch-log helper, which records that it started.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace e2e {
namespace {

class AboutHelpTest : public ProgramTest {
protected:
    AboutHelpTest() : ProgramTest({"velko009.mlb", "velko007.mlb", "launchlog.exe"}) {}
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(WriteOrder("Separator|"));
    }

    // Copies the helper to helper, starts the program in language with "urlHelp" set to target (a key's
    // first entry counts), opens the About box as the menu does, presses Help; the About box, or null.
    HWND PressHelp(DWORD language, const std::string& target, const std::string& helper = "unused.exe") {
        const std::string file = "velko00" + std::to_string(language) + ".mlb";
        std::string texts;
        run_.reset(new Program);
        main_ = ReadFileBytes(DriverFolder() + "\\" + file, &texts) &&
                            WriteFileBytes(folder_.FilePath(file), "urlHelp=" + target + "\n" + texts) &&
                            WriteDword(kOptionsKey, "Language", language) &&
                            CopyFileA(helper_.c_str(), folder_.FilePath(helper).c_str(), 0)
                        ? StartVelkator(*run_, folder_) : nullptr;
        HWND about = main_ && PostMessageA(main_, WM_COMMAND, ID_ABOUT, 0)
                         ? WaitForWindow("#32770", nullptr, run_->Id()) : nullptr;
        return about && ClickButton(about, ID_HELP) ? about : nullptr;
    }

    // The name of the helper copy that started within timeoutMs, or "".
    std::string Launched(DWORD timeoutMs = kTimeoutMs) {
        std::string log;
        WaitUntil([&] { return ReadFileBytes(log_, &log) && log.find('\t') != std::string::npos; }, timeoutMs);
        DeleteFileA(log_.c_str());
        log.erase(log.find('\t') == std::string::npos ? 0 : log.find('\t'));
        return log.substr(log.rfind('\\') + 1);
    }

    std::unique_ptr<Program> run_;  // each press of Help starts the program anew
    HWND main_ = nullptr;
};

// The figures of the About box; Help there and on the settings sheet opens the language's target.
TEST_F(AboutHelpTest, AboutBoxShowsItsFiguresAndHelpOpensTheLanguagesTarget) {
    ULARGE_INTEGER before = {}, after = {};  // files come and go meanwhile: the figure lies between
    ASSERT_TRUE(GetDiskFreeSpaceExA(folder_.Path().c_str(), &before, nullptr, nullptr));
    // English: no abbreviation and velko009.hlp; "HTTP" is not a web address, so no question.
    HWND about = PressHelp(9, "HTTP-%2-%3.exe", "HTTP--velko009.hlp.exe");
    EXPECT_EQ("HTTP--velko009.hlp.exe", Launched());
    EXPECT_EQ(std::string("Velkator version ") + VELKATOR_VERSION_DOTS, ControlText(about, IDC_ABOUT_VERSION));
    MEMORYSTATUSEX memory = {sizeof memory, 0, 0, 0, 0, 0, 0, 0, 0};
    GlobalMemoryStatusEx(&memory);
    EXPECT_EQ(std::to_string(memory.ullTotalPhys / 1024) + " KB", ControlText(about, IDC_ABOUT_MEMORY));
    const double shown = std::stod(ControlText(about, IDC_ABOUT_DISK));
    ASSERT_TRUE(GetDiskFreeSpaceExA(folder_.Path().c_str(), &after, nullptr, nullptr));
    EXPECT_TRUE(std::min(before.QuadPart, after.QuadPart) / 1024.0 - 1024 <= shown &&
                shown <= std::max(before.QuadPart, after.QuadPart) / 1024.0 + 1024) << shown;
    EXPECT_EQ(WorkArea().right - 50, Bounds(about).right);
    ASSERT_TRUE(ClickButton(about, IDOK) && WaitForWindowGone(about) && PostMessageA(main_, WM_COMMAND, ID_NEW_ICON, 0));
    ASSERT_TRUE(ClickButton(WaitForWindow("#32770", "Velkator Settings", run_->Id()), IDHELP));
    EXPECT_EQ("HTTP--velko009.hlp.exe", Launched()) << "the sheet's Help button";
    // German: the program folder, "deu" and velko007.hlp.
    about = PressHelp(7, "%1\\\\h-%2-%3.exe", "h-deu-velko007.hlp.exe");
    EXPECT_EQ("h-deu-velko007.hlp.exe", Launched());
    // A web address is opened only after a yes.
    about = PressHelp(9, "http-%2-%3.exe", "http--velko009.hlp.exe");
    for (int answer : {IDCANCEL, IDOK}) {  // the No and Yes buttons
        HWND question = WaitForWindow("#32770", "Velkator Help", run_->Id());
        EXPECT_EQ("Do you want to open the Velkator help pages in your web browser?\nhttp--velko009.hlp.exe",
                  ControlText(question, IDC_MESSAGE_TEXT));
        ASSERT_TRUE(ClickButton(question, answer));
        // After No: nothing once the About box answers and no copy of the target runs.
        ASSERT_TRUE(answer == IDOK || (WaitForWindowGone(question) && Answered(about) &&
                                        WaitForNoProcess("http--velko009.hlp.exe")));
        EXPECT_EQ(answer == IDOK ? "http--velko009.hlp.exe" : "", Launched(answer == IDOK ? kTimeoutMs : 0));
        ASSERT_TRUE(answer == IDOK || ClickButton(about, ID_HELP));
    }
    // A target that cannot be opened: the system's reason in a warning box.
    ASSERT_NE(nullptr, PressHelp(9, "%1\\\\missing.html"));
    HWND warning = WaitForWindow("#32770", "Velkator Help", run_->Id());
    char reason[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILE_NOT_FOUND, LANG_USER_DEFAULT, reason, 512, nullptr);
    EXPECT_EQ(reason, ControlText(warning, 65535));
}

}  // namespace
}  // namespace e2e
