#include "RecordingSystem.h"
#include "TestSupport.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include "store/LegacyIni.h"
#include "store/ShortcutStore.h"
#include "tray/LoadShortcuts.h"
#include <gtest/gtest.h>

namespace {
void Install(const char* name, const char* path) {
    TheApp()->WriteProfileString("Shortcuts", name, "Installed");
    TheApp()->WriteProfileString(name, "Path", path);
}

std::string Order() {
    return TheApp()->GetProfileString("Shortcuts", "Order", "<none>");
}

void Load() {
    LoadShortcuts(nullptr, "");
}

std::vector<std::string> LoadedPaths() {
    std::vector<std::string> paths;
    for (int i = 0; i < ShortcutTable.Count; ++i) paths.push_back(ShortcutTable.Items[i].Path);
    return paths;
}

class ShortcutStore : public testing::Test {
protected:
    PrivateProfile profile;
    RecordingSystem system;
};
}  // namespace

TEST_F(ShortcutStore, OrderEdgeCases) {
    Install("A", "C:\\a.exe");
    Install("B", "C:\\b.exe");
    TheApp()->WriteProfileString("A", "Startup", "C:\\work");
    TheApp()->WriteProfileInt("A", "Style", 3);
    TheApp()->WriteProfileInt("A", "Prompt", 1);

    // Text after the last bar is never a token.
    TheApp()->WriteProfileString("Shortcuts", "Order", "A|Separator|B");
    Load();
    ASSERT_EQ((std::vector<std::string>{"C:\\a.exe", "Separator"}), LoadedPaths());
    const ShortcutItem& a = ShortcutTable.Items[0];
    EXPECT_EQ("A", a.Name);
    EXPECT_EQ("C:\\work", a.Startup);
    EXPECT_EQ(3, a.Style);
    EXPECT_EQ(1, a.Prompt);
    EXPECT_EQ(1, a.IconId);
    EXPECT_EQ("Separator", ShortcutTable.Items[1].Name);  // the English "tipSeparator"
    EXPECT_EQ(2, ShortcutTable.Items[1].IconId);

    TheApp()->WriteProfileString("Shortcuts", "Order", "Separator|Separator|");
    Load();
    ASSERT_EQ(2, ShortcutTable.Count);
    EXPECT_EQ(1, ShortcutTable.Items[0].IconId);
    EXPECT_EQ(2, ShortcutTable.Items[1].IconId);

    // The marker must be exactly "Installed".
    TheApp()->WriteProfileString("Shortcuts", "A", "installed");
    TheApp()->WriteProfileString("Shortcuts", "Order", "A|");
    Load();
    EXPECT_EQ(0, ShortcutTable.Count);

    TheApp()->WriteProfileString("Shortcuts", "Order", "");
    Load();
    EXPECT_EQ(0, ShortcutTable.Count);
    TheApp()->WriteProfileString("Shortcuts", "Order", nullptr);
    Load();
    EXPECT_EQ(0, ShortcutTable.Count);
}

TEST_F(ShortcutStore, LegacyImportTakesInstalledEntriesAndDeletesTheFile) {
    Install("Old", "C:\\old.exe");
    TheApp()->WriteProfileString("Shortcuts", "Order", "Old|");
    TemporaryFolder folder;
    folder.Write("VELKATOR.INI",
                 "[Shortcuts]\r\nX=installed\r\nY=Removed\r\n"
                 "[X]\r\nPath=C:\\Tools\\x.exe\r\nStartup=C:\\Tools\r\nIconPath=C:\\Tools\\x.exe,2\r\n"
                 "Arguments=-a \"b c\"\r\nPrompt=1\r\nStyle=2\r\n"
                 "[Y]\r\nPath=C:\\y.exe\r\n");

    LoadShortcuts(nullptr, folder.File("VELKATOR.INI"));

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.File("VELKATOR.INI").c_str()));
    EXPECT_EQ("X|", Order());
    EXPECT_EQ("Installed", TheApp()->GetProfileString("Shortcuts", "X", ""));
    EXPECT_EQ(6, RegistryValueCount(profile.KeyPath("X")));
    EXPECT_EQ("C:\\Tools\\x.exe,2", TheApp()->GetProfileString("X", "IconPath", ""));
    EXPECT_EQ("-a \"b c\"", TheApp()->GetProfileString("X", "Arguments", ""));
    EXPECT_EQ(2, TheApp()->GetProfileInt("X", "Style", 0));
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "Y"));
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("Y")));
    ASSERT_EQ(1, ShortcutTable.Count);
    EXPECT_EQ("X", ShortcutTable.Items[0].Name);
    EXPECT_EQ(1, ShortcutTable.Items[0].Prompt);
}

