// The shortcut list on its own: what loading takes from the registry, and what each operation stores.
#include "Support.h"
#include "store/ShortcutList.h"
#include <fstream>

namespace {
std::string Title(ShortcutKind kind) { return std::string("<") + KindWord(kind) + ">"; }

class ShortcutListTest : public testing::Test {
protected:
    PrivateProfile profile;
    ShortcutList list;

    void Install(const std::string& name) {
        TheApp()->Settings().WriteText("Shortcuts", name.c_str(), "Installed");
        TheApp()->Settings().WriteText(name.c_str(), "Path", ("C:\\" + name + ".exe").c_str());
    }
    void Load(const std::string& order, const std::string& legacyIni = "") {
        TheApp()->Settings().WriteText("Shortcuts", "Order", order.c_str());
        list.Load(legacyIni, &Title);
    }
    std::string Order() const { return TheApp()->Settings().ReadText("Shortcuts", "Order", "<none>"); }
    // "Name:id" of every record, in order.
    std::string Records() const {
        std::string text;
        for (int i = 0; i < list.Count(); ++i)
            text += (i ? "," : "") + list.At(i).Name + ":" + std::to_string(list.At(i).IconId);
        return text;
    }
    ShortcutItem Named(const std::string& name) const {
        ShortcutItem item;
        item.Name = name;
        item.Path = "C:\\" + name + ".exe";
        return item;
    }
};
}  // namespace

TEST_F(ShortcutListTest, LoadingTakesInstalledTokensOnceAndDeletingLosesNothingElse) {
    for (const char* name : {"A", "B"}) Install(name);
    TheApp()->Settings().WriteNumber("A", "Style", 3);
    TheApp()->Settings().WriteText("Shortcuts", "Ghost", "installed");  // not the exact marker
    Load("A|Separator|Ghost|a|DeskAccess|B");  // "a" names A again; B lacks its final bar
    EXPECT_EQ("A:1,<Separator>:65024,<DeskAccess>:65408", Records());
    EXPECT_EQ(RunStyle::Minimized, list.At(0).Style);
    EXPECT_EQ("C:\\A.exe", list.At(0).Path);

    list.Remove(0);
    EXPECT_EQ("Separator|DeskAccess|Ghost|B", Order()) << "Ghost and B must stay stored";
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("A")));
    EXPECT_EQ("<none>", TheApp()->Settings().ReadText("Shortcuts", "A", "<none>"));
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("B")));

    // An order stored as another text type is still read.
    RegistryKey shortcuts;
    ASSERT_TRUE(shortcuts.Create(HKEY_CURRENT_USER, profile.KeyPath("Shortcuts").c_str()));
    for (DWORD type : {DWORD(REG_BINARY), DWORD(REG_EXPAND_SZ)}) {
        const char text[] = "B|Separator|";
        RegSetValueExA(shortcuts.Handle(), "Order", 0, type, reinterpret_cast<const BYTE*>(text), sizeof text - 1);
        list.Load("", &Title);
        EXPECT_EQ("B:2,<Separator>:65024", Records()) << "type " << type;
    }
}

