// Launching through the real program: clicks on its tray icons and message 143 start the launch-log
// helper, which records how it was started; failures show the program's localised message box.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace e2e {
namespace {

constexpr const char* kHelperExe = "launchlog.exe";
constexpr const char* kLogVariable = "VELKATOR_LAUNCH_LOG";
constexpr UINT kLaunchItemMessage = 143;
constexpr int kArgumentsEditId = 1019;
constexpr int kMessageTextId = 1060;
constexpr int kMessageIconId = 1061;

// One line of the helper's log.
struct LaunchRecord {
    std::string module;
    std::string command;
    std::string folder;
    int show = -1;
    bool zoomed = false;
    bool iconic = false;

    // The command line after the program's own name (quoted or not) and the one blank after it.
    std::string Arguments() const {
        size_t end = command.empty() || command[0] != '"' ? command.find(' ') : command.find('"', 1);
        if (end == std::string::npos) return std::string();
        if (command[end] == '"') ++end;
        if (end < command.size() && command[end] == ' ') ++end;
        return command.substr(end);
    }
};

std::string Field(const std::string& line, const std::string& name) {
    const std::string prefix = name + "=";
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find('\t', start);
        if (end == std::string::npos) end = line.size();
        if (line.compare(start, prefix.size(), prefix) == 0)
            return line.substr(start + prefix.size(), end - start - prefix.size());
        start = end + 1;
    }
    return std::string();
}

std::vector<LaunchRecord> ReadLaunchLog(const std::string& path) {
    std::vector<LaunchRecord> records;
    std::string content;
    if (!ReadFileBytes(path, &content)) return records;
    size_t start = 0, end;
    while ((end = content.find("\r\n", start)) != std::string::npos) {
        const std::string line = content.substr(start, end - start);
        start = end + 2;
        LaunchRecord record;
        record.module = Field(line, "module");
        record.command = Field(line, "command");
        record.folder = Field(line, "folder");
        record.show = std::atoi(Field(line, "show").c_str());
        record.zoomed = Field(line, "zoomed") == "1";
        record.iconic = Field(line, "iconic") == "1";
        records.push_back(record);
    }
    return records;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// Clicks on the same spot closer together than this would merge into a double click.
void LetDoubleClickTimePass() { Sleep(GetDoubleClickTime() + 100); }

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.IsReady()) << folder_.Problem();
        // The helper sits in a folder with a blank in its name, so the path needs quoting.
        ASSERT_TRUE(folder_.AddFolder("A B") && folder_.AddFolder("work") &&
                    folder_.AddCopy(DriverFolder() + "\\" + kHelperExe, std::string("A B\\") + kHelperExe))
            << folder_.Problem();
        helper_ = folder_.FilePath(std::string("A B\\") + kHelperExe);
        log_ = folder_.FilePath("launch.log");
    }

    void TearDown() override {
        if (main_ && velkator_.IsRunning()) {
            PostMessageA(main_, WM_CLOSE, 0, 0);
            velkator_.WaitForExit(kDefaultTimeoutMs);
        }
    }

    ShortcutSettings HelperShortcut(const std::string& arguments) const {
        ShortcutSettings shortcut;
        shortcut.path = helper_;
        shortcut.arguments = arguments;
        return shortcut;
    }

    // Starts the program with the launch log handed down to what it starts.
    void StartProgram() {
        velkator_.SetEnvironment(kLogVariable, log_.c_str());
        main_ = StartVelkator(velkator_, folder_);
        ASSERT_NE(nullptr, main_);
    }

    // Waits until the log holds count launches; the records then.
    std::vector<LaunchRecord> WaitForLaunches(size_t count) {
        std::vector<LaunchRecord> records;
        WaitUntil([&] { return (records = ReadLaunchLog(log_)).size() >= count; }, kDefaultTimeoutMs, 50);
        return records;
    }

    HWND WaitForErrorBox() {
        return WaitForDialog(english_.Text("errTitle").c_str(), velkator_.Id(), kDefaultTimeoutMs);
    }

    CleanSettings settings_;
    ProgramFolder folder_{{"velko009.mlb"}};
    Program velkator_;
    HWND main_ = nullptr;
    std::string helper_;
    std::string log_;
    LanguageTexts english_{"velko009.mlb"};
};