TEST_F(ShortcutStore, LegacyImportWritesEmptyValuesAndAnEmptyOrder) {
    TheApp()->WriteProfileString("Shortcuts", "Order", "Old|");
    TemporaryFolder folder;
    folder.Write("VELKATOR.INI", "[Shortcuts]\r\nZ=Installed\r\n");
    EXPECT_TRUE(ImportLegacyIni(folder.File("VELKATOR.INI")));
    EXPECT_EQ(6, RegistryValueCount(profile.KeyPath("Z")));
    EXPECT_EQ("", TheApp()->GetProfileString("Z", "Path", "x"));
    EXPECT_EQ(1, TheApp()->GetProfileInt("Z", "Style", 0));

    folder.Write("VELKATOR.INI", "[Other]\r\nA=1\r\n");
    EXPECT_TRUE(ImportLegacyIni(folder.File("VELKATOR.INI")));
    EXPECT_EQ("", Order());
    EXPECT_FALSE(ImportLegacyIni(folder.File("VELKATOR.INI")));
}

TEST_F(ShortcutStore, LegacyImportKeepsEveryNameOfALongList) {
    // More names than the 1024 bytes older versions read at once: none may be lost.
    std::string ini = "[Shortcuts]\r\n", expected;
    for (int i = 0; i < 120; ++i) {
        std::string name = "Shortcut number " + std::to_string(i);
        ini += name + "=Installed\r\n";
        expected += name + "|";
    }
    ini += "Bar|Name=Installed\r\n";
    TemporaryFolder folder;
    folder.Write("VELKATOR.INI", ini);
    EXPECT_TRUE(ImportLegacyIni(folder.File("VELKATOR.INI")));
    EXPECT_EQ(expected, Order());
    EXPECT_GT(expected.size(), 1024u);
}

TEST_F(ShortcutStore, WritingRules) {
    ShortcutItem item;
    item.Name = "Editor";
    item.Path = "C:\\ed.exe";
    item.Arguments = "-n";
    item.Style = 2;
    SaveApplicationItem(item, true);
    EXPECT_EQ("Installed", TheApp()->GetProfileString("Shortcuts", "Editor"));
    EXPECT_EQ(6, RegistryValueCount(profile.KeyPath("Editor")));
    EXPECT_EQ("Editor|", Order());

    AppendOrderToken("Separator");
    item.Name = "Mail";
    SaveApplicationItem(item, true);
    EXPECT_EQ("Editor|Separator|Mail|", Order());

    // Saving an existing item leaves the order alone.
    item.Arguments = "-m";
    SaveApplicationItem(item, false);
    EXPECT_EQ("Editor|Separator|Mail|", Order());
    EXPECT_EQ("-m", TheApp()->GetProfileString("Mail", "Arguments"));

    ShortcutItem renamed = item;
    renamed.Name = "Post";
    RenameApplicationItem("Mail", renamed);
    EXPECT_EQ("Editor|Separator|Post|", Order());
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "Mail"));
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("Mail")));
    EXPECT_EQ("-m", TheApp()->GetProfileString("Post", "Arguments"));

    DeleteApplicationData("Post");
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "Post"));
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("Post")));

    // The program's own sections are never treated as a shortcut's.
    TheApp()->WriteProfileInt("Options", "Click", 2);
    DeleteApplicationData("Options");
    DeleteApplicationData("shortcuts");
    EXPECT_EQ(2, TheApp()->GetProfileInt("Options", "Click", 1));
    EXPECT_EQ("Editor|Separator|Post|", Order());
}

