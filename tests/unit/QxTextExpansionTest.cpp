// %1..%9 formatting, "$key" expansion, and cutting texts cleanly to a buffer.
#include "qxintl/TextExpansion.h"
#include <gtest/gtest.h>
#include <string.h>
#include <initializer_list>
#include <string>

namespace {

const UINT Western = 1252;
const UINT Japanese = 932;

std::string Format(const char* pattern, std::initializer_list<const char*> arguments, int size = 4096,
                   UINT codePage = Western) {
    std::string buffer(static_cast<size_t>(size) + 1, '#');  // the last byte guards against overruns
    qx::TextWriter out(&buffer[0], size, codePage);
    qx::FormatText(pattern, arguments.begin(), static_cast<int>(arguments.size()), out);
    EXPECT_EQ(buffer.back(), '#') << "wrote past the buffer";
    return buffer.c_str();
}

TEST(QxFormatText, ReplacesPlaceholdersByPosition) {
    EXPECT_EQ(Format("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(Format("%1-%1-%1", {"x"}), "x-x-x");
    EXPECT_EQ(Format("%1%2%3%4%5%6%7%8%9", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}), "123456789");
    EXPECT_EQ(Format("%10", {"a"}), "a0");  // a single digit: %1 followed by 0
    EXPECT_EQ(Format("%1", {"%2 %%"}, 4096), "%2 %%");  // an argument is never scanned again
}

TEST(QxFormatText, KeepsPercentSequencesThatAreNoPlaceholder) {
    EXPECT_EQ(Format("100%% of %1", {"x"}), "100% of x");
    EXPECT_EQ(Format("%%1 is %1", {"x"}), "%1 is x");
    EXPECT_EQ(Format("%1 %3 %9 missing", {"a", "b"}), "a %3 %9 missing");
    EXPECT_EQ(Format("%0 %x %s %d %", {"a"}), "%0 %x %s %d %");
    EXPECT_EQ(Format("%1", {}), "%1");
}

TEST(QxFormatText, CutsToTheBufferCleanly) {
    const std::string full = "Cannot open hello: 100%";
    for (int size = 1; size <= static_cast<int>(full.size()) + 2; ++size)
        EXPECT_EQ(Format("Cannot open %1: 100%%", {"hello"}, size), full.substr(0, static_cast<size_t>(size) - 1))
            << "size " << size;

    char untouched = '#';
    qx::TextWriter none(&untouched, 0, Western);
    none.Append("text");
    EXPECT_EQ(untouched, '#');
}

TEST(QxFormatText, NeverSplitsADoubleByteCharacter) {
    const char* japanese = "\x93\xFA\x96\x7B";  // two double-byte characters
    EXPECT_EQ(Format("x%1", {japanese}, 3, Japanese), "x");
    EXPECT_EQ(Format("x%1", {japanese}, 4, Japanese), "x\x93\xFA");
    EXPECT_EQ(Format("%1y", {japanese}, 5, Japanese), "\x93\xFA\x96\x7B");
    // Once a character did not fit, a shorter one after it must not slip in.
    EXPECT_EQ(Format("%1y", {japanese}, 4, Japanese), "\x93\xFA");
    // The same for UTF-8 as the ANSI code page.
    EXPECT_EQ(Format("a\xC3\xA4", {}, 3, CP_UTF8), "a");
}

class QxDollarText : public testing::Test {
protected:
    void SetUp() override {
        const std::string bytes = "btnOK=OK\nppgShortcutName=Shortcut &name\nmnuAbout=About\nlong=" +
                                  std::string(4000, 'x') + "\n";
        ASSERT_TRUE(file.Load(bytes.data(), bytes.size(), Western));
    }
    std::string Expand(const char* text) {
        char buffer[4096];
        qx::TextWriter out(buffer, sizeof buffer, Western);
        return qx::ExpandDollarText(file, text, out) ? buffer : "<unchanged>";
    }
    qx::LanguageFile file;
};

TEST_F(QxDollarText, ReplacesTheKeyAndKeepsWhatFollows) {
    EXPECT_EQ(Expand("$btnOK"), "OK");
    EXPECT_EQ(Expand("$ppgShortcutName$:"), "Shortcut &name:");
    EXPECT_EQ(Expand("$mnuAbout..."), "About...");
    EXPECT_EQ(Expand("$mnuAbout$$"), "About$");  // only the "$" that ends the key goes
    EXPECT_EQ(Expand("$btnOK-x y"), "OK-x y");
    EXPECT_EQ(Expand("$btnOK\tCtrl+O"), "OK\tCtrl+O");
}

TEST_F(QxDollarText, LeavesEverythingElseAsItStands) {
    EXPECT_EQ(Expand("$missingKey"), "<unchanged>");
    EXPECT_EQ(Expand("$btnOKAY"), "<unchanged>");  // the longest run is the key
    EXPECT_EQ(Expand("$"), "<unchanged>");
    EXPECT_EQ(Expand("$ btnOK"), "<unchanged>");
    EXPECT_EQ(Expand("$$btnOK"), "<unchanged>");
    EXPECT_EQ(Expand("btnOK"), "<unchanged>");
    EXPECT_EQ(Expand(" $btnOK"), "<unchanged>");
    EXPECT_EQ(Expand(""), "<unchanged>");
}

TEST_F(QxDollarText, CutsALongExpansionToTheBuffer) {
    const std::string text = "$long$" + std::string(200, 'y');
    EXPECT_EQ(Expand(text.c_str()), std::string(4000, 'x') + std::string(95, 'y'));
}

}  // namespace
