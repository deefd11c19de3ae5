// Takes the pictures the help pages show: drives the real Velkator.exe on the Wine desktop through the
// end-to-end driver, as a person would, and writes each picture as a 24-bit BMP into the folder given.
//   help_pictures.exe OUTPUT_FOLDER
// Exits with 0 when every picture the guides show was written; says on stderr which ones were not and why.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <shlobj.h>

#include <cstdio>
#include <set>

using namespace e2e;

namespace {

const char* const kPictures[] = {"first-time-dialog", "tray-icons-closeup", "argument-prompt",
                                 "context-menu-closeup", "sheet-page-0", "change-icon", "order-drag",
                                 "dialup-menu", "desktop-menu", "sheet-page-2", "help-popup-f1", "about-box",
                                 "about-box-de"};
std::string outputFolder;
std::set<std::string> saved;

bool Fail(const char* picture, const std::string& why) {
    std::fprintf(stderr, "help-pictures: no %s: %s\n", picture, why.c_str());
    return false;
}

// Bottom-up rows of blue, green, red, each padded to four bytes.
bool WriteBmp(const std::string& path, const Image& image) {
    const size_t rowBytes = (static_cast<size_t>(image.width) * 3 + 3) & ~static_cast<size_t>(3);
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = image.width;
    info.biHeight = image.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = static_cast<DWORD>(header.bfOffBits + rowBytes * image.height);
    std::string file(reinterpret_cast<const char*>(&header), sizeof(header));
    file.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = image.height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < image.width; ++x) {
            const DWORD pixel = image.At(x, y);
            row[x * 3] = static_cast<char>(pixel & 0xFF);
            row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        file += row;
    }
    return WriteFileBytes(path, file);
}

// The area once two captures 80 ms apart agree and it is not one flat colour (a window not yet
// painted); an empty image when it never settles.
Image Settled(const RECT& area) {
    Image last, now;
    const bool settled = WaitUntil(
        [&] {
            now = CaptureScreen(area);
            bool flat = true;
            for (DWORD pixel : now.pixels) flat = flat && pixel == now.pixels.front();
            const bool same = !now.pixels.empty() && !flat && now.pixels == last.pixels;
            last = now;
            return same;
        },
        5000, 80);
    return settled ? now : Image();
}

// Pictures the area; a window given is brought to the front first, once it has finished appearing.
// Wine can leave the foreground window's caption drawn inactive, so it is told to draw it as it is.
bool Save(const char* picture, const RECT& area, HWND front = nullptr) {
    DWORD_PTR result = 0;
    if (front && !Settled(area).pixels.empty() && SetForegroundWindow(front) &&
        WaitUntil([front] { return GetForegroundWindow() == front; }, 1000))
        SendMessageTimeoutA(front, WM_NCACTIVATE, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &result);
    const Image image = Settled(area);
    if (image.pixels.empty()) return Fail(picture, "the screen did not settle");
    if (!WriteBmp(outputFolder + "\\" + picture + ".bmp", image)) return Fail(picture, "cannot write it");
    saved.insert(picture);
    return true;
}

RECT Union(const RECT& a, const RECT& b, int margin) {
    RECT both;
    UnionRect(&both, &a, &b);
    InflateRect(&both, margin, margin);
    return both;
}

