// The end-to-end test driver: starts the real Velkator.exe (or a helper) in a folder of its own and
// drives it from outside the way a person or the shell would, under Wine on the test desktop.
//
// Rules that hold for every function here:
// - Every wait takes a timeout in milliseconds and gives up cleanly (null, false or empty) instead of
//   hanging; nothing here throws.
// - Messages sent to another process use SendMessageTimeout, so a hung or modal program cannot block
//   the driver; clicks are posted, because a click that opens a modal dialog would never return.
// - Handles and folders are owned by the objects that made them and released in their destructors, so
//   a failing test never leaves a program running or a folder behind.
// - velkator_e2e.exe has no other main(): Driver.cpp provides it. It runs GoogleTest with crash boxes
//   turned off (SEM_NOGPFAULTERRORBOX, inherited by every program started), so a crashing program ends
//   with its exception code instead of waiting behind a dialog nobody closes.
//
// A typical test (CleanSettings and StartVelkator below do the first and last steps for Velkator):
//   e2e::DeleteKeyTree(e2e::kVelkatorKey);               // start from no settings
//   e2e::ProgramFolder folder({"velko009.mlb"});
//   ASSERT_TRUE(folder.IsReady()) << folder.Problem();
//   e2e::Program velkator;                               // declared after the folder, so it ends first
//   ASSERT_TRUE(velkator.Start(folder.Path(), e2e::kProgramExe));
//   HWND dialog = e2e::WaitForDialog(nullptr, velkator.Id(), e2e::kDefaultTimeoutMs);
//   ASSERT_NE(nullptr, dialog);
//   e2e::SaveScreenshot("first-start");
//   EXPECT_TRUE(e2e::ClickButton(dialog, IDOK));
//   e2e::DeleteKeyTree(e2e::kVelkatorKey);               // leave nothing behind
// A killed program's tray icons leave the taskbar by themselves (measured under Wine 8), so icon
// positions in the next test do not depend on how the last one ended.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// ---------------------------------------------------------------------------------------------------
// What the program under test is called and where it keeps its settings.

constexpr const char* kProgramExe = "Velkator.exe";
constexpr const char* kLanguageDll = "qxintl.dll";
constexpr const char* kClickSound = "click.wav";
constexpr const char* kMainWindowClass = "QX:Velkator";  // the hidden main window
constexpr UINT kTrayCallbackMessage = WM_USER + 100;     // tray notifications to the main window
constexpr const char* kVelkatorKey = "Software\\Shareware\\Velkator";  // under HKEY_CURRENT_USER

// Default timeout for waits on another process; generous because the test machine is shared.
constexpr DWORD kDefaultTimeoutMs = 10000;

// ---------------------------------------------------------------------------------------------------
// Paths and waiting.

// Folder of the running velkator_e2e.exe (build\bin), without a trailing backslash.
std::string DriverFolder();

// Folder screenshots go to: <driver folder>\..\artifacts, full path, created when missing.
std::string ArtifactsFolder();

// Polls condition every pollMs until it returns true (true) or timeoutMs has passed (false). The
// condition is always tried once more at the deadline, so a zero timeout still checks once.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);

bool FileExists(const std::string& path);
// Reads a whole file as bytes; false when it cannot be opened or is over 64 MB.
bool ReadFileBytes(const std::string& path, std::string* content);

// ---------------------------------------------------------------------------------------------------
// A fresh folder under %TEMP% holding a copy of the program, for one test.

class ProgramFolder {
public:
    // Creates %TEMP%\velkator-e2e-<pid>-<n> and copies into it, from the driver's folder, Velkator.exe,
    // qxintl.dll and click.wav, plus the named language files (e.g. {"velko009.mlb"}; {} for none).
    // Check IsReady() before use.
    explicit ProgramFolder(const std::vector<std::string>& languageFiles);
    explicit ProgramFolder(std::initializer_list<std::string> languageFiles)
        : ProgramFolder(std::vector<std::string>(languageFiles)) {}
    ProgramFolder() : ProgramFolder(std::vector<std::string>()) {}
    // Removes the folder and everything in it (retrying briefly while a file is still in use).
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // True when the folder exists and every copy so far succeeded; Problem() says what failed.
    bool IsReady() const { return ready_; }
    const std::string& Problem() const { return problem_; }

    // Full path of the folder, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Full path of a file in the folder ("sub\\x.txt" is allowed).
    std::string FilePath(const std::string& name) const;

    // Copies a file from the driver's folder (a helper exe, another language file) under the same name.
    bool AddFromDriverFolder(const std::string& name);
    // Copies any file in under the given name.
    bool AddCopy(const std::string& sourcePath, const std::string& name);
    // Writes content to a file in the folder, replacing it (bytes as given: no line-end translation).
    bool AddTextFile(const std::string& name, const std::string& content);
    // Makes a subfolder.
    bool AddFolder(const std::string& name);

private:
    bool Fail(const std::string& what);
    std::string path_;
    std::string problem_;
    bool ready_ = false;
};

