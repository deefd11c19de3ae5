// Profile values that come from outside the program: wrong types, missing terminators, length.
#include "Support.h"

TEST(Profile, BadlyStoredValuesReadAsTheDefaultOrAsFarAsTheyGo) {
    PrivateProfile profile;
    RegistryKey key;
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, profile.KeyPath("Options").c_str()));
    key.SetString("Click", "2");
    key.SetDword("WaveFile", 5);
    const BYTE shortNumber[2] = {1, 0};
    RegSetValueExA(key.Handle(), "Language", 0, REG_DWORD, shortNumber, sizeof shortNumber);
    RegSetValueExA(key.Handle(), "Early", 0, REG_SZ, reinterpret_cast<const BYTE*>("A\0B|"), 5);
    RegSetValueExA(key.Handle(), "Unended", 0, REG_SZ, reinterpret_cast<const BYTE*>("A|B|"), 4);
    EXPECT_EQ(1, TheApp()->Settings().ReadNumber("Options", "Click", 1));
    EXPECT_EQ("Click.wav", TheApp()->Settings().ReadText("Options", "WaveFile", "Click.wav"));
    EXPECT_EQ(9, TheApp()->Settings().ReadNumber("Options", "Language", 9));
    EXPECT_EQ("A", TheApp()->Settings().ReadText("Options", "Early", ""));
    EXPECT_EQ("A|B|", TheApp()->Settings().ReadText("Options", "Unended", ""));

    std::string order;
    for (int i = 0; i < 12000; ++i) order += "Name" + std::to_string(i) + "|";
    EXPECT_TRUE(TheApp()->Settings().WriteText("Shortcuts", "Order", order.c_str()));
    EXPECT_EQ(order, TheApp()->Settings().ReadText("Shortcuts", "Order"));
}
