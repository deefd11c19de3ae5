// The language choice beyond what the end-to-end start-up tests see: the first language file found
// when neither the stored language nor English is there.
#include "Support.h"
#include "app/LanguageChoice.h"

static std::vector<WORD> g_attempts;  // the languages asked for; only 12 opens

TEST(LanguageChoice, StoredThenEnglishThenTheFirstLanguageFile) {
    g_attempts.clear();
    TemporaryFolder folder;
    folder.Write("velko012.mlb", "");
    WORD current = 0;
    auto open = [](WORD language) { g_attempts.push_back(language); return language == 12; };
    EXPECT_TRUE(OpenStartupLanguage(7, folder.Path(), open, current));
    EXPECT_EQ(12, current);
    EXPECT_EQ((std::vector<WORD>{7, 9, 12}), g_attempts);
}