// ---------------------------------------------------------------------------------------------------
// A started process.

class Program {
public:
    // Exit code reported while nothing was started.
    static constexpr DWORD kNotStarted = 0xFFFFFFFF;

    Program() = default;
    // Kills the process if it still runs and waits for it to end.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Sets (or, with value null, removes) an environment variable for the process started next; the
    // rest of the driver's environment is passed on unchanged. Example: WINEDLLOVERRIDES for a seam.
    void SetEnvironment(const std::string& name, const char* value);

    // Starts folder\exeName with the argument string appended after the quoted exe path, with folder
    // as the working folder, the way the shell starts a program (STARTF_USESHOWWINDOW, showCommand).
    // False when a process was already started by this object or CreateProcessA fails.
    bool Start(const std::string& folder, const std::string& exeName, const std::string& arguments = "",
               int showCommand = SW_SHOWNORMAL);

    bool IsStarted() const { return process_ != nullptr; }
    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_; }
    // The command line that was passed to CreateProcessA.
    const std::string& CommandLine() const { return commandLine_; }

    // True once the process has ended (false while it runs or when nothing was started).
    bool WaitForExit(DWORD timeoutMs);
    // True once the process waits for input with an empty queue (WaitForInputIdle).
    bool WaitForIdle(DWORD timeoutMs);
    bool IsRunning() const;
    // The exit code once ended; STILL_ACTIVE (259) while running; kNotStarted before Start.
    DWORD ExitCode() const;
    // Terminates the process (exit code 1) if it runs and waits up to 5 s; true when it has ended.
    bool Kill();

private:
    struct EnvironmentChange {
        std::string name;
        std::string value;
        bool remove;
    };
    std::vector<char> EnvironmentBlock() const;
    std::vector<EnvironmentChange> environment_;
    std::string commandLine_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// ---------------------------------------------------------------------------------------------------
// Windows, dialogs and controls. className, title and caption match exactly (class names ignore case,
// as the system does); null matches any; processId 0 matches any process.

// Finds a top-level window, visible or hidden (message-only windows included); null when none.
HWND FindWindowOfProcess(const char* className, const char* title, DWORD processId);
// Waits until FindWindowOfProcess finds a window.
HWND WaitForWindow(const char* className, const char* title, DWORD processId, DWORD timeoutMs);
// All visible top-level windows of a process (any process for 0), in Z order.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);
// Waits for a visible dialog (class "#32770") with the caption; message boxes are such dialogs.
HWND WaitForDialog(const char* caption, DWORD processId, DWORD timeoutMs);
// Waits until the window no longer exists (true) or the timeout passes (false).
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
DWORD WindowProcessId(HWND window);

