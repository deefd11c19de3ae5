// %1..%9 formatting and "$key" expansion, each cut cleanly to its buffer.
#include "qxintl/TextExpansion.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT Western = 1252;
const UINT Japanese = 932;  // a double-byte code page
const char* const TwoKanji = "\x93\xFA\x96\x7B";

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