std::string SystemFile(const char* name) {
    char folder[MAX_PATH] = "";
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

std::string WindowsFile(const char* name) {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

constexpr const char* kWineOverrides = "Software\\Wine\\AppDefaults\\Velkator.exe";
constexpr const char* kExplorerVerbs[] = {"Software\\Classes\\*\\shell\\zzVelkator",
                                          "Software\\Classes\\Directory\\shell\\zzVelkator"};
// Wine's desktop lists its root folder "/", which no Windows desktop has.
constexpr const char* kRootFolderItem =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\Namespace\\"
    "{9D20AAE8-0625-44B0-9CA7-71889C2254D9}";

// What the dial-up and desktop menus list: the stand-in Remote Access library in the system folder
// (the program loads it from there only) with a phonebook beside it, and a few desktop items, without
// Wine's root folder. All of it, and the Explorer verbs the program writes at start, is undone at the end.
class Stage {
public:
    Stage() : verbWasThere_(KeyExists(kExplorerVerbs[0])) {}
    ~Stage() {
        if (!library_.empty()) WriteFileBytes(SystemFile("rasapi32.dll"), library_);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, (std::string(kWineOverrides) + "\\DllOverrides").c_str(), "rasapi32");
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kWineOverrides) + "\\DllOverrides").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kWineOverrides);  // only when nothing else is in it
        for (auto made = made_.rbegin(); made != made_.rend(); ++made)
            if (!DeleteFileA(made->c_str())) RemoveDirectoryA(made->c_str());
        if (!verbWasThere_)
            for (const char* verb : kExplorerVerbs) DeleteKeyTree(verb);
        if (!rootFolderName_.empty())
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, kRootFolderItem, nullptr, REG_SZ, rootFolderName_.c_str(),
                            static_cast<DWORD>(rootFolderName_.size() + 1));
    }
    Stage(const Stage&) = delete;
    Stage& operator=(const Stage&) = delete;

    std::string Prepare() {
        const std::string standIn = DriverFolder() + "\\..\\tests\\RasApi32.dll";
        std::string original;
        if (!ReadFileBytes(SystemFile("rasapi32.dll"), &original)) return "cannot read the system's rasapi32.dll";
        if (!CopyFileA(standIn.c_str(), SystemFile("rasapi32.dll").c_str(), FALSE)) return "cannot copy " + standIn;
        library_ = original;
        if (!WriteString(std::string(kWineOverrides) + "\\DllOverrides", "rasapi32", "native,builtin"))
            return "cannot set the library override";
        if (!Make(SystemFile("phonebook.ini"), "[Phonebook]\r\nHome Office\r\nMy Provider\r\nTravel (Mobile)\r\n"))
            return "cannot write the phonebook";
        char name[MAX_PATH] = "";
        DWORD size = sizeof(name);
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kRootFolderItem, nullptr, RRF_RT_REG_SZ, nullptr, name, &size) ==
                ERROR_SUCCESS &&
            DeleteKeyTree(kRootFolderItem, HKEY_LOCAL_MACHINE))
            rootFolderName_ = name;
        char desktop[MAX_PATH] = "";
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)))
            return "no desktop folder";
        for (const char* name : {"Projects\\", "Photos\\", "Letter to the bank.txt", "Shopping list.txt",
                                 "Meeting notes.txt"})
            if (!Make(std::string(desktop) + "\\" + name, "Velkator help picture\r\n"))
                return std::string("cannot make ") + name + " on the desktop";
        return "";
    }

private:
    // A folder for a name ending in "\\", else a file; never touches one that was there.
    bool Make(const std::string& path, const std::string& content) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        const bool folder = path.back() == '\\';
        const std::string bare = folder ? path.substr(0, path.size() - 1) : path;
        if (folder ? !CreateDirectoryA(bare.c_str(), nullptr) : !WriteFileBytes(bare, content)) return false;
        made_.push_back(bare);
        return true;
    }

    bool verbWasThere_;
    std::string library_, rootFolderName_;
    std::vector<std::string> made_;
};

void FirstTimeDialog() {
    ProgramFolder folder({"velko009.mlb"});
    if (!folder.Problem().empty()) return void(Fail("first-time-dialog", folder.Problem()));
    Program velkator;
    HWND dialog = StartVelkator(velkator, folder) ? WaitForWindow("#32770", "Welcome to Velkator", velkator.Id())
                                                  : nullptr;
    if (!dialog) return void(Fail("first-time-dialog", "no first-time dialog"));
    Save("first-time-dialog", Bounds(dialog), dialog);
    PressKey(dialog, VK_ESCAPE);
    velkator.WaitForExit();
}