// A dialog's control by id; null when missing.
HWND Control(HWND dialog, int id);
// The control's text; empty when the control is missing or does not answer in time.
std::string ControlText(HWND dialog, int id);
// Visible means the control and all its parents are visible; a missing control is neither.
bool IsControlVisible(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
// Posts BM_CLICK to a visible, enabled control; false (and no click) for a missing, hidden or
// disabled one, which a person could not click either. The click is handled after this returns.
bool ClickButton(HWND dialog, int id);
// WM_SETTEXT (an edit control then sends EN_CHANGE to its dialog); true when the control took it.
bool SetControlText(HWND dialog, int id, const std::string& text);
// BM_GETCHECK is BST_CHECKED.
bool IsChecked(HWND dialog, int id);
// Posts WM_KEYDOWN and WM_KEYUP for vk (VK_RETURN, VK_ESCAPE, ...) to the control that has the
// keyboard focus in window's thread when that control lies in window, else to window itself; dialogs
// act on Enter and Escape through their message loop as for a real key press.
bool PostKey(HWND window, WORD vk);
// Brings window to the front and types vk through SendInput, as a real keyboard would (needed for keys
// that only the input system turns into messages, such as F1 giving WM_HELP).
bool PressKey(HWND window, WORD vk);

// ---------------------------------------------------------------------------------------------------
// Mouse and tray icons.

enum class MouseButton { Left, Right };
enum class Clicks { Single, Double };

// Centre of the k-th tray icon shown (k = 0 first, rightmost): (1014 - 20k, 758) on a 1024x768 desktop.
POINT TrayIconPoint(int k);
// The 20 x 20 cell of the k-th tray icon; the taskbar draws the 16 x 16 icon at (2, 2) inside it.
RECT TrayIconCell(int k);
// Centre of a window on the screen (a button a test clicks, for example).
POINT WindowCentre(HWND window);
// Moves the pointer (the program reads it with GetCursorPos when it opens a menu).
bool MoveMouse(int x, int y);
// Moves the pointer to (x, y), lets it settle, and presses and releases the button through SendInput
// with the position in each event (a bare button event after SetCursorPos was measured to land at the
// previous pointer position now and then under Wine). A double click is two such clicks 100 ms apart,
// well inside the double-click time; clicks on one spot closer than that time also merge, so wait
// GetDoubleClickTime() between separate clicks on the same icon.
bool ClickAt(int x, int y, MouseButton button, Clicks clicks = Clicks::Single);
bool ClickTrayIcon(int k, MouseButton button, Clicks clicks = Clicks::Single);

// ---------------------------------------------------------------------------------------------------
// Popup menus (the tray context menus). Their items cannot be read from another process under Wine.

// A visible popup menu window (class "#32768") of the process (0: any); null when none in time.
HWND WaitForPopupMenu(DWORD timeoutMs, DWORD processId = 0);
// Posts VK_DOWN downPresses times and then VK_RETURN to the open menu. The menu opens with no item
// selected, so 1 chooses the first item; the menu itself skips separators. False when no menu is open.
bool ChooseMenuItemByKeys(int downPresses);
// Posts the keys in order to the open menu, e.g. {VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN} selects the
// first item, opens its submenu and picks that submenu's last item (moving up wraps round).
// False when no menu is open.
bool SendMenuKeys(std::initializer_list<WORD> keys);
// Cancels every open popup menu and waits up to 2 s for them to close; true when none is left.
bool CloseMenus();

// ---------------------------------------------------------------------------------------------------
// Context help from outside.

// Sends WM_HELP for control to its parent dialog as the system does for F1 (HELPINFO_WINDOW, the
// control's id and handle, the cursor position); Wine marshals the HELPINFO to the other process.
// Wine draws no caption "?" button, so this is the nearest route to what that button sends.
bool SendHelpRequest(HWND control);

// ---------------------------------------------------------------------------------------------------
// Screenshots, written as 24-bit BMP into ArtifactsFolder() (the test script makes PNGs of them).
// name becomes the file name: characters other than letters, digits, '-', '_' and '.' become '_', and
// it is cut to 100 characters. Each returns the file written, or an empty string on failure.

std::string SaveScreenshot(const std::string& name);
// Just the window's rectangle as the screen shows it (clipped to the screen), so put it in front first.
std::string SaveWindowShot(HWND window, const std::string& name);
// Any rectangle of the screen (clipped to the screen).
std::string SaveScreenAreaShot(const RECT& area, const std::string& name);

// ---------------------------------------------------------------------------------------------------
// Pixels, for checks on what the screen shows.

// A picture, pixels as 0xRRGGBB row by row from the top left.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    bool IsEmpty() const { return pixels.empty(); }
    // 0xFFFFFFFF outside the picture.
    DWORD At(int x, int y) const;
};

// The screen inside area (clipped to the screen); empty on failure.
Image CaptureScreenArea(const RECT& area);
// A width x height picture of one background colour with icon drawn size x size at (x, y) (DrawIconEx,
// DI_NORMAL), which is how the taskbar and static controls draw icons.
Image DrawIconImage(HICON icon, int width, int height, int x, int y, int size, DWORD background);
// How many pixels differ; every pixel of the larger one when the sizes differ.
int CountDifferentPixels(const Image& a, const Image& b);
// True when every pixel has one colour, e.g. a taskbar cell without an icon.
bool IsUniform(const Image& image);
// How many pixels of shown differ from icon drawn at its full size at (x, y) over shown's top-left
// colour (icons leave their corners transparent). Compare candidates to see which icon is shown.
int IconDifference(const Image& shown, HICON icon, int x = 0, int y = 0);
// A 16 x 16 icon this process owns, for comparing with what the screen shows; destroyed with it.
class SmallIcon {
public:
    // The small icon at index of a file, as ExtractIconExA gives it (null when there is none).
    static SmallIcon FromFile(const std::string& file, int index);
    // The system question mark at 16 x 16, which Velkator shows for a source without icons.
    static SmallIcon QuestionMark();
    SmallIcon() = default;
    SmallIcon(SmallIcon&& other) noexcept : icon_(other.icon_) { other.icon_ = nullptr; }
    SmallIcon& operator=(SmallIcon&& other) noexcept;
    ~SmallIcon();
    SmallIcon(const SmallIcon&) = delete;
    SmallIcon& operator=(const SmallIcon&) = delete;
    HICON get() const { return icon_; }

private:
    explicit SmallIcon(HICON icon) : icon_(icon) {}
    HICON icon_ = nullptr;
};

