// The language library's exports, called through qxintl.dll on files written beside the test program.
#include "Support.h"
#include "qxintl/LanguageFile.h"
#include "qxintl/qxintl.h"
#include <stdio.h>
#include <string.h>

namespace {

// A "qxtst<language>.mlb" file beside the executable for as long as the object lives.
struct TempLanguageFile {
    const std::string path;
    TempLanguageFile(WORD language, const std::string& bytes)
        : path(TheApp()->ModuleFolder() + "\\qxtst" + std::to_string(language) + ".mlb") {
        FILE* file = fopen(path.c_str(), "wb");
        EXPECT_TRUE(file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) << path;
        if (file) fclose(file);
    }
    ~TempLanguageFile() { DeleteFileA(path.c_str()); }
};

// The key's text through a buffer of size bytes; fails the test when the export writes past it.
std::string GetText(QxHandle handle, const char* key, int size = QxTextBufferSize) {
    char buffer[QxTextBufferSize + 1];
    memset(buffer, '#', sizeof buffer);
    QxGetText(handle, key, buffer, size);
    EXPECT_EQ('#', buffer[size]) << "wrote past the buffer";
    return buffer;
}

// Texts through the exports, cut to the caller's buffer. (Localised menus and dialogs are seen end to end.)
TEST(QxExports, GetsAndFormatsTextsCutToTheBuffer) {
    TempLanguageFile file(901, "\xEF\xBB\xBF# test texts\r\nbtnOK=OK\r\nppgShortcutName=Shortcut &name\r\n"
                               "umlaut=\xC3\xBC\r\nmsgCannotOpen=Cannot open %1 (%2): 100%%\r\n");
    QxHandle handle = QxOpen("qxtst", 901);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ("OK", GetText(handle, "btnOK"));
    EXPECT_EQ("Shortcut", GetText(handle, "ppgShortcutName", 9));
    EXPECT_EQ("", GetText(handle, "missing"));
    EXPECT_EQ("", GetText(handle, nullptr));
    char umlaut[8] = "";  // as the ANSI code page writes it
    WideCharToMultiByte(CP_ACP, 0, L"\u00FC", -1, umlaut, sizeof umlaut, nullptr, nullptr);
    EXPECT_EQ(umlaut, GetText(handle, "umlaut"));

    char buffer[QxTextBufferSize];
    EXPECT_NE(0, QxFormatText(handle, buffer, sizeof buffer, "msgCannotOpen", "a.exe", "code 5", nullptr));
    EXPECT_STREQ("Cannot open a.exe (code 5): 100%", buffer);
    EXPECT_NE(0, QxFormatText(handle, buffer, 12, "msgCannotOpen", "a.exe", nullptr));
    EXPECT_STREQ("Cannot open", buffer);
    strcpy(buffer, "stale");
    EXPECT_EQ(0, QxFormatText(handle, buffer, sizeof buffer, "missing", "a", nullptr));
    EXPECT_STREQ("", buffer);
    QxClose(handle);
}

TEST(QxOpenClose, OpensOnlyFilesBesideTheProgramAndReadsTheFirstMebibyte) {
    EXPECT_EQ(nullptr, QxOpen("qxtst", 902));  // no such file
    TempLanguageFile beside(905, "k=v\n");
    EXPECT_EQ(nullptr, QxOpen((TheApp()->ModuleFolder() + "\\qxtst").c_str(), 905));
    EXPECT_EQ(nullptr, QxOpen(std::string(400, 'q').c_str(), 905));  // longer than any path

    // 10 MB of numbered lines: the one that crosses the limit is dropped, not kept in half.
    std::string bytes;
    int lines = 0, lastWholeLine = -1;
    while (bytes.size() < 10 * 1024 * 1024) {
        bytes += "key" + std::to_string(lines) + "=text " + std::to_string(lines) + "\n";
        if (bytes.size() <= qx::MaxFileBytes) lastWholeLine = lines;
        ++lines;
    }
    TempLanguageFile huge(903, bytes);
    QxHandle handle = QxOpen("qxtst", 903);
    ASSERT_NE(nullptr, handle);
    const std::string last = std::to_string(lastWholeLine), cut = std::to_string(lastWholeLine + 1);
    EXPECT_EQ("text 0", GetText(handle, "key0"));
    EXPECT_EQ("text " + last, GetText(handle, ("key" + last).c_str()));
    EXPECT_EQ("", GetText(handle, ("key" + cut).c_str()));
    QxClose(handle);
}

}  // namespace