// The sheet's pages, Change Icon and a drag on the Order page, from the first icon's Properties.
void SettingsSheet(const Program& velkator) {
    if (!UseTrayMenu(velkator, 0, {VK_UP, VK_RETURN})) return void(Fail("sheet-page-0", "no icon menu"));
    HWND sheet = WaitForWindow("#32770", "Velkator Settings", velkator.Id());
    HWND page = sheet ? CurrentPage(sheet) : nullptr;
    if (!page) return void(Fail("sheet-page-0", "no settings sheet"));
    Save("sheet-page-0", Bounds(sheet), sheet);

    // The shell's library offers more icons to choose from than a program does.
    HWND icons = ClickButton(page, IDC_PPG_CHANGE_ICON) ? WaitForWindow("#32770", "Change Icon", velkator.Id())
                                                        : nullptr;
    HWND list = icons ? GetDlgItem(icons, IDC_CI_LIST) : nullptr;
    RECT cell = {0, 0, 0, 0};
    const bool listed = list && SetControlText(icons, IDC_CI_FILE, SystemFile("shell32.dll")) &&
                        PostMessageA(icons, WM_NEXTDLGCTL, 0, 0) &&
                        WaitUntil([list] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > 20; }) &&
                        SendMessageA(list, LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&cell)) != LB_ERR;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    if (!listed || !ClickAt(Centre(cell), MouseButton::Left) ||
        !WaitUntil([list] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 9; }))
        Fail("change-icon", "no icon to choose");
    else
        Save("change-icon", Bounds(icons));
    if (icons) {
        ClickButton(icons, IDCANCEL);
        WaitForWindowGone(icons);
    }

    HWND language = nullptr;
    if (PostMessageA(sheet, PSM_SETCURSEL, 2, 0) && WaitUntil([&] {
            return (language = GetDlgItem(CurrentPage(sheet), IDC_OPG_LANGUAGE)) && IsWindowVisible(language);
        }))
        Save("sheet-page-2", Bounds(sheet), sheet);
    else
        Fail("sheet-page-2", "the Options page did not show");

    // The third entry dragged to the top with the mouse, pictured while the button is held.
    HWND order = nullptr;
    if (!PostMessageA(sheet, PSM_SETCURSEL, 1, 0) ||
        !WaitUntil([&] { return (order = GetDlgItem(CurrentPage(sheet), IDC_RPG_LIST)) && IsWindowVisible(order); }))
        return void(Fail("order-drag", "the Order page did not show"));
    SetForegroundWindow(sheet);
    const LONG height = static_cast<LONG>(SendMessageA(order, LB_GETITEMHEIGHT, 0, 0));
    const RECT box = Bounds(order), arrowArea = {box.left - 20, box.top, box.left, box.bottom};
    Settled(Bounds(sheet));  // the page drawn, so the arrow's place shows its plain background
    const Image before = CaptureScreen(arrowArea);
    bool marked = false;
    DragWithMouse({box.left + 30, box.top + height * 5 / 2}, {box.left + 30, box.top + height / 2}, [&] {
        marked = WaitUntil([&] { return CaptureScreen(arrowArea).pixels != before.pixels; }, 3000, 50);
        if (marked) Save("order-drag", Bounds(sheet));
    });
    if (!marked) Fail("order-drag", "no insertion arrow beside the list");
    ClickButton(sheet, IDCANCEL);
    WaitForWindowGone(sheet);
}

// The help tip that F1 opens on the focused Yes of the Exit question; No keeps the program.
void ExitQuestionHelp(const Program& velkator) {
    if (!UseTrayMenu(velkator, 0, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}))
        return void(Fail("help-popup-f1", "no icon menu"));
    HWND box = WaitForWindow("#32770", "Exit Velkator", velkator.Id());
    HWND yes = box ? GetDlgItem(box, IDOK) : nullptr;
    if (!yes || !WaitUntil([yes] { return IsWindowVisible(yes) != FALSE; }))
        return void(Fail("help-popup-f1", "no Exit question"));
    HWND popup = PressKey(box, VK_F1) ? WaitForWindow("Velkator:HelpWnd", nullptr, velkator.Id()) : nullptr;
    if (!popup) Fail("help-popup-f1", "F1 opened no help tip");
    else Save("help-popup-f1", Union(Bounds(box), Bounds(popup), 12));
    if (popup) {
        PressKey(popup, VK_ESCAPE);
        WaitForWindowGone(popup);
    }
    ClickButton(box, IDCANCEL);
    WaitForWindowGone(box);
}

// An entry menu as a left click on the k-th icon opens it, with the icon below it; Escape closes it.
void EntryMenu(const Program& velkator, int k, const char* picture) {
    HWND menu = ClickAt(Centre(TrayIconCell(k)), MouseButton::Left)
                    ? WaitForWindow("#32768", nullptr, velkator.Id()) : nullptr;
    if (!menu) return void(Fail(picture, "the icon's menu did not open"));
    Save(picture, Union(Bounds(menu), TrayIconCell(k), 8));
    SendMenuKeys({VK_ESCAPE});
    WaitForWindowGone(menu);
}

