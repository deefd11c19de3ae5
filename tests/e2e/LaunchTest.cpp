// Launching through the real program: a real click on a tray icon and message 143 start the
// launch-log helper, which records how it was started; failures show the program's message box.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <algorithm>
#include <map>

namespace e2e {
namespace {

constexpr UINT kLaunchItemMessage = 143;

class LaunchTest : public ProgramTest {
protected:
    LaunchTest() : ProgramTest({"velko009.mlb", "launchlog.exe", "RasApi32.dll"}) {}
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(CreateDirectoryA(work_.c_str(), nullptr));
    }
    ShortcutSettings Helper(const std::string& arguments, DWORD style = 1, DWORD prompt = 0) const {
        return {helper_, arguments, work_, "", prompt, style};
    }
    // The log line the helper writes when started with these arguments and show command.
    std::string Launch(const std::string& arguments, int show = SW_SHOWNORMAL) const {
        return helper_ + "\t" + arguments + "\t" + work_ + "\t" + std::to_string(show);
    }
    // Item's launch through message 143 shows a message box with text; false when none came.
    bool LaunchFails(WPARAM item, const std::string& text) {
        HWND box = PostMessageA(main_, kLaunchItemMessage, item, WM_LBUTTONDOWN) ? Dialog("Cannot Start Program") : nullptr;
        EXPECT_EQ(text, ControlText(box, IDC_MESSAGE_TEXT)) << ::testing::PrintToString(VisibleWindows(velkator_.Id()));
        return ClickButton(box, IDOK) && WaitForWindowGone(box);
    }

    const std::string work_ = folder_.FilePath("work");
    HWND main_ = nullptr;
};

// A missing program and a document no program opens show their errors instead.
TEST_F(LaunchTest, ClickAndMessage143LaunchWithTheStoredSettingsAndThePromptsTextOrShowWhyNot) {
    const std::string missing = folder_.FilePath("missing.exe"), document = folder_.FilePath("notes.xyz");
    ASSERT_TRUE(WriteFileBytes(document, "no program opens this"));
    const std::pair<const char*, ShortcutSettings> shortcuts[] = {
        {"Normal", Helper("one \"two three\"  four")}, {"Maximised", Helper("max", 2)}, {"Minimised", Helper("min", 3)},
        {"Unknown style", Helper("other", 7)}, {"Asking", Helper("stored words", 1, 1)}, {"Missing", {missing}},
        {"Document", {document}}};
    std::string order;
    for (const auto& shortcut : shortcuts) {
        ASSERT_TRUE(WriteShortcut(shortcut.first, shortcut.second));
        order += std::string(shortcut.first) + "|";
    }
    ASSERT_TRUE(WriteOrder(order) && (main_ = StartVelkator(velkator_, folder_)) != nullptr);
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
        HWND prompt = Dialog("Start with Arguments");
        EXPECT_EQ("", ControlText(prompt, IDC_ARGUMENTS_EDIT)) << "the prompt offers text";
        EXPECT_EQ(count, WaitForLaunches(0).size()) << "launched before the prompt was answered";
        ASSERT_TRUE(!*typed || SetControlText(prompt, IDC_ARGUMENTS_EDIT, typed));
        ASSERT_TRUE(ClickButton(prompt, *typed ? IDOK : IDCANCEL));
        const std::vector<std::string> launches = WaitForLaunches(++count);
        ASSERT_EQ(count, launches.size());
        EXPECT_EQ(Launch(typed), launches.back());
        ASSERT_TRUE(WaitForWindowGone(prompt));
    }
    ASSERT_TRUE(LaunchFails(6, "Cannot find the file " + missing + ". Check the program path in the shortcut's properties."));
    ASSERT_TRUE(LaunchFails(7, "No program is set up to open .xyz files, so " + document + " cannot be opened."));
    EXPECT_TRUE(velkator_.IsRunning());
}