// Which of the four message icons (IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK) an icon
// control shows: the one with the fewest differing pixels, provided they are under a tenth of the
// control. Waits up to timeoutMs for one to be drawn; null when none is that close by then or the
// control cannot be captured. Put its window in front.
LPCSTR ShownSystemIcon(HWND iconControl, DWORD timeoutMs = 2000);
// IconDifference for the k-th tray cell and its 16 x 16 icon.
int TrayIconDifference(int k, HICON icon);
// Waits until the k-th tray cell shows exactly icon (true) or the timeout passes (false).
bool WaitForTrayIcon(int k, HICON icon, DWORD timeoutMs);
// Waits until the k-th tray cell shows nothing but the taskbar's background.
bool WaitForEmptyTrayCell(int k, DWORD timeoutMs);

// ---------------------------------------------------------------------------------------------------
// Registry. path is relative to root (HKEY_CURRENT_USER unless given); name null or "" is the key's
// default value. Reads return false when the key or value is missing or the value has another type.

bool KeyExists(const std::string& path, HKEY root = HKEY_CURRENT_USER);
// Deletes the key with all its subkeys and values; true when it is gone afterwards (also when it never
// existed). Refuses (false) a path of fewer than two parts such as "" or "Software", which could only
// be a mistake in a test and would wipe the test prefix.
bool DeleteKeyTree(const std::string& path, HKEY root = HKEY_CURRENT_USER);
std::vector<std::string> SubKeyNames(const std::string& path, HKEY root = HKEY_CURRENT_USER);
std::vector<std::string> ValueNames(const std::string& path, HKEY root = HKEY_CURRENT_USER);
bool ValueExists(const std::string& path, const char* name, HKEY root = HKEY_CURRENT_USER);
bool ReadDword(const std::string& path, const char* name, DWORD* value, HKEY root = HKEY_CURRENT_USER);
// REG_SZ only; the value ends at its first zero, as for any C-string reader.
bool ReadString(const std::string& path, const char* name, std::string* value, HKEY root = HKEY_CURRENT_USER);
// Any type, the stored bytes exactly (e.g. to see that a string was written with its terminating zero).
bool ReadValueBytes(const std::string& path, const char* name, DWORD* type, std::string* bytes,
                    HKEY root = HKEY_CURRENT_USER);
// Create the key when missing.
bool WriteDword(const std::string& path, const char* name, DWORD value, HKEY root = HKEY_CURRENT_USER);
bool WriteString(const std::string& path, const char* name, const std::string& value,
                 HKEY root = HKEY_CURRENT_USER);

// ---------------------------------------------------------------------------------------------------
// Velkator's settings and texts.

constexpr const char* kOptionsKey = "Software\\Shareware\\Velkator\\Options";
constexpr const char* kShortcutsKey = "Software\\Shareware\\Velkator\\Shortcuts";

// Deletes Velkator's settings when made and again when it goes out of scope. Declare it before the
// ProgramFolder and the Program, so the program has ended before its settings go.
class CleanSettings {
public:
    CleanSettings() { DeleteKeyTree(kVelkatorKey); }
    ~CleanSettings() { DeleteKeyTree(kVelkatorKey); }
    CleanSettings(const CleanSettings&) = delete;
    CleanSettings& operator=(const CleanSettings&) = delete;
};

// One application shortcut as the registry holds it.
struct ShortcutSettings {
    std::string path;
    std::string arguments;
    std::string startup;
    std::string iconPath;
    DWORD prompt = 0;
    DWORD style = 1;
};
// Writes the "Installed" marker under Shortcuts and the shortcut's own section. The order is written
// on its own (WriteOrder), so a test can also store shortcuts that the order leaves out.
bool WriteShortcut(const std::string& name, const ShortcutSettings& settings);
bool WriteOrder(const std::string& order);
// Shortcuts\Order; "<missing>" when there is no such value, so a test can tell it from empty.
std::string ReadOrder();

// Waits for the program's hidden main window (class "QX:Velkator") in the process; null when none.
// The window exists while start-up still loads the shortcuts: see StartVelkator.
HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs);
// Starts Velkator.exe in folder and waits until its main window exists and the program waits for
// input, so start-up has finished (or shows a dialog); the main window, or null when it did not come.
HWND StartVelkator(Program& program, const ProgramFolder& folder, const std::string& arguments = "");

// A language file from the driver's folder, read as the language library reads it (key=text lines,
// comments, the escapes \n \t \r \s \\, the first entry of a key counts, UTF-8 turned into the ANSI
// code page), so tests compare what the program shows with the file's own texts.
class LanguageTexts {
public:
    explicit LanguageTexts(const std::string& fileName);
    bool IsLoaded() const { return !entries_.empty(); }
    bool Has(const std::string& key) const;
    // The text of key; empty when the key is missing.
    std::string Text(const std::string& key) const;
    // The text with %1 to %9 replaced by the arguments and %% by %; a placeholder without an argument
    // stays as written.
    std::string Format(const std::string& key, const std::vector<std::string>& arguments) const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace e2e
