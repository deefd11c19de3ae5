// Drives the real Velkator.exe from outside, as a person or the shell would, on the Wine test desktop.
// Every wait has a timeout and gives up with null/false; messages to the program use
// SendMessageTimeout and clicks are posted, so a hung or modal program never blocks the driver.
// Objects release what they made (process, folder, settings) in their destructors.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace e2e {

constexpr const char* kProgramExe = "Velkator.exe";
constexpr const char* kMainWindowClass = "QX:Velkator";
constexpr const char* kVelkatorKey = "Software\\Shareware\\Velkator";  // under HKEY_CURRENT_USER
constexpr const char* kOptionsKey = "Software\\Shareware\\Velkator\\Options";
constexpr const char* kShortcutsKey = "Software\\Shareware\\Velkator\\Shortcuts";
constexpr DWORD kTimeoutMs = 20000;  // generous: the machine is shared and has two cores

// Polls condition every pollMs until true, or false after timeoutMs (a zero timeout still checks once).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kTimeoutMs, DWORD pollMs = 20);
std::string DriverFolder();  // where velkator_e2e.exe and the built files are
bool ReadFileBytes(const std::string& path, std::string* content);
bool WriteFileBytes(const std::string& path, const std::string& content);
bool RemoveFolderTree(const std::string& folder);  // true when the folder is gone

// A fresh folder under %TEMP% with Velkator.exe, qxintl.dll, click.wav and the given files of the
// driver's folder, removed with all it holds; its name has a blank, so every path given to the shell
// needs quoting.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::vector<std::string>& files);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
    const std::string& Problem() const { return problem_; }  // empty when the folder is ready
    const std::string& Path() const { return path_; }
    std::string FilePath(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_, problem_;
};

// The Velkator process; killed when still running at the end (its tray icons then leave by themselves).
class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // Starts folder\Velkator.exe as the shell would (SW_SHOWNORMAL), in startIn (empty: its own folder).
    bool Start(const std::string& folder, const std::string& arguments = "", const std::string& startIn = "");
    DWORD Id() const { return processId_; }
    bool WaitForExit(DWORD timeoutMs = kTimeoutMs);
    bool WaitForIdle();  // start-up has finished, or it shows a dialog
    bool IsRunning() const;
    DWORD ExitCode() const;  // STILL_ACTIVE while running

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Starts Velkator once no tray icon of an earlier one is left, and waits for its hidden main window and
// for start-up to finish; the main window or null.
HWND StartVelkator(Program& program, const ProgramFolder& folder, const std::string& startIn = "");

// The first top-level window of the class (and title, unless null) of the process (0: any), waiting
// for one that is visible, or for any with visibleOnly false; null when none came in time.
HWND WaitForWindow(const char* className, const char* title, DWORD processId, bool visibleOnly = true,
                   DWORD timeoutMs = kTimeoutMs);
bool WaitForWindowGone(HWND window, DWORD timeoutMs = kTimeoutMs);
// A barrier for "nothing happened" checks: true once the window's thread has answered a sent message,
// which it does only after it has finished what it was handling (a DDE command, a button's command)
// or from inside a modal loop that handling started.
bool Answered(HWND window);
bool WaitForNoProcess(const std::string& exeName);  // a launched helper has written its line
// Ends a Velkator that a killed run left behind, which would turn every later start into a second copy.
void EndLeftoverVelkator();
// The process's visible top-level windows as "class \"title\"", for checks that read well on failure.
std::vector<std::string> VisibleWindows(DWORD processId);
std::string ControlText(HWND dialog, int id);
HWND FocusOf(HWND window);  // the focused control of the window's thread
// Posts BM_CLICK; refuses a hidden or disabled button, since Wine would click a disabled one.
bool ClickButton(HWND dialog, int id);
bool SetControlText(HWND dialog, int id, const std::string& text);
// Brings window to the front and types vk through SendInput (F1 only becomes WM_HELP that way); false
// when the window did not come to the front.
bool PressKey(HWND window, WORD vk);
// Sends WM_HELP for control to its dialog as F1 would; Wine draws no caption "?" button to do it.
bool SendHelpRequest(HWND control);
// Posts the keys to the open popup menu (their owner is hidden, so typed keys would not reach it).
bool SendMenuKeys(std::initializer_list<WORD> keys);
// A real right click on the k-th tray icon, then the keys in the menu it opens.
bool UseTrayMenu(const Program& program, int k, std::initializer_list<WORD> keys);
HWND CurrentPage(HWND sheet);  // the property sheet's page now showing
int PageCount(HWND sheet);
// Shows the sheet's page at index; its control id once that shows, or null.
HWND PageControl(HWND sheet, int index, int id);