// Append, remove in the middle and move keep Order in step; identifiers stay with their shortcuts,
// at the next start too, and shortcuts past the hundredth stay stored at the end.
TEST_F(ShortcutListTest, OperationsKeepOrderIdentifiersAndTheRecordsPastAHundred) {
    for (int i = 0; i < 100; ++i) Install("S" + std::to_string(i));
    for (const char* name : {"X", "Y"}) Install(name);
    Load("S0|S1|X|Y|");
    EXPECT_EQ(4, list.AppendSpecial(ShortcutKind::Separator, "sep"));
    list.Remove(2);
    ASSERT_TRUE(list.Reorder({2, 0, 1, 3}));  // Y to the top
    EXPECT_EQ("Y|S0|S1|Separator|", Order());
    EXPECT_EQ("Y:4,S0:1,S1:2,sep:65024", Records());
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("X")));
    EXPECT_FALSE(list.Reorder({0, 0, 1, 2}));
    list.AppendPending();  // a new shortcut given up: its identifier is not drawn again
    EXPECT_EQ(5, list.At(4).IconId);
    list.DropPending();
    EXPECT_EQ(6, list.At(list.AppendPending()).IconId);
    list.DropPending();
    EXPECT_EQ("Y|S0|S1|Separator|", Order());
    Load(Order());
    EXPECT_EQ("Y:4,S0:1,S1:2,<Separator>:65024", Records());

    std::string order;
    for (int i = 0; i < 100; ++i) order += "S" + std::to_string(i) + "|";
    Load(order + "Y|");
    EXPECT_TRUE(list.IsFull() && list.AppendPending() < 0);
    list.Remove(0);
    EXPECT_EQ(order.substr(3) + "Y|", Order());
    // A new shortcut filled with the name of the one past the hundredth (by Explorer's verb, say)
    // does not take that one's place.
    const int pending = list.AppendPending();
    list.SetPendingValues(Named("y"));
    EXPECT_TRUE(list.IsNameTaken("y", pending));
    EXPECT_EQ(ShortcutList::SaveResult::NameTaken, list.SaveApplication(pending, Named("y")));
    EXPECT_EQ("C:\\Y.exe", TheApp()->Settings().ReadText("Y", "Path"));
}

// Names the registry or the order cannot hold are refused; a change of letter case keeps the shortcut.
TEST_F(ShortcutListTest, RefusedNamesAndARenameThatOnlyChangesTheCase) {
    Install("Mail");
    Load("Mail|");
    const int pending = list.AppendPending();
    for (const char* bad : {"", "options", "SHORTCUTS", "a|b", "a\\b", "Separator"})
        EXPECT_EQ(ShortcutList::SaveResult::BadName, list.SaveApplication(pending, Named(bad))) << bad;
    EXPECT_EQ(ShortcutList::SaveResult::NameTaken, list.SaveApplication(pending, Named("mail")));
    ASSERT_EQ(ShortcutList::SaveResult::Saved, list.SaveApplication(0, Named("MAIL")));
    EXPECT_EQ("MAIL|", Order());
    EXPECT_EQ("Installed", TheApp()->Settings().ReadText("Shortcuts", "MAIL", ""));
    EXPECT_EQ("C:\\MAIL.exe", TheApp()->Settings().ReadText("MAIL", "Path"));
}

// The file was written in the system's code page of its time (here 1252): accents stay whole. It
// turns up beside the user's own settings, which stay as they are.
TEST_F(ShortcutListTest, LegacyFileAddsWhatIsNewKeepsWhatClashesAndIsImportedOnce) {
    TemporaryFolder folder;
    const std::string ini = folder.File("VELKATOR.INI");
    folder.Write("VELKATOR.INI",
                 "[Shortcuts]\r\nX=installed\r\nOld=Installed\r\nY=Removed\r\n"
                 "[X]\r\nPath=C:\\caf\xE9.exe\r\nIconPath=C:\\x.exe,2\r\nArguments=-x\r\nStyle=2\r\n[Old]\r\nPath=C:\\legacy.exe\r\n");
    Install("Old");
    Load("Old|", ini);
    EXPECT_EQ("Old:1,X:2", Records());
    EXPECT_EQ("Old|X|", Order());
    EXPECT_EQ(RunStyle::Maximized, list.At(1).Style);
    EXPECT_EQ("C:\\Old.exe|C:\\caf\xC3\xA9.exe|-x|", list.At(0).Path + "|" + list.At(1).Path + "|" + list.At(1).Arguments + "|" + list.At(1).Startup);
    EXPECT_EQ("C:\\x.exe,2", TheApp()->Settings().ReadText("X", "IconPath"));
    EXPECT_EQ("<none>", TheApp()->Settings().ReadText("Shortcuts", "Y", "<none>"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ini.c_str()));
    std::ifstream setAside(ini + ".not-imported", std::ios::binary);
    EXPECT_NE(std::string::npos, std::string(std::istreambuf_iterator<char>(setAside), {}).find("C:\\legacy.exe"));

    // A file that cannot be deleted is imported once, not at every start.
    folder.Write("VELKATOR.INI", "[Shortcuts]\r\nZ=Installed\r\n");
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    Load("X|", ini);
    EXPECT_EQ("X|Z|", Order());
    Load("X|", ini);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("X|", Order());
}
