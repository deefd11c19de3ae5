// The shortcut list on its own: what loading takes from the registry, and what each operation
// stores and announces.
#include "Support.h"
#include "framework/RegistryKey.h"
#include "framework/WinApp.h"
#include "store/LegacyIni.h"
#include "store/ShortcutList.h"
#include <gtest/gtest.h>

namespace {
struct Announcements : ShortcutListener {
    std::vector<std::string> seen;  // "add 3 Name", "change 2 Name", "retitle 1 Name", "remove 4"
    void Note(const char* what, int id, const std::string& name = "") {
        seen.push_back(std::string(what) + " " + std::to_string(id) + (name.empty() ? "" : " " + name));
    }
    void ShortcutAdded(const ShortcutItem& item) override { Note("add", item.IconId, item.Name); }
    void ShortcutChanged(const ShortcutItem& item) override { Note("change", item.IconId, item.Name); }
    void ShortcutRetitled(const ShortcutItem& item) override { Note("retitle", item.IconId, item.Name); }
    void ShortcutRemoved(int iconId) override { Note("remove", iconId); }
};

std::string Title(ShortcutKind kind) {
    return std::string("<") + KindWord(kind) + ">";
}

class ShortcutListTest : public testing::Test {
protected:
    PrivateProfile profile;
    Announcements announced;
    ShortcutList list{&announced};

    void Install(const std::string& name) {
        TheApp()->WriteProfileString("Shortcuts", name.c_str(), "Installed");
        TheApp()->WriteProfileString(name.c_str(), "Path", ("C:\\" + name + ".exe").c_str());
    }
    void Load(const std::string& order, const std::string& legacyIni = "") {
        TheApp()->WriteProfileString("Shortcuts", "Order", order.c_str());
        list.Load(legacyIni, &Title);
    }
    std::string Order() const { return TheApp()->GetProfileString("Shortcuts", "Order", "<none>"); }
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
    Install("A");
    Install("B");
    TheApp()->WriteProfileInt("A", "Style", 3);
    TheApp()->WriteProfileString("Shortcuts", "Ghost", "installed");  // not the exact marker
    Load("A|Separator|Ghost|a|DeskAccess|B");  // "a" names A again; B lacks its final bar
    EXPECT_EQ("A:1,<Separator>:2,<DeskAccess>:3", Records());
    EXPECT_EQ(3, list.At(0).Style);
    EXPECT_EQ("C:\\A.exe", list.At(0).Path);
    EXPECT_EQ((std::vector<std::string>{"add 1 A", "add 2 <Separator>", "add 3 <DeskAccess>"}), announced.seen);

    list.Remove(0);
    EXPECT_EQ("Separator|DeskAccess|B", Order()) << "B must stay stored";
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("A")));
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "A"));
    EXPECT_TRUE(RegistryKeyExists(profile.KeyPath("B")));
    EXPECT_EQ("remove 1", announced.seen.back());
}

TEST_F(ShortcutListTest, AnOrderStoredAsAnotherTextTypeIsStillRead) {
    Install("A");
    RegistryKey shortcuts;
    ASSERT_TRUE(shortcuts.Create(HKEY_CURRENT_USER, profile.KeyPath("Shortcuts").c_str()));
    for (DWORD type : {DWORD(REG_BINARY), DWORD(REG_EXPAND_SZ)}) {
        const char text[] = "A|Separator|";
        RegSetValueExA(shortcuts.Handle(), "Order", 0, type, reinterpret_cast<const BYTE*>(text), sizeof text - 1);
        list.Load("", &Title);
        EXPECT_EQ("A:1,<Separator>:2", Records()) << "type " << type;
    }
    list.Remove(1);
    EXPECT_EQ("A|", Order());
}

TEST_F(ShortcutListTest, AppendRemoveAndMoveKeepOrderAndIdentifiersInStep) {
    for (const char* name : {"A", "B", "C", "D", "E"}) Install(name);
    Load("A|B|C|D|E|");
    announced.seen.clear();
    EXPECT_EQ(5, list.AppendSpecial(ShortcutKind::Separator, "sep"));
    EXPECT_EQ("A|B|C|D|E|Separator|", Order());
    EXPECT_TRUE(list.Contains(ShortcutKind::Separator));

    list.Remove(2);
    EXPECT_EQ("A|B|D|E|Separator|", Order());
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("C")));
    EXPECT_EQ("A:1,B:2,D:4,E:5,sep:6", Records());
    EXPECT_EQ(4, list.NumberOfIconId(5));
    EXPECT_EQ(0, list.NumberOfIconId(3));

    announced.seen.clear();
    ASSERT_TRUE(list.Reorder({2, 0, 1, 3, 4}));  // D to the top
    EXPECT_EQ("D|A|B|E|Separator|", Order());
    EXPECT_EQ("D:1,A:2,B:4,E:5,sep:6", Records());  // identifiers stay with their places
    EXPECT_EQ((std::vector<std::string>{"change 1 D", "change 2 A", "change 4 B"}), announced.seen);
    EXPECT_FALSE(list.Reorder({0, 0, 1, 2, 3}));
    EXPECT_FALSE(list.Reorder({0, 1}));
    EXPECT_EQ("D|A|B|E|Separator|", Order());
}

