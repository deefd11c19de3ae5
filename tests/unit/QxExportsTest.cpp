// The language library's exports, called through qxintl.dll on files written beside the test program.
#include "qxintl/qxintl.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

std::string ExecutableFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// A "qxtst<language>.mlb" file beside the executable for as long as the object lives.
class TempLanguageFile {
public:
    TempLanguageFile(WORD language, const std::string& bytes) {
        char name[32];
        snprintf(name, sizeof name, "qxtst%03d.mlb", language);
        path_ = ExecutableFolder() + name;
        FILE* file = fopen(path_.c_str(), "wb");
        EXPECT_NE(file, nullptr) << path_;
        if (!file) return;
        EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
        fclose(file);
    }
    ~TempLanguageFile() { DeleteFileA(path_.c_str()); }

private:
    std::string path_;
};

const char* const Sample =
    "\xEF\xBB\xBF# test texts\r\n"
    "btnOK=OK\r\n"
    "ppgShortcutName=Shortcut &name\r\n"
    "mnuAbout=About\r\n"
    "umlaut=\xC3\xBC\r\n"
    "msgCannotOpen=Cannot open %1 (%2): 100%%\r\n";

class QxExports : public testing::Test {
protected:
    void SetUp() override { handle = QxOpen("qxtst", 901); ASSERT_NE(handle, nullptr); }
    void TearDown() override { QxClose(handle); }
    TempLanguageFile file{901, Sample};
    QxHandle handle = nullptr;
};

std::string GetText(QxHandle handle, const char* key, int size = QxTextBufferSize) {
    char buffer[QxTextBufferSize + 1];
    memset(buffer, '#', sizeof buffer);
    QxGetText(handle, key, buffer, size);
    EXPECT_EQ(buffer[size > 0 ? size : 0], '#') << "wrote past the buffer";
    return size > 0 ? buffer : "<untouched>";
}

TEST_F(QxExports, GetsTextsAndCutsThemToTheBuffer) {
    EXPECT_EQ(GetText(handle, "btnOK"), "OK");
    EXPECT_EQ(GetText(handle, "ppgShortcutName", 9), "Shortcut");
    EXPECT_EQ(GetText(handle, "missing"), "");
    EXPECT_EQ(GetText(nullptr, "btnOK"), "");
    EXPECT_EQ(GetText(handle, nullptr), "");
    char untouched = '#';
    QxGetText(handle, "btnOK", &untouched, 0);
    QxGetText(handle, "btnOK", &untouched, -1);
    EXPECT_EQ(untouched, '#');

    char expected[8] = "";  // the umlaut as the ANSI code page writes it
    WideCharToMultiByte(CP_ACP, 0, L"\u00FC", -1, expected, sizeof expected, nullptr, nullptr);
    EXPECT_EQ(GetText(handle, "umlaut"), expected);
}