TEST_F(LaunchTest, RealLeftClickLaunchesWithTheStoredArgumentsInTheStoredFolder) {
    ShortcutSettings logger = HelperShortcut("one \"two three\"  four");
    logger.startup = folder_.FilePath("work");
    ASSERT_TRUE(WriteShortcut("Logger", logger));
    ASSERT_TRUE(WriteShortcut("Other", HelperShortcut("other")));
    ASSERT_TRUE(WriteOrder("Logger|Other|"));
    ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";
    StartProgram();
    SmallIcon questionMark = SmallIcon::QuestionMark();
    ASSERT_TRUE(WaitForTrayIcon(0, questionMark.get(), kDefaultTimeoutMs));

    ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left));
    std::vector<LaunchRecord> launches = WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size()) << "a single click (the default style) launched nothing";
    EXPECT_TRUE(SamePath(helper_, launches[0].module)) << launches[0].module;
    EXPECT_EQ("one \"two three\"  four", launches[0].Arguments()) << launches[0].command;
    EXPECT_TRUE(SamePath(folder_.FilePath("work"), launches[0].folder)) << launches[0].folder;
    EXPECT_EQ(SW_SHOWNORMAL, launches[0].show);
    EXPECT_FALSE(launches[0].zoomed);
    EXPECT_FALSE(launches[0].iconic);

    // With the single-click style a double click launches once, not twice.
    LetDoubleClickTimePass();
    ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left, Clicks::Double));
    launches = WaitForLaunches(2);
    ASSERT_EQ(2u, launches.size());
    Sleep(1000);
    launches = ReadLaunchLog(log_);
    ASSERT_EQ(2u, launches.size()) << "a double click launched more than once";
    EXPECT_EQ("one \"two three\"  four", launches[1].Arguments());
}

TEST_F(LaunchTest, DoubleClickStyleLaunchesOnlyOnADoubleClick) {
    ASSERT_TRUE(WriteDword(kOptionsKey, "Click", 2));
    ASSERT_TRUE(WriteShortcut("Logger", HelperShortcut("double")));
    ASSERT_TRUE(WriteOrder("Logger|"));
    ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";
    StartProgram();
    SmallIcon questionMark = SmallIcon::QuestionMark();
    ASSERT_TRUE(WaitForTrayIcon(0, questionMark.get(), kDefaultTimeoutMs));

    ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left));
    Sleep(1500);
    EXPECT_TRUE(ReadLaunchLog(log_).empty()) << "a single click launched with the double-click style";

    LetDoubleClickTimePass();
    ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left, Clicks::Double));
    std::vector<LaunchRecord> launches = WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size()) << "a double click launched nothing";
    EXPECT_EQ("double", launches[0].Arguments());
    Sleep(1000);
    EXPECT_EQ(1u, ReadLaunchLog(log_).size()) << "a double click launched more than once";
}

TEST_F(LaunchTest, Message143LaunchesItemNAndIgnoresOtherNumbers) {
    ASSERT_TRUE(WriteShortcut("Second", HelperShortcut("second")));
    ASSERT_TRUE(WriteShortcut("Third", HelperShortcut("third")));
    ASSERT_TRUE(WriteOrder("Separator|Second|Third|"));
    StartProgram();

    ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 3, WM_LBUTTONDOWN));
    ASSERT_EQ(1u, WaitForLaunches(1).size());
    // Out of range, and the separator (item 1), which launches nothing. Messages are handled in
    // order, so once item 2's launch shows up these have all been handled.
    for (WPARAM number : {WPARAM(0), WPARAM(4), WPARAM(1), WPARAM(100), static_cast<WPARAM>(-1)})
        ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, number, WM_LBUTTONDOWN));
    ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 2, WM_LBUTTONDOWN));
    std::vector<LaunchRecord> launches = WaitForLaunches(2);
    ASSERT_EQ(2u, launches.size());
    EXPECT_EQ("third", launches[0].Arguments());
    EXPECT_EQ("second", launches[1].Arguments());
    Sleep(500);
    EXPECT_EQ(2u, ReadLaunchLog(log_).size());
    EXPECT_TRUE(velkator_.IsRunning());
    EXPECT_TRUE(VisibleTopLevelWindows(velkator_.Id()).empty()) << "an out-of-range number showed something";
}