enum class MouseButton { Left, Right };
// Clicks at a point through SendInput with the absolute position in each event (the pointer's own
// position lags under Wine); waits first when the last click on that spot could make a double click.
bool ClickAt(POINT point, MouseButton button);
bool DoubleClickAt(POINT point);
// Presses the left button at from, moves to to, runs whileHeld and releases the button there.
bool DragWithMouse(POINT from, POINT to, const std::function<void()>& whileHeld);
// The 20 x 20 cell of the k-th tray icon (k = 0 rightmost); Wine gives no icon rectangles.
RECT TrayIconCell(int k);
POINT Centre(const RECT& r);
RECT Bounds(HWND window, int margin = 0);
RECT WorkArea();  // the screen without the taskbar
// The full path of the module of that file name loaded in the process, or "".
std::string LoadedModule(DWORD processId, const char* fileName);

// Pixels as 0xRRGGBB, row by row from the top left.
struct Image {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const;  // 0xFFFFFFFF outside
};
Image CaptureScreen(const RECT& area);

// Icons of Velkator.exe in resource order.
enum ProgramIconIndex { kProgramIcon, kSeparatorIcon, kDialUpIcon, kDeskAccessIcon, kLockIcon };
using Icon = std::unique_ptr<std::remove_pointer<HICON>::type, decltype(&DestroyIcon)>;
Icon SmallIcon(const std::string& file, int index);  // 16 x 16, as the tray shows it
Icon QuestionMarkIcon();                             // what a source without icons shows
// Pixels of the k-th tray cell that differ from icon drawn as the taskbar draws it.
int TrayIconDifference(int k, HICON icon);
bool WaitForTrayIcon(int k, HICON icon, DWORD timeoutMs = kTimeoutMs);
bool WaitForEmptyTrayCell(int k, DWORD timeoutMs = kTimeoutMs);

bool KeyExists(const std::string& path, HKEY root = HKEY_CURRENT_USER);
// Refuses a path of one part, which could only be a mistake that wipes the test prefix.
bool DeleteKeyTree(const std::string& path, HKEY root = HKEY_CURRENT_USER);
std::string ReadString(const std::string& path, const char* name);  // "<missing>" unless REG_SZ
DWORD ReadDword(const std::string& path, const char* name);         // 0xFFFFFFFF unless REG_DWORD
bool WriteString(const std::string& path, const char* name, const std::string& value);
bool WriteDword(const std::string& path, const char* name, DWORD value);

// Removes Velkator's settings now and at the end; declare it before the folder and the program.
struct CleanSettings {
    CleanSettings() { DeleteKeyTree(kVelkatorKey); }
    ~CleanSettings() { DeleteKeyTree(kVelkatorKey); }
};
struct ShortcutSettings {  // fields left out stay empty
    std::string path = "", arguments = "", startup = "", iconPath = "";
    DWORD prompt = 0, style = 1;
};
// The "Installed" marker and the shortcut's own section; the order is written apart.
bool WriteShortcut(const std::string& name, const ShortcutSettings& settings);
inline bool WriteOrder(const std::string& order) { return WriteString(kShortcutsKey, "Order", order); }
inline std::string ReadOrder() { return ReadString(kShortcutsKey, "Order"); }
inline bool WaitForOrder(const std::string& order) { return WaitUntil([&] { return ReadOrder() == order; }); }

// What the program tests start from: no settings, a program folder with the given files, and the
// launch log that copies of the launch-log helper started by the program write to.
class ProgramTest : public ::testing::Test {
protected:
    explicit ProgramTest(const std::vector<std::string>& files) : folder_(files) {}
    void SetUp() override {
        ASSERT_EQ("", folder_.Problem());
        DeleteKeyTree("Software\\Wine\\AppDefaults\\Velkator.exe");  // libraries an earlier test chose
        ASSERT_TRUE(SetEnvironmentVariableA("VELKATOR_LAUNCH_LOG", log_.c_str()));  // handed down to the helper
    }
    void TearDown() override { SetEnvironmentVariableA("VELKATOR_LAUNCH_LOG", nullptr); }
    // The log's lines once it has at least count of them (at once for 0), or as many as came in time.
    std::vector<std::string> WaitForLaunches(size_t count);
    // The program's dialog of that title, or null when none came in time.
    HWND Dialog(const char* title) { return WaitForWindow("#32770", title, velkator_.Id()); }

    CleanSettings settings_;
    ProgramFolder folder_;
    const std::string helper_ = folder_.FilePath("launchlog.exe");
    const std::string log_ = folder_.FilePath("launch.log");
    Program velkator_;
};

}  // namespace e2e
