// The language choice beyond what the end-to-end start-up tests see: the first language file found
// when neither the stored language nor English is there.
#include "Support.h"
#include "app/LanguageChoice.h"
#include <set>

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
    g_attempts.clear();
    g_available = {12};
    EXPECT_TRUE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ(12, current);
    EXPECT_EQ((std::vector<WORD>{7, 9, 12}), g_attempts);
}
