#include "TestSupport.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include <gtest/gtest.h>

TEST(Profile, ReadingCreatesTheKeysButNoValues) {
    PrivateProfile profile;
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath()));
    EXPECT_EQ(42, TheApp()->GetProfileInt("Options", "Click", 42));
    EXPECT_EQ("none", TheApp()->GetProfileString("Shortcuts", "Order", "none"));
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("Options")));
    EXPECT_EQ(0, RegistryValueCount(profile.KeyPath("Options")));
    EXPECT_EQ(0, RegistryValueCount(profile.KeyPath("Shortcuts")));
}

TEST(Profile, ValuesOfTheWrongTypeOrSizeReadAsTheDefault) {
    PrivateProfile profile;
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, profile.KeyPath("Options").c_str()));
    key.SetString("Click", "2");
    key.SetDword("WaveFile", 5);
    const BYTE shortNumber[2] = {1, 0};
    RegSetValueExA(key.Handle(), "Language", 0, REG_DWORD, shortNumber, sizeof shortNumber);
    const BYTE binary[4] = {2, 0, 0, 0};
    RegSetValueExA(key.Handle(), "PlayWave", 0, REG_BINARY, binary, sizeof binary);
    RegSetValueExA(key.Handle(), "Security", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("x"), 2);

    EXPECT_EQ(1, TheApp()->GetProfileInt("Options", "Click", 1));
    EXPECT_EQ("Click.wav", TheApp()->GetProfileString("Options", "WaveFile", "Click.wav"));
    EXPECT_EQ(9, TheApp()->GetProfileInt("Options", "Language", 9));
    EXPECT_EQ(1, TheApp()->GetProfileInt("Options", "PlayWave", 1));
    EXPECT_EQ("", TheApp()->GetProfileString("Options", "Security", ""));
}

TEST(Profile, StringsWithoutTerminatorOrWithEmbeddedZeroReadSafely) {
    PrivateProfile profile;
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, profile.KeyPath("Shortcuts").c_str()));
    RegSetValueExA(key.Handle(), "Order", 0, REG_SZ, reinterpret_cast<const BYTE*>("A|B|"), 4);
    RegSetValueExA(key.Handle(), "Early", 0, REG_SZ, reinterpret_cast<const BYTE*>("A\0B|"), 5);
    EXPECT_EQ("A|B|", TheApp()->GetProfileString("Shortcuts", "Order", ""));
    EXPECT_EQ("A", TheApp()->GetProfileString("Shortcuts", "Early", ""));
}

TEST(Profile, WritingRoundTripsAndNullsDelete) {
    PrivateProfile profile;
    CWinApp* app = TheApp();
    EXPECT_TRUE(app->WriteProfileInt("Options", "Click", 2));
    EXPECT_TRUE(app->WriteProfileString("Shortcuts", "Order", "A|Separator|"));
    EXPECT_TRUE(app->WriteProfileString("A", "Path", "C:\\a.exe"));
    EXPECT_EQ(2, app->GetProfileInt("Options", "Click", 1));
    EXPECT_EQ("A|Separator|", app->GetProfileString("Shortcuts", "Order"));

    EXPECT_TRUE(app->WriteProfileString("Shortcuts", "Order", nullptr));
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "Order"));
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("Shortcuts")));

    EXPECT_TRUE(app->WriteProfileString("A", nullptr, nullptr));
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("A")));
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("Options")));
}

TEST(Profile, LongTextsSurviveTheRoundTrip) {
    PrivateProfile profile;
    std::string order;
    for (int i = 0; i < 12000; ++i) order += "Name" + std::to_string(i) + "|";
    ASSERT_GT(order.size(), 100000u);
    EXPECT_TRUE(TheApp()->WriteProfileString("Shortcuts", "Order", order.c_str()));
    EXPECT_EQ(order, TheApp()->GetProfileString("Shortcuts", "Order"));
}