// The entry menus open where the pointer is and are driven by keys. The launch-log helper, as the
// system's dialler or on the desktop, tells what was dialled or opened; the stand-in Remote Access
// library in the system folder lists the lines of phonebook.ini there.
class EntryMenusTest : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        ASSERT_TRUE(CopyFileA(standIn_.c_str(), System("rasapi32.dll").c_str(), FALSE));
        ASSERT_TRUE(Make(System("rasphone.exe")) && Make(System("phonebook.ini")));
    }
    void TearDown() override {
        DeleteKeyTree(kWineOverrides);
        for (const std::string& path : made_)  // a helper may still be ending
            WaitUntil([&] { return DeleteFileA(path.c_str()) || RemoveDirectoryA(path.c_str()); }, 3000);
        ProgramTest::TearDown();
    }
    // Starts the program with one special icon and the stand-in Remote Access library, or none with
    // library "". A WINEDLLOVERRIDES set here would not reach the program: Wine passes its own on.
    void StartWith(const char* kindWord, const char* library = "native,builtin", const std::string& startIn = "") {
        ASSERT_TRUE(WriteString(std::string(kWineOverrides) + "\\DllOverrides", "rasapi32", library));
        ASSERT_TRUE(WriteOrder(std::string(kindWord) + "|"));
        ASSERT_NE(nullptr, main_ = StartVelkator(velkator_, folder_, startIn));
        SetCursorPos(Centre(TrayIconCell(0)).x, Centre(TrayIconCell(0)).y);
    }
    // Activates the icon as a click does and waits for its menu; null when none opened.
    HWND OpenMenu(DWORD timeoutMs = kTimeoutMs) {
        PostMessageA(main_, kLaunchItemMessage, 1, WM_LBUTTONDOWN);
        return WaitForWindow("#32768", nullptr, velkator_.Id(), true, timeoutMs);
    }
    // Opens the menu, presses the keys in it and waits until it has closed.
    bool Choose(std::initializer_list<WORD> keys) {
        HWND menu = OpenMenu();
        return menu && SendMenuKeys(keys) && WaitForWindowGone(menu);
    }
    static std::string System(const char* name = "") {
        char folder[MAX_PATH] = "";
        GetSystemDirectoryA(folder, MAX_PATH);
        return std::string(folder) + (*name ? "\\" : "") + name;
    }
    bool WritePhonebook(const std::vector<std::string>& entries, const std::string& path = System("phonebook.ini")) {
        std::string text = "[Phonebook]\r\n";
        for (const std::string& entry : entries) text += entry + "\r\n";
        return WriteFileBytes(path, text);
    }
    // The line the system's dialler writes when it dials entry.
    std::string Dialled(const char* entry) const {
        return System("rasphone.exe") + "\t\"" + entry + "\"\t" + System() + "\t1";
    }
    // A folder (a path ending in "\\"), a copy of the launch-log helper (".exe") or a text file.
    bool Make(const std::string& path) {
        made_.push_back(path);
        return path.back() == '\\' ? CreateDirectoryA(path.c_str(), nullptr) != FALSE
               : path.compare(path.size() - 4, 4, ".exe") ? WriteFileBytes(path, "desktop item")
                                                          : CopyFileA(helper_.c_str(), path.c_str(), FALSE) != FALSE;
    }

    const char* const kWineOverrides = "Software\\Wine\\AppDefaults\\Velkator.exe";
    const std::string standIn_ = DriverFolder() + "\\RasApi32.dll";
    std::vector<std::string> made_;
};

// Nothing planted beside the program or in the folder it was started in runs: neither a Remote
// Access library nor diallers of the system's names. Without the system's dialler, its reason.
TEST_F(EntryMenusTest, DialUpMenuListsThePhonebookSortedDialsTheChosenEntryAndNoDecoy) {
    const std::string start = folder_.FilePath("downloads");
    ASSERT_TRUE(CreateDirectoryA(start.c_str(), nullptr));
    for (const std::string& place : {folder_.Path(), start}) {
        ASSERT_TRUE(CopyFileA(standIn_.c_str(), (place + "\\RasApi32.dll").c_str(), FALSE));
        ASSERT_TRUE(WritePhonebook({"Decoy ISP"}, place + "\\phonebook.ini"));
        for (const char* name : {"\\Rasphone.exe", "\\Rundll32.exe"})
            ASSERT_TRUE(CopyFileA(helper_.c_str(), (place + name).c_str(), FALSE));
    }
    ASSERT_TRUE(WritePhonebook({"My ISP"}));  // one entry: dialled at once, no menu
    ASSERT_NO_FATAL_FAILURE(StartWith("Dial-Up Networking", "native,builtin", start));
    EXPECT_EQ(nullptr, OpenMenu(1000));
    EXPECT_EQ(std::vector<std::string>{Dialled("My ISP")}, WaitForLaunches(1));
    ASSERT_TRUE(WritePhonebook({}) && Choose({VK_DOWN, VK_RETURN, VK_ESCAPE}));  // none: only "(Empty)", greyed

    // 21 entries in reverse need a second enumeration call; all are listed, sorted. The first is
    // dialled, the 21st is greyed and dials nothing, the 20th is dialled.
    std::vector<std::string> entries;
    for (int i = 21; i >= 1; --i) entries.push_back((i < 10 ? "Entry 0" : "Entry ") + std::to_string(i));
    ASSERT_TRUE(WritePhonebook(entries) && Choose({VK_DOWN, VK_RETURN}));
    ASSERT_TRUE(Choose({VK_UP, VK_RETURN, VK_ESCAPE}) && Choose({VK_UP, VK_UP, VK_RETURN}));
    EXPECT_EQ((std::vector<std::string>{Dialled("My ISP"), Dialled("Entry 01"), Dialled("Entry 20")}),
              WaitForLaunches(3));
    ASSERT_TRUE(WritePhonebook({"My ISP"}) && DeleteFileA(System("rasphone.exe").c_str()));
    ASSERT_EQ(nullptr, OpenMenu(0));
    HWND box = Dialog("Cannot Start Program");
    EXPECT_NE(std::string::npos, ControlText(box, IDC_MESSAGE_TEXT).find(System("rasphone.exe")));
    ASSERT_TRUE(ClickButton(box, IDOK));
    EXPECT_EQ(3u, WaitForLaunches(0).size()) << "a decoy ran";
}

