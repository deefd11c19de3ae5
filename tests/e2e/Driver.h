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
// A typical test:
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
    bool Contains(const std::string& name) const;
    bool RemoveFile(const std::string& name);

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
// The first child control whose text is exactly text (e.g. "&OK"); null when none.
HWND FindControlByText(HWND dialog, const std::string& text);
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
// Cancels every open popup menu and waits up to 2 s for them to close; true when none is left.
bool CloseMenus();

// ---------------------------------------------------------------------------------------------------
// Screenshots, written as 24-bit BMP into ArtifactsFolder() (the test script makes PNGs of them).
// name becomes the file name: characters other than letters, digits, '-', '_' and '.' become '_', and
// it is cut to 100 characters. Each returns the file written, or an empty string on failure.

std::string SaveScreenshot(const std::string& name);
// Just the window's rectangle as the screen shows it (clipped to the screen), so put it in front first.
std::string SaveWindowShot(HWND window, const std::string& name);

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

}  // namespace e2e