void ShortcutPictures() {
    const std::string editor = WindowsFile("notepad.exe"), registry = WindowsFile("regedit.exe"),
                      mines = SystemFile("winemine.exe");
    ShortcutSettings text = {editor, "", "C:\\users\\Public\\Documents"};
    text.prompt = 1;
    if (!WriteShortcut("Text Editor", text) || !WriteShortcut("Registry Editor", {registry}) ||
        !WriteShortcut("Mines", {mines}) ||
        !WriteOrder("Text Editor|Registry Editor|Mines|Separator|Dial-Up Networking|DeskAccess|"))
        return void(Fail("tray-icons-closeup", "cannot write the shortcuts"));
    ProgramFolder folder({"velko009.mlb"});
    if (!folder.Problem().empty()) return void(Fail("tray-icons-closeup", folder.Problem()));
    Program velkator;
    HWND main = StartVelkator(velkator, folder);
    if (!main) return void(Fail("tray-icons-closeup", "the program did not start"));

    const std::string program = folder.FilePath(kProgramExe);
    Icon shown[] = {SmallIcon(editor, 0), SmallIcon(registry, 0), SmallIcon(mines, 0),
                    SmallIcon(program, kSeparatorIcon), SmallIcon(program, kDialUpIcon),
                    SmallIcon(program, kDeskAccessIcon)};
    const int count = static_cast<int>(sizeof shown / sizeof shown[0]);
    bool drawn = true;
    for (int k = 0; k < count; ++k) drawn = drawn && WaitForTrayIcon(k, shown[k].get());
    const RECT first = TrayIconCell(0), last = TrayIconCell(count - 1);
    if (!drawn) Fail("tray-icons-closeup", "the icons were not drawn");
    else Save("tray-icons-closeup", {last.left - 4, first.top, first.right, first.bottom});

    HWND menu = ClickAt(Centre(TrayIconCell(0)), MouseButton::Right)
                    ? WaitForWindow("#32768", nullptr, velkator.Id()) : nullptr;
    if (!menu) Fail("context-menu-closeup", "no icon menu");
    else Save("context-menu-closeup", Bounds(menu));
    SendMenuKeys({VK_ESCAPE});
    WaitForWindowGone(menu);

    EntryMenu(velkator, 4, "dialup-menu");
    EntryMenu(velkator, 5, "desktop-menu");

    HWND about = PostMessageA(main, WM_COMMAND, ID_ABOUT, 0) ? WaitForWindow("#32770", nullptr, velkator.Id())
                                                              : nullptr;
    if (!about) Fail("about-box", "no About box");
    else Save("about-box", Bounds(about), about);
    if (about) {
        ClickButton(about, IDOK);
        WaitForWindowGone(about);
    }

    SettingsSheet(velkator);
    ExitQuestionHelp(velkator);

    // Last, since either answer starts the program: the process ends with the prompt still open.
    HWND prompt = ClickAt(Centre(TrayIconCell(0)), MouseButton::Left)
                      ? WaitForWindow("#32770", "Start with Arguments", velkator.Id()) : nullptr;
    if (!prompt || !SetControlText(prompt, IDC_ARGUMENTS_EDIT, "Shopping list.txt"))
        Fail("argument-prompt", "no prompt for arguments");
    else
        Save("argument-prompt", Bounds(prompt), prompt);
}

// The German guide shows the About box in its own language.
void GermanAboutBox() {
    ProgramFolder folder({"velko007.mlb"});
    if (!folder.Problem().empty()) return void(Fail("about-box-de", folder.Problem()));
    Program velkator;
    HWND main = WriteOrder("Separator|") && WriteDword(kOptionsKey, "Language", 7) ? StartVelkator(velkator, folder)
                                                                                    : nullptr;
    HWND about = main && PostMessageA(main, WM_COMMAND, ID_ABOUT, 0)
                     ? WaitForWindow("#32770", nullptr, velkator.Id()) : nullptr;
    if (!about) return void(Fail("about-box-de", "no About box"));
    Save("about-box-de", Bounds(about), about);
    ClickButton(about, IDOK);
    WaitForWindowGone(about);
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc != 2) {
        std::fprintf(stderr, "usage: help_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    outputFolder = argv[1];
    CreateDirectoryA(outputFolder.c_str(), nullptr);
    EndLeftoverVelkator();
    {
        CleanSettings settings;
        Stage stage;
        const std::string problem = stage.Prepare();
        if (!problem.empty()) {
            std::fprintf(stderr, "help-pictures: %s\n", problem.c_str());
            return 1;
        }
        FirstTimeDialog();
        ShortcutPictures();
        GermanAboutBox();
    }
    std::string missing;
    for (const char* picture : kPictures)
        if (!saved.count(picture)) missing += std::string(" ") + picture;
    std::printf("help-pictures: %d of %d pictures in %s\n", static_cast<int>(saved.size()),
                static_cast<int>(sizeof kPictures / sizeof kPictures[0]), outputFolder.c_str());
    if (!missing.empty()) std::fprintf(stderr, "help-pictures: missing:%s\n", missing.c_str());
    return missing.empty() ? 0 : 1;
}
