// Parsing language files: the format's rules, code page conversion, and files that are broken.
#include "qxintl/LanguageFile.h"
#include <gtest/gtest.h>
#include <string.h>
#include <string>

namespace {

const UINT Western = 1252;
const UINT Japanese = 932;  // a double-byte code page

struct LoadedFile {
    qx::LanguageFile file;
    LoadedFile(const std::string& bytes, UINT codePage = Western) {
        EXPECT_TRUE(file.Load(bytes.data(), bytes.size(), codePage));
    }
    std::string Text(const char* key) const {
        const char* text = file.Find(key);
        return text ? text : "<missing>";
    }
};

TEST(QxLanguageFile, ReadsKeysCommentsBlanksAndLineEnds) {
    const LoadedFile f(
        "\xEF\xBB\xBF" "first=after the BOM\r\n"
        "# comment=not a key\r\n"
        "  ; comment=not a key either\r\n"
        "\r\n"
        "   \t\n"
        "  btnOK \t=  OK \t\r\n"
        "tipDial-Up Networking=Dial-Up\n"
        "msgEquals=a=b\r"
        "lineWithoutEquals\n"
        "=text without key\n"
        "msgEmpty=\n"
        "msgLast=no line end");
    EXPECT_EQ(f.Text("first"), "after the BOM");
    EXPECT_EQ(f.Text("btnOK"), "OK");
    EXPECT_EQ(f.Text("tipDial-Up Networking"), "Dial-Up");
    EXPECT_EQ(f.Text("msgEquals"), "a=b");
    EXPECT_EQ(f.Text("msgEmpty"), "");
    EXPECT_EQ(f.Text("msgLast"), "no line end");
    EXPECT_EQ(f.file.Count(), 6u);  // comments, blank lines and lines without a key add nothing
    EXPECT_EQ(f.Text("# comment"), "<missing>");
    EXPECT_EQ(f.Text("btnok"), "<missing>");  // keys compare case-sensitively
}

TEST(QxLanguageFile, TurnsEscapesIntoCharacters) {
    const LoadedFile f("msg=one\\ntwo\\tthree\\\\n\\r\\sfour\\q\\\n"
                       "padded=\\s kept \\s\n");
    EXPECT_EQ(f.Text("msg"), "one\ntwo\tthree\\n\r four\\q\\");  // unknown escapes stay as written
    EXPECT_EQ(f.Text("padded"), "  kept  ");
}

TEST(QxLanguageFile, FirstOfDuplicateKeysWins) {
    const LoadedFile f("b=1\nk=first\na=2\nk=second\nk=third\nc=3\n");
    EXPECT_EQ(f.Text("k"), "first");
    EXPECT_EQ(f.Text("a") + f.Text("b") + f.Text("c"), "213");
    EXPECT_EQ(f.file.Count(), 4u);
}

TEST(QxLanguageFile, ConvertsUtf8ToTheCodePage) {
    const std::string source = "umlauts=Gr\xC3\xBC\xC3\x9F\xC3\xA4 \xC3\x96l\njapanese=\xE6\x97\xA5\xE6\x9C\xAC\n";
    const LoadedFile western(source, Western);
    EXPECT_EQ(western.Text("umlauts"), "Gr\xFC\xDF\xE4 \xD6l");
    EXPECT_EQ(western.Text("japanese"), "??");  // not in the code page
    const LoadedFile japanese(source, Japanese);
    EXPECT_EQ(japanese.Text("japanese"), "\x93\xFA\x96\x7B");

    // A file saved as UTF-16 by a translator's editor reads the same.
    static const char utf16[] = "\xFF\xFEk\0=\0\xFC\0\n\0";
    EXPECT_EQ(LoadedFile(std::string(utf16, sizeof utf16 - 1)).Text("k"), "\xFC");
}

TEST(QxLanguageFile, SurvivesBinaryGarbage) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::string bytes(64 * 1024, '\0');
        unsigned state = seed;
        for (char& byte : bytes) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<char>(state >> 16);  // NUL bytes, "=", line ends and invalid UTF-8 all occur
        }
        const std::string valid = "\nvalid=still found\r\n";
        bytes.replace(30000, valid.size(), valid);
        const LoadedFile f(bytes, seed % 2 ? Western : Japanese);
        EXPECT_EQ(f.Text("valid"), "still found") << "seed " << seed;
    }
}

TEST(QxLanguageFile, SkipsLinesWithNulBytesAndReplacesInvalidUtf8) {
    static const char bytes[] = "nul=a\0b\nbad=a\xFF\xC3z\nafter=ok\n";
    const LoadedFile f(std::string(bytes, sizeof bytes - 1));
    EXPECT_EQ(f.Text("nul"), "<missing>");
    EXPECT_EQ(f.Text("bad"), "a??z");
    EXPECT_EQ(f.Text("after"), "ok");
}

TEST(QxLanguageFile, ReadsOnlyTheFirstMebibyteOfAHugeFile) {
    std::string bytes;
    bytes.reserve(10 * 1024 * 1024 + 64);
    int lines = 0;
    int lastWholeLine = -1;
    while (bytes.size() < 10 * 1024 * 1024) {
        bytes += "key" + std::to_string(lines) + "=text " + std::to_string(lines) + "\n";
        if (bytes.size() <= qx::MaxFileBytes) lastWholeLine = lines;
        ++lines;
    }
    const LoadedFile f(bytes);
    EXPECT_EQ(f.Text("key0"), "text 0");
    const std::string last = std::to_string(lastWholeLine);
    const std::string cut = std::to_string(lastWholeLine + 1);  // the line across the limit
    EXPECT_EQ(f.Text(("key" + last).c_str()), "text " + last);
    EXPECT_EQ(f.Text(("key" + cut).c_str()), "<missing>");
    EXPECT_EQ(f.file.Count(), static_cast<size_t>(lastWholeLine) + 1);
}

TEST(QxLanguageFile, CutsOverlongTextsOnACharacterBoundary) {
    const LoadedFile western("long=" + std::string(5000, 'a') + "\nnext=ok\n");
    EXPECT_EQ(strlen(western.file.Find("long")), qx::MaxTextBytes);
    EXPECT_EQ(western.Text("next"), "ok");

    std::string japaneseText = "xy";
    for (int i = 0; i < 3000; ++i) japaneseText += "\xE6\x97\xA5";  // one double-byte character each
    const LoadedFile japanese("long=" + japaneseText + "\n", Japanese);
    const char* text = japanese.file.Find("long");
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(strlen(text), 4094u);  // 4095 would end in half a character
    for (size_t i = 2; i < 4094; i += 2) ASSERT_EQ(std::string(text + i, 2), "\x93\xFA") << "at " << i;

    const LoadedFile longKey(std::string(300, 'k') + "=text\nshort=ok\n");
    EXPECT_EQ(longKey.file.Count(), 1u);
}

}  // namespace
