#include "TestSupport.h"
#include "app/LanguageChoice.h"
#include "app/TrayApp.h"
#include <gtest/gtest.h>
#include <set>
#include <vector>

TEST(LanguageChoice, DefaultLanguageIsTheLowByteOfTheLocale) {
    EXPECT_EQ(9, DefaultLanguageFromLocaleText("0409"));
    EXPECT_EQ(7, DefaultLanguageFromLocaleText("0407"));
    EXPECT_EQ(4, DefaultLanguageFromLocaleText("0804"));
    EXPECT_EQ(0, DefaultLanguageFromLocaleText(""));
    EXPECT_EQ(0, DefaultLanguageFromLocaleText(nullptr));
}

TEST(LanguageChoice, LanguageNumberComesFromTheDigitsAfterThePrefix) {
    EXPECT_EQ(12, LanguageFromFileName("velko012.mlb"));
    EXPECT_EQ(9, LanguageFromFileName("VELKO009.MLB"));
    EXPECT_EQ(1, LanguageFromFileName("velko01x.mlb"));
    EXPECT_EQ(0, LanguageFromFileName("velkoabc.mlb"));
    EXPECT_EQ(0, LanguageFromFileName("velko"));
    EXPECT_EQ(0xFFFF, LanguageFromFileName("velko99999999999.mlb"));
}

TEST(LanguageChoice, DisplayNameDropsTheCountry) {
    EXPECT_EQ("German", StripCountry("German (Germany)"));
    EXPECT_EQ("Chinese (Simplified)", StripCountry("Chinese (Simplified) (China)"));
    EXPECT_EQ("English", StripCountry("English"));
    EXPECT_EQ("", StripCountry(""));
    EXPECT_EQ("German", LanguageDisplayName(7));
    EXPECT_EQ("English", LanguageDisplayName(9));
}

namespace {
// Records the order of attempts; languages in g_available open.
std::vector<WORD> g_attempts;
std::set<WORD> g_available;
bool FakeOpen(WORD language) {
    g_attempts.push_back(language);
    return g_available.count(language) != 0;
}
}  // namespace

TEST(LanguageChoice, StoredLanguageFirstThenEnglishThenFirstFileThenNothing) {
    TemporaryFolder folder;
    WORD current = 0;

    g_attempts.clear(); g_available = {7, 9};
    EXPECT_TRUE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ(7, current);
    EXPECT_EQ((std::vector<WORD>{7}), g_attempts);

    g_attempts.clear(); g_available = {9};
    EXPECT_TRUE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ(9, current);
    EXPECT_EQ((std::vector<WORD>{7, 9}), g_attempts);

    folder.Write("velko012.mlb", "");
    g_attempts.clear(); g_available = {12};
    EXPECT_TRUE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ(12, current);
    EXPECT_EQ((std::vector<WORD>{7, 9, 12}), g_attempts);

    g_attempts.clear(); g_available = {};
    EXPECT_FALSE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ((std::vector<WORD>{7, 9, 12}), g_attempts);
}

TEST(LanguageChoice, NoLanguageFileLeavesLanguageZero) {
    TemporaryFolder folder;
    folder.Write("other.mlb", "");
    WORD current = 5;
    g_attempts.clear(); g_available = {};
    EXPECT_FALSE(OpenStartupLanguage(7, folder.Path(), &FakeOpen, current));
    EXPECT_EQ(0, current);
    EXPECT_EQ((std::vector<WORD>{7, 9}), g_attempts);
}

TEST(LanguageChoice, SetLanguageStoresOnlyAChange) {
    PrivateProfile profile;
    TrayApp& app = App();
    app.SetLanguage(app.CurrentLanguage());
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Options"), "Language"));
    app.SetLanguage(7);
    EXPECT_EQ(7, app.CurrentLanguage());
    EXPECT_EQ(7, app.GetProfileInt("Options", "Language", 0));
}
