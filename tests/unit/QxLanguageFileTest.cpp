// Parsing language files: the format's rules, code page conversion, and files that are broken.
// The 10 MB file is read through the real export in QxExportsTest.
#include "qxintl/LanguageFile.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const UINT Western = 1252;
const UINT Japanese = 932;  // a double-byte code page

struct LoadedFile {
    qx::LanguageFile file;
    LoadedFile(const std::string& bytes, UINT codePage = Western) {
        EXPECT_TRUE(file.Load(bytes.data(), bytes.size(), codePage));
    }
    std::string Text(const std::string& key) const {
        const char* text = file.Find(key.c_str());
        return text ? text : "<missing>";
    }
};

TEST(QxLanguageFile, ReadsEntriesAndSkipsCommentsBlanksAndLinesWithoutKey) {
    const LoadedFile f(
        "\xEF\xBB\xBF" "first=after the BOM\r\n"
        "dup=first\r\n"
        "# comment=not a key\r\n"
        "  ; comment=not a key either\r\n"
        "\r\n   \t\n"
        "  btnOK \t=  OK \t\r\n"
        "msgEquals=a=b\r"
        "lineWithoutEquals\n"
        "=text without key\n"
        "dup=second\n"
        "msgEscapes=one\\ntwo\\tthree\\\\n\\r\\sfour\\q\\\n"
        "padded=\\s kept \\s\n"
        + std::string(300, 'k') + "=key too long\n"
        "msgEmpty=\n"
        "dup=third\n"
        "msgLast=no line end");
    EXPECT_EQ("after the BOM", f.Text("first"));
    EXPECT_EQ("OK", f.Text("btnOK"));
    EXPECT_EQ("a=b", f.Text("msgEquals"));
    EXPECT_EQ("first", f.Text("dup"));  // the first of duplicate keys wins
    EXPECT_EQ("one\ntwo\tthree\\n\r four\\q\\", f.Text("msgEscapes"));  // unknown escapes stay as written
    EXPECT_EQ("  kept  ", f.Text("padded"));
    EXPECT_EQ("", f.Text("msgEmpty"));
    EXPECT_EQ("no line end", f.Text("msgLast"));
    EXPECT_EQ(8u, f.file.Count());  // comments, blank lines, lines without a key and duplicates add nothing
    EXPECT_EQ("<missing>", f.Text("# comment"));
    EXPECT_EQ("<missing>", f.Text("btnok"));  // keys compare case-sensitively
}

TEST(QxLanguageFile, ConvertsUtf8AndUtf16ToTheCodePageAndSurvivesGarbage) {
    const std::string source = "umlauts=Gr\xC3\xBC\xC3\x9F\xC3\xA4 \xC3\x96l\njapanese=\xE6\x97\xA5\xE6\x9C\xAC\n";
    const LoadedFile western(source, Western);
    EXPECT_EQ("Gr\xFC\xDF\xE4 \xD6l", western.Text("umlauts"));
    EXPECT_EQ("??", western.Text("japanese"));  // not in the code page
    EXPECT_EQ("\x93\xFA\x96\x7B", LoadedFile(source, Japanese).Text("japanese"));
    // A file saved as UTF-16 by a translator's editor reads the same.
    static const char utf16[] = "\xFF\xFEk\0=\0\xFC\0\n\0";
    EXPECT_EQ("\xFC", LoadedFile(std::string(utf16, sizeof utf16 - 1)).Text("k"));

    static const char broken[] = "nul=a\0b\nbad=a\xFF\xC3z\nafter=ok\n";
    const LoadedFile f(std::string(broken, sizeof broken - 1));
    EXPECT_EQ("<missing>", f.Text("nul"));
    EXPECT_EQ("a??z", f.Text("bad"));
    EXPECT_EQ("ok", f.Text("after"));

    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::string bytes(64 * 1024, '\0');
        unsigned state = seed;
        for (char& byte : bytes) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<char>(state >> 16);  // NUL bytes, "=", line ends and invalid UTF-8 all occur
        }
        const std::string valid = "\nvalid=still found\r\n";
        bytes.replace(30000, valid.size(), valid);
        EXPECT_EQ("still found", LoadedFile(bytes, seed % 2 ? Western : Japanese).Text("valid")) << "seed " << seed;
    }
}

TEST(QxLanguageFile, CutsOverlongTextsOnACharacterBoundary) {
    const LoadedFile western("long=" + std::string(5000, 'a') + "\nnext=ok\n");
    EXPECT_EQ(std::string(qx::MaxTextBytes, 'a'), western.Text("long"));
    EXPECT_EQ("ok", western.Text("next"));

    std::string kanji = "xy";
    for (int i = 0; i < 3000; ++i) kanji += "\xE6\x97\xA5";  // one double-byte character each
    const std::string text = LoadedFile("long=" + kanji + "\n", Japanese).Text("long");
    ASSERT_EQ(4094u, text.size());  // 4095 would end in half a character
    for (size_t i = 2; i < text.size(); i += 2) ASSERT_EQ("\x93\xFA", text.substr(i, 2)) << "at " << i;
}

}  // namespace
