// The real program's tray icons on the test desktop: what loading shows, in which order, and that
// they leave with the program; and the one-time import of the legacy settings file.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <utility>

namespace e2e {
namespace {

constexpr const char* kHelperExe = "launchlog.exe";
// Icons of the program file, by index in resource order.
constexpr int kProgramIconIndex = 0;
constexpr int kSeparatorIconIndex = 1;
constexpr int kDeskAccessIconIndex = 3;
constexpr int kLockIconIndex = 4;

// Deletes a file when it goes out of scope, so a failing test leaves nothing in the Windows folder.
class FileRemover {
public:
    explicit FileRemover(std::string path) : path_(std::move(path)) {}
    ~FileRemover() { DeleteFileA(path_.c_str()); }
    FileRemover(const FileRemover&) = delete;
    FileRemover& operator=(const FileRemover&) = delete;

private:
    std::string path_;
};

std::string WindowsFolder() {
    char folder[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(folder, sizeof(folder));
    return length > 0 && length < sizeof(folder) ? std::string(folder, length) : std::string();
}

TEST(TrayIconsTest, ShortcutsShowTheirOwnIconsInOrderAndLeaveWithTheProgram) {
    CleanSettings settings;
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_TRUE(folder.AddFromDriverFolder(kHelperExe)) << folder.Problem();
    const std::string program = folder.FilePath(kProgramExe);
    const std::string helper = folder.FilePath(kHelperExe);

    ShortcutSettings locked;
    locked.path = helper;
    locked.iconPath = program + "," + std::to_string(kLockIconIndex);
    ShortcutSettings plain;  // a program without icons of its own shows the question mark
    plain.path = helper;
    ShortcutSettings copy;  // no icon path: the program file's first icon
    copy.path = program;
    ASSERT_TRUE(WriteShortcut("Locked", locked));
    ASSERT_TRUE(WriteShortcut("Plain helper", plain));
    ASSERT_TRUE(WriteShortcut("Velkator copy", copy));
    ASSERT_TRUE(WriteShortcut("Not in the order", copy));
    // A marker in lower case is not the "Installed" marker: that token is skipped.
    ASSERT_TRUE(WriteString(kShortcutsKey, "Ghost", "installed"));
    ASSERT_TRUE(WriteOrder("Locked|Separator|Ghost|Velkator copy|DeskAccess|Plain helper|"));

    std::vector<SmallIcon> expected;
    expected.push_back(SmallIcon::FromFile(program, kLockIconIndex));
    expected.push_back(SmallIcon::FromFile(program, kSeparatorIconIndex));
    expected.push_back(SmallIcon::FromFile(program, kProgramIconIndex));
    expected.push_back(SmallIcon::FromFile(program, kDeskAccessIconIndex));
    expected.push_back(SmallIcon::QuestionMark());
    // The icons must differ from each other, or the order check below could not tell them apart.
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_NE(nullptr, expected[i].get()) << i;
        for (size_t j = 0; j < i; ++j) {
            Image a = DrawIconImage(expected[i].get(), 16, 16, 0, 0, 16, 0x808080);
            Image b = DrawIconImage(expected[j].get(), 16, 16, 0, 0, 16, 0x808080);
            ASSERT_GT(CountDifferentPixels(a, b), 0) << i << " and " << j << " look the same";
        }
    }

    ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";
    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    ASSERT_NE(nullptr, main);
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_TRUE(WaitForTrayIcon(static_cast<int>(k), expected[k].get(), kDefaultTimeoutMs))
            << "tray cell " << k << " differs in " << TrayIconDifference(static_cast<int>(k), expected[k].get())
            << " pixels";
    }
    EXPECT_TRUE(IsUniform(CaptureScreenArea(TrayIconCell(static_cast<int>(expected.size())))))
        << "an icon beyond the stored order is shown";
    EXPECT_FALSE(SaveScreenshot("tray-icons").empty());
    const RECT last = TrayIconCell(static_cast<int>(expected.size()) + 1);
    const RECT first = TrayIconCell(0);
    const RECT strip = {last.left, first.top, first.right, first.bottom};
    EXPECT_FALSE(SaveScreenAreaShot(strip, "tray-icons-closeup").empty());