TEST_F(ShortcutStore, AppendingAfterUnterminatedTextKeepsTheNewToken) {
    TheApp()->WriteProfileString("Shortcuts", "Order", "A|Separator|B");
    AppendOrderToken("DeskAccess");
    EXPECT_EQ("A|Separator|B|DeskAccess|", Order());
}

TEST_F(ShortcutStore, OrderRebuildFollowsTheTable) {
    Install("A", "C:\\a.exe");
    Install("B", "C:\\b.exe");
    TheApp()->WriteProfileString("Shortcuts", "Order", "A|Gone|DeskAccess|B|tail");
    Load();
    ASSERT_EQ(3, ShortcutTable.Count);
    EXPECT_EQ("A|DeskAccess|B|", BuildOrderText());
    WriteOrderIfChanged();
    EXPECT_EQ("A|DeskAccess|B|", Order());
}

TEST_F(ShortcutStore, BadValuesLoadWithoutHarmAndLoadingChangesNothing) {
    RegistryKey shortcuts, section;
    ASSERT_TRUE(shortcuts.Create(HKEY_CURRENT_USER, profile.KeyPath("Shortcuts").c_str()));
    std::string longName(300, 'n');
    std::string order = "||" + longName + "|Typed|Separator|";
    while (order.size() < 100 * 1024) order += "NotInstalled|";
    shortcuts.SetString("Order", order.c_str());
    shortcuts.SetString(longName.c_str(), "Installed");
    shortcuts.SetString("", "Installed");  // the key's default value: an empty token is no name
    shortcuts.SetString("Typed", "Installed");
    ASSERT_TRUE(section.Create(HKEY_CURRENT_USER, profile.KeyPath("Typed").c_str()));
    section.SetDword("Path", 7);
    section.SetString("Style", "2");
    section.SetString("Prompt", "1");

    Load();

    ASSERT_EQ(3, ShortcutTable.Count);
    EXPECT_EQ(longName, ShortcutTable.Items[0].Name);  // names are kept whole
    EXPECT_EQ("", ShortcutTable.Items[0].Path);
    EXPECT_EQ("Typed", ShortcutTable.Items[1].Name);
    EXPECT_EQ("", ShortcutTable.Items[1].Path);
    EXPECT_EQ(1, ShortcutTable.Items[1].Style);
    EXPECT_EQ(0, ShortcutTable.Items[1].Prompt);
    EXPECT_EQ(order, Order());
    EXPECT_EQ(3, RegistryValueCount(profile.KeyPath("Typed")));
    EXPECT_EQ(63u, strlen(system.notifications[0].data.szTip));  // the tooltip shows 63 characters

    // The 100 KB order also survives the Order type being wrong.
    shortcuts.SetDword("Order", 5);
    Load();
    EXPECT_EQ(0, ShortcutTable.Count);
}

TEST_F(ShortcutStore, MoreThanAHundredShortcutsLoadTheFirstHundredAndKeepTheRest) {
    std::string order;
    for (int i = 0; i < 103; ++i) {
        std::string name = "S" + std::to_string(i);
        Install(name.c_str(), "C:\\s.exe");
        order += name + "|";
    }
    TheApp()->WriteProfileString("Shortcuts", "Order", order.c_str());
    Load();
    EXPECT_EQ(100, ShortcutTable.Count);
    EXPECT_EQ("S99", ShortcutTable.Items[99].Name);
    EXPECT_EQ(100u, system.NotificationsOf(NIM_ADD).size());
    EXPECT_EQ(order, Order());

    // Rebuilding the order after a change keeps the shortcuts the table had no room for.
    ShortcutTable.Count = 99;
    RewriteOrder();
    std::string expected = order;
    expected.erase(expected.find("S99|"), 4);
    EXPECT_EQ(expected, Order());
    EXPECT_TRUE(ShortcutTable.IsFull() == false);
}