TEST_F(QxExports, FormatsTextsWithTextArguments) {
    char buffer[QxTextBufferSize];
    EXPECT_NE(QxFormatText(handle, buffer, sizeof buffer, "msgCannotOpen", "a.exe", "code 5", nullptr), 0);
    EXPECT_STREQ(buffer, "Cannot open a.exe (code 5): 100%");
    EXPECT_NE(QxFormatText(handle, buffer, sizeof buffer, "msgCannotOpen", "a.exe", nullptr), 0);
    EXPECT_STREQ(buffer, "Cannot open a.exe (%2): 100%");
    EXPECT_NE(QxFormatText(handle, buffer, 12, "msgCannotOpen", "a.exe", nullptr), 0);
    EXPECT_STREQ(buffer, "Cannot open");

    strcpy(buffer, "stale");
    EXPECT_EQ(QxFormatText(handle, buffer, sizeof buffer, "missing", "a", nullptr), 0);
    EXPECT_STREQ(buffer, "");
    strcpy(buffer, "stale");
    EXPECT_EQ(QxFormatText(nullptr, buffer, sizeof buffer, "msgCannotOpen", "a", nullptr), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(QxOpenClose, OpensOnlyWhatIsThereAndReadable) {
    EXPECT_EQ(QxOpen("qxtst", 902), nullptr);  // no such file
    EXPECT_EQ(QxOpen(nullptr, 901), nullptr);
    QxClose(nullptr);

    TempLanguageFile huge(903, "first=found\n" + std::string(10 * 1024 * 1024, 'x') + "\nlast=lost\n");
    QxHandle handle = QxOpen("qxtst", 903);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetText(handle, "first"), "found");
    EXPECT_EQ(GetText(handle, "last"), "");
    QxClose(handle);

    std::string garbage(100000, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919u) >> 3);
    TempLanguageFile bad(904, garbage);
    handle = QxOpen("qxtst", 904);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetText(handle, "btnOK"), "");
    QxClose(handle);

    // The file must lie beside the program: a prefix may not lead elsewhere.
    TempLanguageFile beside(905, "k=v\n");
    const std::string folder = ExecutableFolder();
    EXPECT_EQ(QxOpen((folder + "qxtst").c_str(), 905), nullptr);
    EXPECT_EQ(QxOpen("..\\bin\\qxtst", 905), nullptr);
    EXPECT_EQ(QxOpen(std::string(400, 'q').c_str(), 905), nullptr);  // longer than any path
}

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(QxExports, LocalisesAWindowAndAllItsDescendants) {
    HWND dialog = CreateWindowExA(0, "STATIC", "$mnuAbout...", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    auto child = [](HWND parent, const char* cls, const char* text) {
        return CreateWindowExA(0, cls, text, WS_CHILD, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
    };
    HWND button = child(dialog, "BUTTON", "$btnOK");
    HWND group = child(dialog, "STATIC", "$ppgShortcutName$:");
    HWND nested = child(group, "BUTTON", "$btnOK$ x");
    HWND missing = child(dialog, "STATIC", "$missingKey");
    HWND plain = child(dialog, "EDIT", "plain $btnOK");

    QxLocaliseDialog(handle, dialog);
    EXPECT_EQ(WindowText(dialog), "About...");
    EXPECT_EQ(WindowText(button), "OK");
    EXPECT_EQ(WindowText(group), "Shortcut &name:");
    EXPECT_EQ(WindowText(nested), "OK x");
    EXPECT_EQ(WindowText(missing), "$missingKey");
    EXPECT_EQ(WindowText(plain), "plain $btnOK");

    SetWindowTextA(button, "$btnOK");
    QxLocaliseDialog(nullptr, dialog);
    QxLocaliseDialog(handle, nullptr);
    EXPECT_EQ(WindowText(button), "$btnOK");
    DestroyWindow(dialog);
}

std::string MenuText(HMENU menu, UINT position) {
    char text[256] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(QxExports, LocalisesMenuTextsAndKeepsTheirIdsAndStates) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING | MF_GRAYED, 201, "$btnOK");
    AppendMenuA(sub, MF_STRING | MF_CHECKED, 202, "$missingKey");
    AppendMenuA(menu, MF_STRING, 101, "$mnuAbout...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "$ppgShortcutName");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 102, "$btnOK$\tF1");
    SetMenuDefaultItem(menu, 101, FALSE);

    QxLocaliseMenu(handle, menu);
    EXPECT_EQ(MenuText(menu, 0), "About...");
    EXPECT_EQ(MenuText(menu, 2), "Shortcut &name");
    EXPECT_EQ(MenuText(menu, 3), "OK\tF1");
    EXPECT_EQ(MenuText(sub, 0), "OK");
    EXPECT_EQ(MenuText(sub, 1), "$missingKey");

    EXPECT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(GetMenuItemID(menu, 0), 101u);
    EXPECT_EQ(GetMenuItemID(menu, 3), 102u);
    EXPECT_EQ(GetMenuItemID(sub, 0), 201u);
    EXPECT_EQ(GetSubMenu(menu, 2), sub);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 101u);
    EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(menu, 102, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(sub, 201, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(sub, 202, MF_BYCOMMAND) & MF_CHECKED);
    QxLocaliseMenu(handle, nullptr);
    DestroyMenu(menu);
}

}  // namespace