    ASSERT_TRUE(PostMessageA(main, WM_CLOSE, 0, 0));
    ASSERT_TRUE(velkator.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(0u, velkator.ExitCode());
    for (size_t k = 0; k < expected.size(); ++k)
        EXPECT_TRUE(WaitForEmptyTrayCell(static_cast<int>(k), 2000)) << "icon " << k << " stayed after closing";
    EXPECT_FALSE(SaveScreenshot("tray-icons-after-close").empty());
    EXPECT_EQ("Locked|Separator|Ghost|Velkator copy|DeskAccess|Plain helper|", ReadOrder())
        << "loading and closing rewrote the order";
}

TEST(TrayIconsTest, LegacyIniIsImportedOnceAndReplacesTheStoredOrder) {
    CleanSettings settings;
    const std::string iniPath = WindowsFolder() + "\\VELKATOR.INI";
    ASSERT_FALSE(FileExists(iniPath)) << "left by someone else: " << iniPath;
    FileRemover removeIni(iniPath);
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_TRUE(folder.AddFromDriverFolder(kHelperExe)) << folder.Problem();
    const std::string helper = folder.FilePath(kHelperExe);

    ShortcutSettings before;
    before.path = helper;
    ASSERT_TRUE(WriteShortcut("Registry only", before));
    ASSERT_TRUE(WriteOrder("Registry only|"));
    // Names keep their file order; the marker is compared ignoring case; IconPath is missing.
    const std::string ini = "[Shortcuts]\r\nEditor=installed\r\nOld tool=Removed\r\n\r\n"
                            "[Editor]\r\nPath=" + helper + "\r\nStartup=C:\\work\r\nArguments=-x \"a b\"\r\n"
                            "Prompt=1\r\nStyle=2\r\n\r\n[Old tool]\r\nPath=C:\\old.exe\r\n";
    HANDLE file = CreateFileA(iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(ini.size(), written);

    ASSERT_TRUE(WaitForEmptyTrayCell(0, kDefaultTimeoutMs)) << "icons of an earlier program are still shown";
    Program velkator;
    ASSERT_NE(nullptr, StartVelkator(velkator, folder));
    SmallIcon questionMark = SmallIcon::QuestionMark();
    EXPECT_TRUE(WaitForTrayIcon(0, questionMark.get(), kDefaultTimeoutMs));
    EXPECT_TRUE(IsUniform(CaptureScreenArea(TrayIconCell(1)))) << "the registry-only shortcut is still shown";

    EXPECT_FALSE(FileExists(iniPath)) << "the legacy file was not deleted";
    EXPECT_EQ("Editor|", ReadOrder());
    std::string text;
    DWORD number = 0;
    const std::string section = std::string(kVelkatorKey) + "\\Editor";
    EXPECT_TRUE(ReadString(kShortcutsKey, "Editor", &text));
    EXPECT_EQ("Installed", text);
    EXPECT_TRUE(ReadString(section, "Path", &text));
    EXPECT_EQ(helper, text);
    EXPECT_TRUE(ReadString(section, "Startup", &text));
    EXPECT_EQ("C:\\work", text);
    EXPECT_TRUE(ReadString(section, "Arguments", &text));
    EXPECT_EQ("-x \"a b\"", text);
    EXPECT_TRUE(ReadString(section, "IconPath", &text)) << "an empty text is written too";
    EXPECT_EQ("", text);
    EXPECT_TRUE(ReadDword(section, "Prompt", &number));
    EXPECT_EQ(1u, number);
    EXPECT_TRUE(ReadDword(section, "Style", &number));
    EXPECT_EQ(2u, number);
    EXPECT_FALSE(ValueExists(kShortcutsKey, "Old tool"));
    EXPECT_FALSE(KeyExists(std::string(kVelkatorKey) + "\\Old tool"));
}

}  // namespace
}  // namespace e2e
