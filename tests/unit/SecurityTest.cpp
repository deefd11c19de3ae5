// The password's stored form, the Explorer verb's removal, and the security dialog's three modes.
#include "Support.h"
#include "dialogs/SecurityDlg.h"
#include "store/ExplorerVerb.h"
#include "store/Options.h"
#include "store/Password.h"

TEST(Password, HashAndStoredForm) {
    EXPECT_EQ(0x3A6F2B4u, PasswordHash("secret", 6));
    EXPECT_EQ(0x7EDCDF5u, PasswordHash("Gr\xFC\xDF" "e", 5));  // bytes above 0x7F count as negative
    EXPECT_EQ("00351571264", EncodePassword("secret"));
    EXPECT_EQ("01317255161", EncodePassword(""));  // two texts of one hash are a security dialog test
}

// The values are seen end to end. Writing takes away an earlier version's verb for programs only
// (".exe" is "exefile" here); removal takes every verb's whole tree, and done again touches nothing.
TEST(ExplorerVerb, WrittenForFilesAndFoldersAndRemovedWithTheEarlierOne) {
    const std::string classes = "Software\\Classes\\", earlier = classes + "exefile\\shell\\zzVelkator";
    const std::string verbs[] = {classes + "*\\shell\\zzVelkator", classes + "Directory\\shell\\zzVelkator", earlier};
    RegistryKey other, old;
    ASSERT_TRUE(other.Create(HKEY_CURRENT_USER, (classes + "*\\shell\\other\\command").c_str()));
    ASSERT_TRUE(old.Create(HKEY_CURRENT_USER, earlier.c_str()));
    WriteQuickNewVerb(GetText("advQuickNewMenu"));
    EXPECT_FALSE(RegistryKeyExists(earlier));
    ASSERT_TRUE(RegistryKeyExists(verbs[0] + "\\ddeexec\\topic") && RegistryKeyExists(verbs[1] + "\\ddeexec\\topic"));
    ASSERT_TRUE(old.Create(HKEY_CURRENT_USER, earlier.c_str()));
    for (int pass = 0; pass < 2; ++pass) {
        RemoveQuickNewVerb();
        for (const std::string& verb : verbs) EXPECT_FALSE(RegistryKeyExists(verb)) << verb;
        EXPECT_TRUE(RegistryKeyExists(classes + "*\\shell\\other\\command"));
    }
    DeleteRegistryTree(classes + "*\\shell\\other");
}

// Types into the fields and presses OK; a refusal's message box is answered by the robot's next action.
static void TypeAndPressOk(HWND dialog, std::vector<std::pair<int, const char*>> fields) {
    for (const auto& field : fields) SetDlgItemTextA(dialog, field.first, field.second);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// A refusal empties the fields it concerns and says why; each mode then takes what is right.
TEST(SecurityDlg, SetUnlockAndChangeCheckWhatIsTypedAndResetTheFieldsOnAFailure) {
    PrivateProfile profile;
    const std::string noMatch = "The password and its confirmation do not match. Please type them again.",
                      wrong = "The password is not correct. Please try again.";
    std::string password, message;
    DialogRobot robot;
    auto run = [&](std::function<void(HWND)> typing, INT_PTR result, const std::string& said, bool changeMode = false) {
        message.clear();
        robot.Then(typing);
        robot.Then(DialogRobot::NoteMessage(message));
        CSecurityDlg dialog(nullptr, password, changeMode);
        EXPECT_EQ(result, dialog.DoModal());
        EXPECT_EQ(said, message);
    };
    run([&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SEC_PASSWORD, "dmdbptpe");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK))) << "OK without the confirmation";
        TypeAndPressOk(dialog, {{IDC_SEC_CONFIRM, "other"}});
        EXPECT_EQ("", TextOf(GetDlgItem(dialog, IDC_SEC_PASSWORD)) + TextOf(GetDlgItem(dialog, IDC_SEC_CONFIRM)));
        TypeAndPressOk(dialog, {{IDC_SEC_PASSWORD, "dmdbptpe"}, {IDC_SEC_CONFIRM, "imcrptju"}});
    }, IDOK, noMatch);
    EXPECT_EQ(EncodePassword("dmdbptpe"), password);

    run([&](HWND dialog) {
        TypeAndPressOk(dialog, {{IDC_SEC_OLD_PASSWORD, "wrong"}, {IDC_SEC_PASSWORD, "new"}, {IDC_SEC_CONFIRM, "new"}});
        EXPECT_EQ("new", TextOf(GetDlgItem(dialog, IDC_SEC_CONFIRM)));  // only the old password goes
        TypeAndPressOk(dialog, {{IDC_SEC_OLD_PASSWORD, "imcrptju"}});
    }, IDOK, wrong, true);
    EXPECT_EQ(EncodePassword("new"), password);

    run([&](HWND dialog) {
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_SEC_RELOCK));
        CheckDlgButton(dialog, IDC_SEC_RELOCK, BST_UNCHECKED);
        TypeAndPressOk(dialog, {{IDC_SEC_PASSWORD, "wrong"}});
        EXPECT_EQ(wrong, message);
        TypeAndPressOk(dialog, {{IDC_SEC_PASSWORD, "new"}});
    }, IDOK, wrong);
    EXPECT_EQ("", password);
    EXPECT_EQ(0, ReadOption(Option::RelockPassword));

    // Stored by an earlier version over the bytes of the system's code page (1252 here): it unlocks
    // when typed, and is stored again in today's form.
    const std::string typed = "Gr\xC3\xBC\xC3\x9F" "e";
    WriteOption(Option::Security, password = EncodePassword("Gr\xFC\xDF" "e"));
    CSecurityDlg older(nullptr, password, false);
    robot.Then([&](HWND dialog) { TypeAndPressOk(dialog, {{IDC_SEC_PASSWORD, typed.c_str()}}); });
    EXPECT_EQ(IDOK, older.DoModal());
    EXPECT_EQ(EncodePassword(typed), ReadOption(Option::Security));
}

// Unlocking lasts for one sheet unless the relock box is cleared and the sheet applied.
TEST_F(TrayFixture, AnUnlockLastsForOneSheetUnlessRelockIsClearedAndApplied) {
    const std::string stored = EncodePassword("pw");
    CreateWindowWith({"Separator"});
    const struct { bool relock; int button; std::string after; } cases[] = {
        {true, IDOK, stored}, {false, IDCANCEL, stored}, {false, IDOK, ""}};
    for (const auto& c : cases) {
        WriteOption(Option::Security, stored);
        DialogRobot robot;
        robot.Then([&](HWND unlock) {
            CheckDlgButton(unlock, IDC_SEC_RELOCK, c.relock ? BST_CHECKED : BST_UNCHECKED);
            TypeAndPressOk(unlock, {{IDC_SEC_PASSWORD, "pw"}});
        });
        robot.Then(DialogRobot::Press(c.button));
        window->Commands().EditShortcut(0);
        EXPECT_EQ(2, robot.DialogsSeen());
        EXPECT_EQ(c.after, ReadOption(Option::Security)) << "relock " << c.relock << ", button " << c.button;
    }
}
