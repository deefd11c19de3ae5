// Parsing language files (the format's rules, code page conversion, broken files), %1..%9 formatting
// and "$key" expansion, each cut cleanly to its buffer. The 10 MB file is read through the real export
// in QxExportsTest.
#include "qxintl/LanguageFile.h"
#include "qxintl/TextExpansion.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT Western = 1252, Japanese = 932;  // the second a double-byte code page
const char* const TwoKanji = "\x93\xFA\x96\x7B";

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
    const std::pair<const char*, const char*> expected[] = {
        {"first", "after the BOM"}, {"btnOK", "OK"}, {"msgEquals", "a=b"}, {"padded", "  kept  "}, {"msgEmpty", ""},
        {"dup", "first"},                                  // the first of duplicate keys wins
        {"msgEscapes", "one\ntwo\tthree\\n\r four\\q\\"},  // unknown escapes stay as written
        {"msgLast", "no line end"}, {"# comment", "<missing>"}, {"btnok", "<missing>"}};  // case-sensitive keys
    for (const auto& entry : expected) EXPECT_EQ(entry.second, f.Text(entry.first)) << entry.first;
    EXPECT_EQ(8u, f.file.Count());  // comments, blank lines, lines without a key and duplicates add nothing
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

// pattern formatted into a buffer of size bytes; fails the test when it writes past the buffer.
std::string Format(const char* pattern, std::vector<const char*> arguments, int size = 4096,
                   UINT codePage = Western) {
    std::string buffer(static_cast<size_t>(size) + 1, '#');
    qx::TextWriter out(&buffer[0], size, codePage);
    qx::FormatText(pattern, arguments.data(), static_cast<int>(arguments.size()), out);
    EXPECT_EQ('#', buffer.back()) << pattern << " wrote past a buffer of " << size;
    return buffer.c_str();
}

TEST(QxFormatText, ReplacesPlaceholdersKeepsOtherPercentsAndCutsOnACharacterBoundary) {
    const struct { const char* pattern; std::vector<const char*> arguments; const char* expected; } cases[] = {
        {"%2 before %1", {"a", "b"}, "b before a"},
        {"%1%2%3%4%5%6%7%8%9", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "123456789"},
        {"%10", {"a"}, "a0"},            // one digit only
        {"%1", {"%2 %%"}, "%2 %%"},      // an argument is never scanned again
        {"100%% of %1", {"x"}, "100% of x"},
        {"%1 %3 %9 missing", {"a", "b"}, "a %3 %9 missing"},
        {"%0 %x %s %d %", {"a"}, "%0 %x %s %d %"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, Format(c.pattern, c.arguments)) << c.pattern;

    const std::string full = "Cannot open hello: 100%";
    for (size_t size = 1; size <= full.size() + 2; ++size)
        EXPECT_EQ(full.substr(0, size - 1), Format("Cannot open %1: 100%%", {"hello"}, static_cast<int>(size)));
    EXPECT_EQ("x", Format("x%1", {TwoKanji}, 3, Japanese));
    EXPECT_EQ(TwoKanji, Format("%1y", {TwoKanji}, 5, Japanese));
    // Once a character did not fit, a shorter one after it must not slip in.
    EXPECT_EQ("\x93\xFA", Format("%1y", {TwoKanji}, 4, Japanese));
    EXPECT_EQ("a", Format("a\xC3\xA4", {}, 3, CP_UTF8));
}

TEST(QxDollarText, ExpandsAKeyWithWhatFollowsAndLeavesEverythingElse) {
    qx::LanguageFile file;
    const std::string bytes =
        "btnOK=OK\nppgShortcutName=Shortcut &name\nmnuAbout=About\nlong=" + std::string(4000, 'x') + "\n";
    ASSERT_TRUE(file.Load(bytes.data(), bytes.size(), Western));
    auto expand = [&file](const std::string& text) {
        char buffer[4096];
        qx::TextWriter out(buffer, sizeof buffer, Western);
        return qx::ExpandDollarText(file, text.c_str(), out) ? std::string(buffer) : "<unchanged>";
    };
    EXPECT_EQ("OK", expand("$btnOK"));
    EXPECT_EQ("Shortcut &name:", expand("$ppgShortcutName$:"));
    EXPECT_EQ("About...", expand("$mnuAbout..."));
    EXPECT_EQ("About$", expand("$mnuAbout$$"));  // only the "$" that ends the key goes
    EXPECT_EQ(std::string(4000, 'x') + std::string(95, 'y'), expand("$long$" + std::string(200, 'y')));
    // "$btnOKAY": the longest run of key characters is the key.
    for (const char* text : {"$missingKey", "$btnOKAY", "$", "$ btnOK", "$$btnOK", "btnOK", " $btnOK", ""})
        EXPECT_EQ("<unchanged>", expand(text)) << text;
}

}  // namespace
