// Change Icon from a path without an index and from an index past the end; a damaged icon file, whose
// box gives the focus back to the file, and a library with more icons than are listed. (Opening on the
// icon the shortcut shows is seen end to end.)
#include "Support.h"
#include "dialogs/ChangeIconDlg.h"

namespace {
struct Seen {
    int selected = -2, count = -1, lastNumber = -1;
    bool fileFocused = false;
};
// Opens the dialog on path and notes what it lists; OK when it is enabled, else Cancel. A message
// box on the way (a file without icons) is noted in message.
INT_PTR Open(CChangeIconDlg& dialog, Seen& seen, std::string& message) {
    DialogRobot robot;
    auto note = [&](HWND window) {
        if (GetDlgItem(window, IDC_MESSAGE_TEXT)) return DialogRobot::NoteMessage(message)(window);
        HWND list = GetDlgItem(window, IDC_CI_LIST);
        seen.selected = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
        seen.count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        seen.lastNumber = static_cast<int>(SendMessageA(list, LB_GETITEMDATA, seen.count - 1, 0));
        if (message.empty() && seen.count == 0) return;  // the box about no icons comes next
        seen.fileFocused = GetFocus() == GetDlgItem(window, IDC_CI_FILE);
        DialogRobot::Press(IsWindowEnabled(GetDlgItem(window, IDOK)) ? IDOK : IDCANCEL)(window);
    };
    for (int dialogs = 0; dialogs < 3; ++dialogs) robot.Then(note);
    return dialog.DoModal();
}
}  // namespace

TEST(ChangeIconDlg, NoIndexChoosesNothingAnIndexPastTheEndIsKeptAndOnlyWhatIsSafeIsListed) {
    const std::string program = ProgramPath(), many = TheApp()->ModuleFolder() + "\\manyicons.dll";
    TemporaryFolder folder;
    // An icon file claiming 65535 images in 22 bytes: never handed to the system's loader.
    folder.Write("corrupt.ico", std::string("\0\0\1\0\xFF\xFF\x10\x10\0\0\1\0\x20\0\x68\4\0\0\x16\0\0\0", 22));
    const struct { std::string path; bool isIconPath; INT_PTR answer; int selected, count; const char* message; } cases[] = {
        {program, false, IDCANCEL, -1, 5, ""},          // a program path: nothing chosen
        {program + ",40", true, IDOK, -1, 5, ""},       // an index past the end is kept
        {folder.File("corrupt.ico"), true, IDCANCEL, -1, 0, "ciNoIconMsg"},
        {many + ",999", true, IDOK, 999, 1000, ""},     // the first thousand, by their own numbers
    };
    for (const auto& c : cases) {
        CChangeIconDlg dialog(nullptr, c.path, c.isIconPath);
        Seen seen;
        std::string message;
        EXPECT_EQ(c.answer, Open(dialog, seen, message)) << c.path;
        EXPECT_EQ(c.selected, seen.selected) << c.path;
        EXPECT_EQ(c.count, seen.count) << c.path;
        EXPECT_EQ(c.count - 1, c.count > 0 ? seen.lastNumber : -1) << c.path;  // the last listed by its own number
        EXPECT_EQ(*c.message ? GetText(c.message) : "", message) << c.path;
        EXPECT_TRUE(seen.fileFocused || !*c.message) << "no focus on the file after the box";
        EXPECT_EQ(c.answer == IDOK ? c.path : "", c.answer == IDOK ? dialog.IconPath() : "") << c.path;
    }
}