TEST_F(LaunchTest, PromptOpensEmptyAndPassesExactlyTheTypedText) {
    ShortcutSettings asking = HelperShortcut("stored words");
    asking.prompt = 1;
    ASSERT_TRUE(WriteShortcut("Asking", asking));
    ASSERT_TRUE(WriteOrder("Asking|"));
    StartProgram();
    const std::string caption = english_.Text("rnTitle");

    ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 1, WM_LBUTTONDOWN));
    HWND prompt = WaitForDialog(caption.c_str(), velkator_.Id(), kDefaultTimeoutMs);
    ASSERT_NE(nullptr, prompt);
    EXPECT_EQ("", ControlText(prompt, kArgumentsEditId)) << "the prompt offers text";
    EXPECT_EQ(english_.Text("btnOK"), ControlText(prompt, IDOK));
    EXPECT_EQ(english_.Text("btnCancel"), ControlText(prompt, IDCANCEL));
    EXPECT_TRUE(ReadLaunchLog(log_).empty()) << "launched before the prompt was answered";
    ASSERT_TRUE(SetControlText(prompt, kArgumentsEditId, "alpha beta"));
    EXPECT_FALSE(SaveWindowShot(prompt, "argument-prompt").empty());
    ASSERT_TRUE(ClickButton(prompt, IDOK));
    std::vector<LaunchRecord> launches = WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ("alpha beta", launches[0].Arguments()) << launches[0].command;

    ASSERT_TRUE(WaitForWindowGone(prompt, kDefaultTimeoutMs));
    ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 1, WM_LBUTTONDOWN));
    prompt = WaitForDialog(caption.c_str(), velkator_.Id(), kDefaultTimeoutMs);
    ASSERT_NE(nullptr, prompt);
    EXPECT_EQ("", ControlText(prompt, kArgumentsEditId)) << "the last answer was kept";
    ASSERT_TRUE(ClickButton(prompt, IDCANCEL));
    launches = WaitForLaunches(2);
    ASSERT_EQ(2u, launches.size()) << "Cancel did not launch";
    EXPECT_EQ("", launches[1].Arguments()) << launches[1].command;
}

TEST_F(LaunchTest, RunStylesGiveNormalMaximisedAndMinimisedWindows) {
    struct Case {
        DWORD style;
        int show;
        bool zoomed;
        bool iconic;
    } cases[] = {{1, SW_SHOWNORMAL, false, false},
                 {2, SW_SHOWMAXIMIZED, true, false},
                 {3, SW_MINIMIZE, false, true},
                 {7, SW_SHOWNORMAL, false, false}};
    std::string order;
    for (const Case& c : cases) {
        const std::string name = "Style " + std::to_string(c.style);
        ShortcutSettings shortcut = HelperShortcut(name);
        shortcut.style = c.style;
        ASSERT_TRUE(WriteShortcut(name, shortcut));
        order += name + "|";
    }
    ASSERT_TRUE(WriteOrder(order));
    StartProgram();

    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("style " + std::to_string(c.style));
        ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, i + 1, WM_LBUTTONDOWN));
        std::vector<LaunchRecord> launches = WaitForLaunches(i + 1);
        ASSERT_EQ(i + 1, launches.size());
        const LaunchRecord& launch = launches[i];
        EXPECT_EQ("Style " + std::to_string(c.style), launch.Arguments());
        EXPECT_EQ(c.show, launch.show);
        EXPECT_EQ(c.zoomed, launch.zoomed);
        EXPECT_EQ(c.iconic, launch.iconic);
    }
}

TEST_F(LaunchTest, MissingProgramAndUnassociatedDocumentShowTheirErrors) {
    const std::string missing = folder_.FilePath("missing.exe");
    const std::string document = folder_.FilePath("notes.xyz");
    ASSERT_TRUE(folder_.AddTextFile("notes.xyz", "no program opens this"));
    ShortcutSettings shortcut;
    shortcut.path = missing;
    ASSERT_TRUE(WriteShortcut("Missing", shortcut));
    shortcut.path = document;
    ASSERT_TRUE(WriteShortcut("Document", shortcut));
    ASSERT_TRUE(WriteOrder("Missing|Document|"));
    StartProgram();
    const std::string folderPart = folder_.Path() + "\\";

    ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 1, WM_LBUTTONDOWN));
    HWND box = WaitForErrorBox();
    ASSERT_NE(nullptr, box) << "no box captioned \"" << english_.Text("errTitle") << "\"";
    EXPECT_EQ(english_.Format("errFileNotFound", {missing, folderPart, ".exe"}), ControlText(box, kMessageTextId));
    EXPECT_EQ(IDI_HAND, ShownSystemIcon(Control(box, kMessageIconId))) << "not the stop icon";
    EXPECT_TRUE(IsControlVisible(box, IDOK));
    EXPECT_FALSE(IsControlVisible(box, IDCANCEL));
    EXPECT_FALSE(SaveWindowShot(box, "launch-error-file-not-found").empty());
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(WaitForWindowGone(box, kDefaultTimeoutMs));

    ASSERT_TRUE(PostMessageA(main_, kLaunchItemMessage, 2, WM_LBUTTONDOWN));
    box = WaitForErrorBox();
    ASSERT_NE(nullptr, box);
    const std::string text = ControlText(box, kMessageTextId);
    EXPECT_EQ(english_.Format("errNoAssoc", {document, folderPart, ".xyz"}), text);
    EXPECT_NE(std::string::npos, text.find(".xyz")) << text;
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(WaitForWindowGone(box, kDefaultTimeoutMs));
    EXPECT_TRUE(velkator_.IsRunning());
    EXPECT_TRUE(ReadLaunchLog(log_).empty());
}

}  // namespace
}  // namespace e2e
