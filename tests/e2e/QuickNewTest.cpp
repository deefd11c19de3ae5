// QuickNew as Explorer uses it: the verbs for files and folders written at start, the DDE "new"
// command and the "/n" command line opening the sheet filled from a program, folder or document,
// and the refusals. (Wine runs an .exe itself instead of its custom verb, so the DDE command is
// sent here as Explorer would send it.)
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <ddeml.h>
#include <gtest/gtest.h>

namespace e2e {
namespace {

const std::string kVerbKeys[] = {"Software\\Classes\\*\\shell\\zzVelkator",
                                 "Software\\Classes\\Directory\\shell\\zzVelkator"};

HDDEDATA CALLBACK IgnoreDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// Sends command to the running program's "Velkator"/"system" conversation; false when nobody answered.
bool SendDdeCommand(const std::string& command) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, IgnoreDde, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return false;
    HSZ service = DdeCreateStringHandleA(instance, "Velkator", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance, "system", CP_WINANSI);
    HCONV conversation = DdeConnect(instance, service, topic, nullptr);
    bool sent = conversation &&
                DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
                                     static_cast<DWORD>(command.size() + 1), conversation, nullptr, 0, XTYP_EXECUTE,
                                     5000, nullptr) != nullptr;
    if (conversation) DdeDisconnect(conversation);
    DdeFreeStringHandle(instance, service);
    DdeFreeStringHandle(instance, topic);
    DdeUninitialize(instance);
    return sent;
}

class QuickNewTest : public ProgramTest {
protected:
    QuickNewTest() : ProgramTest({"velko009.mlb", "launchlog.exe"}) {}
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(CopyFileA(helper_.c_str(), program_.c_str(), FALSE) && WriteOrder("Separator|"));
        for (const std::string& key : kVerbKeys) ASSERT_TRUE(DeleteKeyTree(key));
    }
    void TearDown() override {
        for (const std::string& key : kVerbKeys) DeleteKeyTree(key);
        ProgramTest::TearDown();
    }

    // The sheet a "new" request opened, filled from path with name and start folder; null when none
    // came within timeoutMs.
    HWND FilledSheet(const std::string& name, const std::string& path, const std::string& startup,
                     DWORD timeoutMs = kTimeoutMs) {
        HWND sheet = WaitForWindow("#32770", "Velkator Settings", velkator_.Id(), true, timeoutMs), page = CurrentPage(sheet);
        if (!sheet) return nullptr;
        EXPECT_EQ(name, ControlText(page, IDC_PPG_NAME));
        EXPECT_EQ(path, ControlText(page, IDC_PPG_PATH));
        EXPECT_EQ(startup, ControlText(page, IDC_PPG_STARTUP));
        EXPECT_EQ(path + ",0", ControlText(page, IDC_PPG_ICON_PATH));
        EXPECT_TRUE(WaitUntil([sheet] { return IsWindowEnabled(GetDlgItem(sheet, IDOK)) != FALSE; }));
        return sheet;
    }

    const std::string program_ = folder_.FilePath("x.exe");  // in a folder whose name has a blank
};

TEST_F(QuickNewTest, TheVerbsDdeCommandOpensTheSheetFilledFromTheProgramUnlessRefused) {
    HWND main = StartVelkator(velkator_, folder_);
    ASSERT_NE(nullptr, main);
    for (const std::string& key : kVerbKeys) {  // Wine's classes root does not show the user's: read them there
        EXPECT_EQ("Add to &Velkator", ReadString(key, nullptr));
        EXPECT_EQ("\"" + folder_.FilePath(kProgramExe) + "\" /n \"%1\"", ReadString(key + "\\command", nullptr));
        EXPECT_EQ("[new(\"%1\")]|Velkator|system", ReadString(key + "\\ddeexec", nullptr) + "|" +
                  ReadString(key + "\\ddeexec\\application", nullptr) + "|" + ReadString(key + "\\ddeexec\\topic", nullptr));
    }

    ASSERT_TRUE(SendDdeCommand("[new(\"" + program_ + "\")]"));
    ASSERT_TRUE(ClickButton(FilledSheet("Startprotokoll", program_, folder_.Path()), IDOK));
    EXPECT_TRUE(WaitForOrder("Separator|Startprotokoll|")) << ReadOrder();
    // A folder is named whole, dots and all, and has no start folder of its own.
    const std::string photos = folder_.FilePath("Old.Photos");
    ASSERT_TRUE(CreateDirectoryA(photos.c_str(), nullptr) && SendDdeCommand("[new(\"" + photos + "\")]"));
    HWND sheet = FilledSheet("Old.Photos", photos, "");
    ASSERT_TRUE(sheet && ClickButton(sheet, IDCANCEL) && WaitForWindowGone(sheet));

    // Not handled: no closing quote; dropped: a window of the program is open.
    ASSERT_TRUE(SendDdeCommand("[new(\"" + program_) && PostMessageA(main, WM_COMMAND, ID_ABOUT, 0));
    HWND about = Dialog("About Velkator");
    ASSERT_TRUE(SendDdeCommand("[new(\"" + program_ + "\")]"));
    ASSERT_TRUE(ClickButton(about, IDOK) && WaitForWindowGone(about) && Answered(main));
    EXPECT_EQ(nullptr, FilledSheet("Startprotokoll", program_, folder_.Path(), 0));

    ASSERT_TRUE(WriteString(kOptionsKey, "Security", "00351571264"));
    ASSERT_TRUE(SendDdeCommand("[new(\"" + program_ + "\")]"));
    HWND refusal = Dialog("Add to Velkator");
    EXPECT_EQ("Velkator's icons are locked with a password, so no new icon can be added.",
              ControlText(refusal, IDC_MESSAGE_TEXT));
    ASSERT_TRUE(ClickButton(refusal, IDOK));
}

// A document is named as a program without a description is: its file name up to the first dot.
// Cancelled, and no icon at all: the first-time dialog offers one rather than leave none, and
// Escape there ends the program.
TEST_F(QuickNewTest, TheCommandLineOpensTheSheetAndQuickNewOffWritesNoVerb) {
    const std::string report = folder_.FilePath("Report.final.txt");
    ASSERT_TRUE(WriteDword(kOptionsKey, "QuickNew", 0) && WriteOrder("") && WriteFileBytes(report, "text"));
    ASSERT_TRUE(velkator_.Start(folder_.Path(), "/n \"" + report + "\""));
    ASSERT_TRUE(ClickButton(FilledSheet("Report", report, folder_.Path()), IDCANCEL));
    EXPECT_FALSE(KeyExists(kVerbKeys[0]) || KeyExists(kVerbKeys[1]));
    ASSERT_TRUE(PressKey(Dialog("Welcome to Velkator"), VK_ESCAPE));
    ASSERT_TRUE(velkator_.WaitForExit()) << "Escape did not end the program";
    EXPECT_EQ(0u, velkator_.ExitCode());
}

}  // namespace
}  // namespace e2e
