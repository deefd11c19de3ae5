// The language choice beyond what the end-to-end start-up tests see: names, numbers, and the
// first language file found when neither the stored language nor English is there.
#include "Support.h"
#include "app/LanguageChoice.h"
#include <set>

TEST(LanguageChoice, NumbersAndNames) {
    EXPECT_EQ(7, DefaultLanguageFromLocaleText("0407"));
    EXPECT_EQ(4, DefaultLanguageFromLocaleText("0804"));
    EXPECT_EQ(0, DefaultLanguageFromLocaleText(nullptr));
    EXPECT_EQ(12, LanguageFromFileName("velko012.mlb"));
    EXPECT_EQ(1, LanguageFromFileName("velko01x.mlb"));
    EXPECT_EQ(0xFFFF, LanguageFromFileName("velko99999999999.mlb"));
    EXPECT_EQ("Chinese (Simplified)", StripCountry("Chinese (Simplified) (China)"));
    EXPECT_EQ("German", LanguageDisplayName(7));
}

namespace {
std::vector<WORD> g_attempts;
std::set<WORD> g_available;
bool FakeOpen(WORD language) {
    g_attempts.push_back(language);
    return g_available.count(language) != 0;
}
}  // namespace

TEST(LanguageChoice, StoredThenEnglishThenTheFirstLanguageFile) {
    TemporaryFolder folder;
    folder.Write("velko012.mlb", "");
    WORD current = 0;
    g_available = {12};
    EXPECT_TRUE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ(12, current);
    EXPECT_EQ((std::vector<WORD>{7, 9, 12}), g_attempts);
}
