// Launching through the real program: a real click on a tray icon and message 143 start the
// launch-log helper, which records how it was started; failures show the program's message box.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr UINT kLaunchItemMessage = 143;

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ("", folder_.Problem());
        ASSERT_TRUE(CreateDirectoryA(work_.c_str(), nullptr));
        ASSERT_TRUE(SetEnvironmentVariableA("VELKATOR_LAUNCH_LOG", log_.c_str()));  // handed down to the helper
    }
    void TearDown() override { SetEnvironmentVariableA("VELKATOR_LAUNCH_LOG", nullptr); }

    // Writes the shortcuts in the given order and starts the program.
    void Start(const std::vector<std::pair<std::string, ShortcutSettings>>& shortcuts) {
        std::string order;
        for (const auto& shortcut : shortcuts) {
            ASSERT_TRUE(WriteShortcut(shortcut.first, shortcut.second));
            order += shortcut.first + "|";
        }
        ASSERT_TRUE(WriteOrder(order));
        ASSERT_TRUE(WaitForEmptyTrayCell(0)) << "icons of an earlier program are still shown";
        main_ = StartVelkator(velkator_, folder_);
        ASSERT_NE(nullptr, main_);
    }

    ShortcutSettings Helper(const std::string& arguments, DWORD style = 1, DWORD prompt = 0) const {
        ShortcutSettings shortcut;
        shortcut.path = helper_;
        shortcut.arguments = arguments;
        shortcut.startup = work_;
        shortcut.style = style;
        shortcut.prompt = prompt;
        return shortcut;
    }

    // The log line the helper writes when started with these arguments and show command.
    std::string Launch(const std::string& arguments, int show = SW_SHOWNORMAL) const {
        return helper_ + "\t" + arguments + "\t" + work_ + "\t" + std::to_string(show);
    }

    // The log's lines once it has at least count of them.
    std::vector<std::string> WaitForLaunches(size_t count) {
        std::vector<std::string> lines;
        WaitUntil(
            [&] {
                std::string content;
                lines.clear();
                ReadFileBytes(log_, &content);
                for (size_t start = 0, end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
                    lines.push_back(content.substr(start, end - start));
                return lines.size() >= count;
            },
            count ? kTimeoutMs : 0, 50);
        return lines;
    }

    CleanSettings settings_;
    ProgramFolder folder_{{"velko009.mlb", "launchlog.exe"}};
    const std::string helper_ = folder_.FilePath("launchlog.exe");
    const std::string work_ = folder_.FilePath("work");
    const std::string log_ = folder_.FilePath("launch.log");
    Program velkator_;
    HWND main_ = nullptr;
};

TEST_F(LaunchTest, ClickAndMessage143LaunchWithTheStoredSettingsAndThePromptsText) {
    ASSERT_NO_FATAL_FAILURE(Start({{"Normal", Helper("one \"two three\"  four")},
                                   {"Maximised", Helper("max", 2)},
                                   {"Minimised", Helper("min", 3)},
                                   {"Unknown style", Helper("other", 7)},
                                   {"Asking", Helper("stored words", 1, 1)}}));
    Icon questionMark = QuestionMarkIcon();
    ASSERT_TRUE(WaitForTrayIcon(0, questionMark.get()));

    // The run styles, an unknown one as normal: the first item through a real click, the others
    // through message 143.
    const std::string expected[] = {Launch("one \"two three\"  four"), Launch("max", SW_SHOWMAXIMIZED),
                                    Launch("min", SW_MINIMIZE), Launch("other")};
    size_t count = 0;
    for (const std::string& launch : expected) {
        ASSERT_TRUE(count ? PostMessageA(main_, kLaunchItemMessage, count + 1, WM_LBUTTONDOWN)
                          : ClickAt(Centre(TrayIconCell(0)), MouseButton::Left));
        const std::vector<std::string> launches = WaitForLaunches(++count);
        ASSERT_EQ(count, launches.size());
        EXPECT_EQ(launch, launches.back());
    }

    // The prompt opens empty and launches with exactly what was typed; Cancel launches with nothing.
    for (const char* typed : {"alpha beta", ""}) {
        ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 5, WM_LBUTTONDOWN));
        HWND prompt = WaitForWindow("#32770", "Start with Arguments", velkator_.Id());
        ASSERT_NE(nullptr, prompt);
        EXPECT_EQ("", ControlText(prompt, IDC_ARGUMENTS_EDIT)) << "the prompt offers text";
        EXPECT_EQ(count, WaitForLaunches(0).size()) << "launched before the prompt was answered";
        if (*typed) {
            ASSERT_TRUE(SetControlText(prompt, IDC_ARGUMENTS_EDIT, typed));
            Sleep(200);  // let it paint
            EXPECT_TRUE(SaveScreenshot("argument-prompt", Bounds(prompt)));
        }
        ASSERT_TRUE(ClickButton(prompt, *typed ? IDOK : IDCANCEL));
        const std::vector<std::string> launches = WaitForLaunches(++count);
        ASSERT_EQ(count, launches.size());
        EXPECT_EQ(Launch(typed), launches.back());
        ASSERT_TRUE(WaitForWindowGone(prompt));
    }
}

TEST_F(LaunchTest, MissingProgramAndUnassociatedDocumentShowTheirErrors) {
    const std::string missing = folder_.FilePath("missing.exe"), document = folder_.FilePath("notes.xyz");
    ASSERT_TRUE(WriteFileBytes(document, "no program opens this"));
    ShortcutSettings toMissing, toDocument;
    toMissing.path = missing;
    toDocument.path = document;
    ASSERT_NO_FATAL_FAILURE(Start({{"Missing", toMissing}, {"Document", toDocument}}));

    const struct {
        WPARAM item;
        std::string text;
        const char* screenshot;
    } cases[] = {{1, "Cannot find the file " + missing + ". Check the program path in the shortcut's properties.",
                  "launch-error-file-not-found"},
                 {2, "No program is set up to open .xyz files, so " + document + " cannot be opened.", nullptr}};
    for (const auto& c : cases) {
        ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, c.item, WM_LBUTTONDOWN));
        HWND box = WaitForWindow("#32770", "Cannot Start Program", velkator_.Id());
        ASSERT_NE(nullptr, box) << ::testing::PrintToString(VisibleWindows(velkator_.Id()));
        EXPECT_EQ(c.text, ControlText(box, IDC_MESSAGE_TEXT));
        if (c.screenshot) {
            EXPECT_TRUE(SaveScreenshot(c.screenshot, Bounds(box)));
        }
        ASSERT_TRUE(ClickButton(box, IDOK));
        ASSERT_TRUE(WaitForWindowGone(box));
    }
    EXPECT_TRUE(velkator_.IsRunning());
}

}  // namespace
}  // namespace e2e
