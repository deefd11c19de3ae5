// The language library's exports, called through qxintl.dll on files written beside the test program.
// Texts through them, formatted and cut to the program's buffers, are seen end to end.
#include "Support.h"
#include "qxintl/LanguageFile.h"
#include "qxintl/qxintl.h"
#include <stdio.h>

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

std::string GetText(QxHandle handle, const char* key) {
    char buffer[QxTextBufferSize] = "";
    QxGetText(handle, key, buffer, sizeof buffer);
    return buffer;
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