TEST_F(ShortcutListTest, NewShortcutsRenamesAndRefusedNames) {
    Install("Mail");
    Install("Calc");
    Load("Mail|Calc|");
    announced.seen.clear();
    int pending = list.AppendPending();
    ASSERT_EQ(2, pending);
    EXPECT_EQ(-1, list.AppendPending());
    list.DropPending();
    EXPECT_EQ(2, list.Count());
    pending = list.AppendPending();
    EXPECT_EQ(4, list.At(pending).IconId) << "an abandoned identifier is not used again";
    EXPECT_TRUE(announced.seen.empty());
    EXPECT_EQ("Mail|Calc|", Order());

    for (const char* bad : {"", "options", "SHORTCUTS", "a|b", "a\\b", "Separator"})
        EXPECT_EQ(ShortcutList::SaveResult::BadName, list.SaveApplication(pending, Named(bad))) << bad;
    EXPECT_EQ(ShortcutList::SaveResult::NameTaken, list.SaveApplication(pending, Named("mail")));
    ASSERT_EQ(ShortcutList::SaveResult::Saved, list.SaveApplication(pending, Named("Editor")));
    EXPECT_EQ("Mail|Calc|Editor|", Order());
    EXPECT_EQ("add 4 Editor", announced.seen.back());

    EXPECT_EQ(ShortcutList::SaveResult::NameTaken, list.SaveApplication(0, Named("Calc")));
    ShortcutItem notes = Named("Notes");
    notes.Arguments = "-n";
    ASSERT_EQ(ShortcutList::SaveResult::Saved, list.SaveApplication(0, notes));
    EXPECT_EQ("Notes|Calc|Editor|", Order());
    EXPECT_FALSE(RegistryKeyExists(profile.KeyPath("Mail")));
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "Mail"));
    EXPECT_EQ("-n", TheApp()->GetProfileString("Notes", "Arguments", ""));
    EXPECT_EQ("change 1 Notes", announced.seen.back());

    // A change of letter case keeps the shortcut and stores the new spelling.
    ASSERT_EQ(ShortcutList::SaveResult::Saved, list.SaveApplication(0, Named("NOTES")));
    EXPECT_EQ("NOTES|Calc|Editor|", Order());
    EXPECT_EQ("Installed", TheApp()->GetProfileString("Shortcuts", "NOTES", ""));
    EXPECT_EQ(6, RegistryValueCount(profile.KeyPath("NOTES")));
}

TEST_F(ShortcutListTest, PastAHundredTheRestStaysStoredAndTheListIsFull) {
    std::string order;
    for (int i = 0; i < 103; ++i) {
        Install("S" + std::to_string(i));
        order += "S" + std::to_string(i) + "|";
    }
    Load(order);
    EXPECT_EQ(100, list.Count());
    EXPECT_TRUE(list.IsFull());
    EXPECT_EQ(-1, list.AppendSpecial(ShortcutKind::Separator, "sep"));
    EXPECT_EQ(-1, list.AppendPending());
    EXPECT_EQ(order, Order());
    list.Remove(99);
    order.erase(order.find("S99|"), 4);
    EXPECT_EQ(order, Order());
    EXPECT_TRUE(list.IsNameTaken("s102")) << "a stored shortcut the list had no room for keeps its name";
}

TEST_F(ShortcutListTest, LegacyFileKeepsWhatCannotBeImportedAndIsImportedOnce) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(std::string(windows) + "\\VELKATOR.INI", LegacyIniPath());
    TemporaryFolder folder;
    const std::string ini = folder.File("VELKATOR.INI");
    folder.Write("VELKATOR.INI",
                 "[Shortcuts]\r\nX=installed\r\noptions=Installed\r\nY=Removed\r\n"
                 "[X]\r\nPath=C:\\x.exe\r\nIconPath=C:\\x.exe,2\r\nStyle=2\r\n[options]\r\nPath=C:\\o.exe\r\n");
    Install("Old");
    Load("Old|", ini);
    EXPECT_EQ("X:1", Records());
    EXPECT_EQ(2, list.At(0).Style);
    EXPECT_EQ(6, RegistryValueCount(profile.KeyPath("X")));
    EXPECT_FALSE(RegistryValueExists(profile.KeyPath("Shortcuts"), "Y"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ini.c_str()));
    std::string kept;
    EXPECT_TRUE(ReadWholeFile(ini + ".not-imported", kept));
    EXPECT_NE(std::string::npos, kept.find("C:\\o.exe"));

    // A file that cannot be deleted is imported once, not at every start.
    folder.Write("VELKATOR.INI", "[Shortcuts]\r\nZ=Installed\r\n");
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    Load("X|", ini);
    EXPECT_EQ("Z|", Order());
    Install("X");
    Load("X|", ini);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ("X|", Order());
}