TEST_F(EntryMenusTest, WithoutTheRemoteAccessLibraryOnlyADiagnosticBox) {
    ASSERT_NO_FATAL_FAILURE(StartWith("Dial-Up Networking", ""));
    EXPECT_EQ(nullptr, OpenMenu(1000));
    EXPECT_EQ("LoadLibrary failed.", ControlText(Dialog("Debug"), 0xFFFF));
}

TEST_F(EntryMenusTest, DesktopMenuOpensTheChosenItemWithItsDefaultVerb) {
    char desktop[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)));
    RemoveFolderTree(desktop);  // what an earlier run left; the folder itself may stay
    CreateDirectoryA(desktop, nullptr);
    // The program is the last item, unless folders were not listed first.
    const std::string at = std::string(desktop) + "\\", program = at + "zzzz open me.exe";
    for (const char* name : {"Beta folder\\", "alpha folder\\", "zzzz zz folder\\", "Gamma.txt", "Tom & Jerry.txt"})
        ASSERT_TRUE(Make(at + name));
    for (int i = 10; i < 70; ++i) ASSERT_TRUE(Make(at + "note " + std::to_string(i) + ".txt"));  // two columns
    ASSERT_TRUE(Make(program));
    ASSERT_NO_FATAL_FAILURE(StartWith("DeskAccess"));
    ASSERT_TRUE(Choose({VK_UP, VK_RETURN}));
    EXPECT_EQ(0u, WaitForLaunches(1).at(0).find(program + "\t\t"));

    // Each item shows an icon (known now from the first opening): in every band of text rows in the
    // first column, a pixel left of where Wine begins the text is not background.
    HWND menu = OpenMenu();
    ASSERT_NE(nullptr, menu);
    int bands = 0, bare = 0;
    auto look = [&] {  // Wine paints a menu's items a few at a time
        const Image shot = CaptureScreen(Bounds(menu));
        std::map<DWORD, int> uses;
        for (DWORD pixel : shot.pixels) ++uses[pixel];
        const DWORD background =
            std::max_element(uses.begin(), uses.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
        auto drawn = [&](int y, int fromX, int toX) {
            while (fromX < toX && shot.At(fromX, y) == background) ++fromX;
            return fromX < toX;
        };
        bool inText = false, icon = false;
        bands = bare = 0;
        for (int y = 0; y < shot.height; ++y) {
            if (drawn(y, 24, 80)) {
                inText = true;
                icon = icon || drawn(y, 3, 11);
            } else if (inText) {  // a band has ended
                ++bands;
                bare += icon ? 0 : 1;
                inText = icon = false;
            }
        }
        return bands > 20 && bare == 0;
    };
    EXPECT_TRUE(WaitUntil(look)) << bare << " of " << bands << " rows without an icon";
    ASSERT_TRUE(SendMenuKeys({VK_ESCAPE}) && WaitForWindowGone(menu));

    // Past 250 items the program sorts after the 250th: it is greyed and opens nothing.
    for (int i = 100; i < 300; ++i) ASSERT_TRUE(Make(at + "more " + std::to_string(i) + ".txt"));
    ASSERT_TRUE(Choose({VK_UP, VK_RETURN, VK_ESCAPE}) && Answered(main_) && WaitForNoProcess("zzzz open me.exe"));
    EXPECT_EQ(1u, WaitForLaunches(0).size());
}

}  // namespace
}  // namespace e2e
