// Tests of the driver itself, against programs and windows these tests control: when one of these
// fails, the driver is broken, not the program.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

namespace e2e {
namespace {

constexpr const char* kHelperExe = "dialoghelper.exe";
constexpr const char* kHelperCaption = "Driver Helper";
constexpr const char* kTestKey = "Software\\VelkatorDriverTest";
constexpr int kMessageBoxTextId = 65535;

bool HelperBuilt() { return FileExists(DriverFolder() + "\\" + kHelperExe); }

// Starts the helper from the driver's folder and waits for its message box.
HWND StartHelperBox(Program& helper) {
    if (!helper.Start(DriverFolder(), kHelperExe)) return nullptr;
    return WaitForDialog(kHelperCaption, helper.Id(), kDefaultTimeoutMs);
}

// --- reading the BMP files the driver writes ---------------------------------------------------

struct Bitmap {
    std::string bytes;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    DWORD pixelOffset = 0;
};

template <typename T>
T ReadAt(const std::string& bytes, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

bool ReadBitmapFile(const std::string& path, Bitmap* bitmap) {
    if (!ReadFileBytes(path, &bitmap->bytes) || bitmap->bytes.size() < 54 || bitmap->bytes.compare(0, 2, "BM") != 0)
        return false;
    bitmap->pixelOffset = ReadAt<DWORD>(bitmap->bytes, 10);
    bitmap->width = ReadAt<LONG>(bitmap->bytes, 18);
    bitmap->height = ReadAt<LONG>(bitmap->bytes, 22);
    bitmap->bitsPerPixel = ReadAt<WORD>(bitmap->bytes, 28);
    return true;
}

// The colour at (x, y) counted from the top left, as 0xRRGGBB.
DWORD PixelAt(const Bitmap& bitmap, int x, int y) {
    const size_t stride = (static_cast<size_t>(bitmap.width) * 3 + 3) & ~size_t(3);
    const size_t offset = bitmap.pixelOffset + stride * (bitmap.height - 1 - y) + static_cast<size_t>(x) * 3;
    if (offset + 3 > bitmap.bytes.size()) return 0xFFFFFFFF;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bitmap.bytes.data() + offset);
    return (DWORD(p[2]) << 16) | (DWORD(p[1]) << 8) | p[0];
}

size_t ExpectedBmpSize(int width, int height) {
    return 54 + ((static_cast<size_t>(width) * 3 + 3) & ~size_t(3)) * height;
}

// --- a window of this process, on its own thread, standing in for the program -------------------
// It owns two tray icons (solid red with id 1, then solid blue with id 2), records their callbacks,
// opens a popup menu when asked, and holds a check box and an edit box.

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kOpenMenuMessage = WM_APP + 2;
constexpr int kCheckBoxId = 10;
constexpr int kEditId = 11;
constexpr UINT kNoCommandYet = 0xFFFFFFFF;

class StandInWindow {
public:
    StandInWindow() {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this] { Run(); });
        WaitForSingleObject(ready_, 10000);
    }
    ~StandInWindow() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(ready_);
    }

    HWND Window() const { return window_; }
    bool HasIcons() const { return iconsAdded_; }

    // Tray callbacks for one icon, without pointer moves.
    std::vector<UINT> MouseMessages(UINT iconId) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<UINT> messages;
        for (const auto& event : trayEvents_)
            if (event.first == iconId && event.second != WM_MOUSEMOVE) messages.push_back(event.second);
        return messages;
    }
    void ForgetMouseMessages() {
        std::lock_guard<std::mutex> lock(mutex_);
        trayEvents_.clear();
    }
    UINT ChosenCommand() {
        std::lock_guard<std::mutex> lock(mutex_);
        return chosenCommand_;
    }
    void OpenMenu() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            chosenCommand_ = kNoCommandYet;
        }
        PostMessageA(window_, kOpenMenuMessage, 0, 0);
    }
    int EditChanges() {
        std::lock_guard<std::mutex> lock(mutex_);
        return editChanges_;
    }

private:
    static HICON SolidIcon(COLORREF colour) {
        HDC screen = GetDC(nullptr);
        HBITMAP colourBitmap = CreateCompatibleBitmap(screen, 16, 16);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, colourBitmap);
        RECT all = {0, 0, 16, 16};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        BYTE opaque[32] = {};  // an all-zero mask shows every colour pixel
        HBITMAP mask = CreateBitmap(16, 16, 1, 1, opaque);
        ICONINFO info = {TRUE, 0, 0, mask, colourBitmap};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(mask);
        DeleteObject(colourBitmap);
        return icon;
    }

    bool ChangeIcon(DWORD operation, UINT id, HICON icon) {
        NOTIFYICONDATAA data = {};
        data.cbSize = sizeof(data);
        data.hWnd = window_;
        data.uID = id;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kTrayMessage;
        data.hIcon = icon;
        lstrcpynA(data.szTip, "Driver self test", sizeof(data.szTip));
        return Shell_NotifyIconA(operation, &data) != FALSE;
    }

    void ShowMenu() {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 101, "First");
        AppendMenuA(menu, MF_STRING, 102, "Second");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, 103, "Third");
        POINT at = {400, 300};
        SetForegroundWindow(window_);
        UINT command = static_cast<UINT>(
            TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, window_, nullptr));
        DestroyMenu(menu);
        std::lock_guard<std::mutex> lock(mutex_);
        chosenCommand_ = command;
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case kTrayMessage: {
            std::lock_guard<std::mutex> lock(mutex_);
            trayEvents_.emplace_back(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
            return 0;
        }
        case kOpenMenuMessage:
            ShowMenu();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) {
                std::lock_guard<std::mutex> lock(mutex_);
                ++editChanges_;
            }
            return 0;
        case WM_DESTROY:
            ChangeIcon(NIM_DELETE, 1, nullptr);
            ChangeIcon(NIM_DELETE, 2, nullptr);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
        }
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<StandInWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->window_ = window;
        }
        auto* self = reinterpret_cast<StandInWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
    }

    void Run() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "DriverSelfTestWindow";
        RegisterClassA(&windowClass);
        CreateWindowExA(0, windowClass.lpszClassName, "Driver self test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                        nullptr, nullptr, windowClass.hInstance, this);
        if (window_) {
            CreateWindowExA(0, "BUTTON", "Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 100, 20, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckBoxId)), windowClass.hInstance, nullptr);
            CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 200, 20, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), windowClass.hInstance, nullptr);
            HICON red = SolidIcon(RGB(255, 0, 0));
            HICON blue = SolidIcon(RGB(0, 0, 255));
            iconsAdded_ = ChangeIcon(NIM_ADD, 1, red) && ChangeIcon(NIM_ADD, 2, blue);
            DestroyIcon(red);
            DestroyIcon(blue);
        }
        SetEvent(ready_);
        if (!window_) return;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    HANDLE ready_ = nullptr;
    std::thread thread_;
    HWND window_ = nullptr;
    bool iconsAdded_ = false;
    std::mutex mutex_;
    std::vector<std::pair<UINT, UINT>> trayEvents_;
    UINT chosenCommand_ = kNoCommandYet;
    int editChanges_ = 0;
};

// Clicks on the same spot closer together than this would merge into a double click.
void LetDoubleClickTimePass() { Sleep(GetDoubleClickTime() + 100); }

// ---------------------------------------------------------------------------------------------------

TEST(DriverSelfTest, ProgramFolderCopiesTheProgramAndRemovesEverythingAfterwards) {
    std::string path;
    {
        ProgramFolder folder({"velko009.mlb"});
        ASSERT_TRUE(folder.IsReady()) << folder.Problem();
        path = folder.Path();
        char temp[MAX_PATH + 1];
        GetTempPathA(sizeof(temp), temp);
        EXPECT_EQ(0, path.compare(0, std::strlen(temp), temp)) << path;

        for (const char* name : {kProgramExe, kLanguageDll, kClickSound, "velko009.mlb"}) {
            std::string copy, original;
            ASSERT_TRUE(ReadFileBytes(folder.FilePath(name), &copy)) << name;
            ASSERT_TRUE(ReadFileBytes(DriverFolder() + "\\" + name, &original)) << name;
            EXPECT_TRUE(copy == original) << name << " differs from the driver folder's";
        }
        EXPECT_FALSE(folder.Contains("velko007.mlb"));

        ProgramFolder second({});
        ASSERT_TRUE(second.IsReady()) << second.Problem();
        EXPECT_NE(path, second.Path());
        EXPECT_FALSE(second.Contains("velko009.mlb"));

        ASSERT_TRUE(folder.AddFolder("sub"));
        ASSERT_TRUE(folder.AddTextFile("sub\\note.txt", "line one\r\nline two"));
        std::string text;
        ASSERT_TRUE(ReadFileBytes(folder.FilePath("sub\\note.txt"), &text));
        EXPECT_EQ("line one\r\nline two", text);
        EXPECT_TRUE(folder.RemoveFile(kClickSound));
        EXPECT_FALSE(folder.Contains(kClickSound));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str())) << path << " was left behind";
}

TEST(DriverSelfTest, ProgramFolderReportsMissingFilesAndKeepsNamesInside) {
    ProgramFolder folder({"velko123.mlb"});
    EXPECT_FALSE(folder.IsReady());
    EXPECT_NE(std::string::npos, folder.Problem().find("velko123.mlb")) << folder.Problem();
    EXPECT_TRUE(folder.Contains(kProgramExe));  // the files that exist were still copied

    ProgramFolder clean({});
    ASSERT_TRUE(clean.IsReady()) << clean.Problem();
    EXPECT_FALSE(clean.AddTextFile("..\\escaped.txt", "x"));
    EXPECT_FALSE(clean.AddTextFile("C:\\escaped.txt", "x"));
    EXPECT_FALSE(clean.AddTextFile("\\escaped.txt", "x"));
    EXPECT_FALSE(clean.IsReady());
}

TEST(DriverSelfTest, ProgramReportsExitCodeArgumentsEnvironmentAndWorkingFolder) {
    ASSERT_TRUE(HelperBuilt()) << "build the dialoghelper target";
    Program quick;
    EXPECT_EQ(Program::kNotStarted, quick.ExitCode());
    EXPECT_FALSE(quick.WaitForExit(0));
    ASSERT_TRUE(quick.Start(DriverFolder(), kHelperExe, "exit 7"));
    EXPECT_FALSE(quick.Start(DriverFolder(), kHelperExe, "exit 8")) << "one process per Program";
    ASSERT_TRUE(quick.WaitForExit(kDefaultTimeoutMs));
    EXPECT_FALSE(quick.IsRunning());
    EXPECT_EQ(7u, quick.ExitCode());

    Program missing;
    EXPECT_FALSE(missing.Start(DriverFolder(), "no-such-program.exe"));
    EXPECT_FALSE(missing.IsStarted());

    // The helper looks for a file relative to its working folder, which must be the program folder.
    ProgramFolder folder({"velko009.mlb"});
    ASSERT_TRUE(folder.AddFromDriverFolder(kHelperExe)) << folder.Problem();
    Program finder;
    ASSERT_TRUE(finder.Start(folder.Path(), kHelperExe, "file velko009.mlb"));
    ASSERT_TRUE(finder.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(0u, finder.ExitCode());

    // A quoted argument with a space arrives as one argument; a variable set for it arrives too.
    Program withVariable;
    withVariable.SetEnvironment("VELKATOR_DRIVER_TEST", "two words");
    ASSERT_TRUE(withVariable.Start(DriverFolder(), kHelperExe, "env VELKATOR_DRIVER_TEST \"two words\""));
    ASSERT_TRUE(withVariable.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(0u, withVariable.ExitCode());

    SetEnvironmentVariableA("VELKATOR_DRIVER_TEST", "inherited");
    Program withoutVariable;
    withoutVariable.SetEnvironment("VELKATOR_DRIVER_TEST", nullptr);
    ASSERT_TRUE(withoutVariable.Start(DriverFolder(), kHelperExe, "env VELKATOR_DRIVER_TEST inherited"));
    ASSERT_TRUE(withoutVariable.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(2u, withoutVariable.ExitCode()) << "the variable should have been removed";
    SetEnvironmentVariableA("VELKATOR_DRIVER_TEST", nullptr);
}

TEST(DriverSelfTest, KillAndDestructorEndARunningProgram) {
    ASSERT_TRUE(HelperBuilt()) << "build the dialoghelper target";
    Program killed;
    HWND box = StartHelperBox(killed);
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(killed.IsRunning());
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), killed.ExitCode());
    EXPECT_FALSE(killed.WaitForExit(100));
    EXPECT_TRUE(killed.Kill());
    EXPECT_FALSE(killed.IsRunning());
    EXPECT_EQ(1u, killed.ExitCode());
    EXPECT_TRUE(WaitForWindowGone(box, kDefaultTimeoutMs));

    HANDLE watch = nullptr;
    {
        Program forgotten;
        ASSERT_NE(nullptr, StartHelperBox(forgotten));
        watch = OpenProcess(SYNCHRONIZE, FALSE, forgotten.Id());
        ASSERT_NE(nullptr, watch);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(watch, 0)) << "the destructor left the program running";
    CloseHandle(watch);
}

TEST(DriverSelfTest, FindsTheMessageBoxAndReadsAndChangesItsControls) {
    ASSERT_TRUE(HelperBuilt()) << "build the dialoghelper target";
    Program helper;
    HWND box = StartHelperBox(helper);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(box, FindWindowOfProcess("#32770", kHelperCaption, helper.Id()));
    EXPECT_EQ(nullptr, FindWindowOfProcess("#32770", kHelperCaption, GetCurrentProcessId()));
    EXPECT_EQ(nullptr, FindWindowOfProcess("#32770", "Driver", helper.Id())) << "titles match whole";
    std::vector<HWND> shown = VisibleTopLevelWindows(helper.Id());
    EXPECT_NE(shown.end(), std::find(shown.begin(), shown.end(), box));
    EXPECT_EQ(kHelperCaption, WindowText(box));
    EXPECT_EQ(helper.Id(), WindowProcessId(box));

    const ULONGLONG before = GetTickCount64();
    EXPECT_EQ(nullptr, WaitForDialog("Some other caption", helper.Id(), 300));
    EXPECT_LT(GetTickCount64() - before, 3000u) << "a wait overran its timeout";

    EXPECT_EQ("Press a button.", ControlText(box, kMessageBoxTextId));
    EXPECT_TRUE(SetControlText(box, kMessageBoxTextId, "Changed from outside"));
    EXPECT_EQ("Changed from outside", ControlText(box, kMessageBoxTextId));
    EXPECT_EQ(Control(box, IDCANCEL), FindControlByText(box, "Cancel"));
    EXPECT_EQ("", ControlText(box, 999));
    EXPECT_FALSE(IsChecked(box, IDOK));

    const std::string shot = SaveWindowShot(box, "driver-selftest-dialog");
    ASSERT_FALSE(shot.empty());
    Bitmap bitmap;
    ASSERT_TRUE(ReadBitmapFile(shot, &bitmap));
    RECT bounds;
    GetWindowRect(box, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, bitmap.width);
    EXPECT_EQ(bounds.bottom - bounds.top, bitmap.height);
    DeleteFileA(shot.c_str());

    EXPECT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(helper.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(static_cast<DWORD>(IDOK), helper.ExitCode());
}

TEST(DriverSelfTest, ClickButtonRefusesDisabledHiddenAndMissingButtons) {
    ASSERT_TRUE(HelperBuilt()) << "build the dialoghelper target";
    Program helper;
    HWND box = StartHelperBox(helper);
    ASSERT_NE(nullptr, box);

    EnableWindow(Control(box, IDOK), FALSE);
    EXPECT_FALSE(IsControlEnabled(box, IDOK));
    EXPECT_FALSE(ClickButton(box, IDOK));
    ShowWindow(Control(box, IDCANCEL), SW_HIDE);
    EXPECT_FALSE(IsControlVisible(box, IDCANCEL));
    EXPECT_FALSE(ClickButton(box, IDCANCEL));
    EXPECT_FALSE(ClickButton(box, 999));
    EXPECT_FALSE(IsControlVisible(box, 999));
    EXPECT_FALSE(IsControlEnabled(box, 999));
    EXPECT_FALSE(helper.WaitForExit(500)) << "a refused click still reached the box";

    ShowWindow(Control(box, IDCANCEL), SW_SHOW);
    EXPECT_TRUE(IsControlVisible(box, IDCANCEL));
    EXPECT_TRUE(ClickButton(box, IDCANCEL));
    ASSERT_TRUE(helper.WaitForExit(kDefaultTimeoutMs));
    EXPECT_EQ(static_cast<DWORD>(IDCANCEL), helper.ExitCode());
}

TEST(DriverSelfTest, KeysReachTheDialog) {
    ASSERT_TRUE(HelperBuilt()) << "build the dialoghelper target";
    struct Case {
        bool typed;
        WORD key;
        int button;
    } cases[] = {{false, VK_ESCAPE, IDCANCEL}, {false, VK_RETURN, IDOK}, {true, VK_ESCAPE, IDCANCEL},
                 {true, VK_RETURN, IDOK}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed ? "PressKey " : "PostKey ") + (c.key == VK_ESCAPE ? "Escape" : "Enter"));
        Program helper;
        HWND box = StartHelperBox(helper);
        ASSERT_NE(nullptr, box);
        EXPECT_TRUE(c.typed ? PressKey(box, c.key) : PostKey(box, c.key));
        ASSERT_TRUE(helper.WaitForExit(kDefaultTimeoutMs));
        EXPECT_EQ(static_cast<DWORD>(c.button), helper.ExitCode());
    }
}

TEST(DriverSelfTest, FindsHiddenWindowsAndReadsControlsOfThisProcess) {
    StandInWindow stand;
    ASSERT_NE(nullptr, stand.Window());
    EXPECT_EQ(stand.Window(), FindWindowOfProcess("DriverSelfTestWindow", nullptr, GetCurrentProcessId()));
    EXPECT_EQ(stand.Window(), FindWindowOfProcess("driverselftestwindow", "Driver self test", 0));
    EXPECT_EQ(stand.Window(), WaitForWindow("DriverSelfTestWindow", nullptr, 0, 100));
    std::vector<HWND> shown = VisibleTopLevelWindows(GetCurrentProcessId());
    EXPECT_EQ(shown.end(), std::find(shown.begin(), shown.end(), stand.Window())) << "the window is hidden";

    EXPECT_FALSE(IsChecked(stand.Window(), kCheckBoxId));
    SendMessageA(Control(stand.Window(), kCheckBoxId), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(IsChecked(stand.Window(), kCheckBoxId));
    EXPECT_TRUE(SetControlText(stand.Window(), kEditId, "typed"));
    EXPECT_EQ("typed", ControlText(stand.Window(), kEditId));
    EXPECT_EQ(1, stand.EditChanges());
    EXPECT_FALSE(SetControlText(stand.Window(), 999, "x"));
}

TEST(DriverSelfTest, TrayClicksReachTheIconAtTheComputedPlace) {
    StandInWindow stand;
    ASSERT_TRUE(stand.HasIcons());
    Sleep(300);  // let the taskbar lay the icons out

    // A screenshot shows the taskbar: the first icon added (red) is rightmost, the blue one left of it.
    const std::string shot = SaveScreenshot("driver-selftest-tray");
    ASSERT_FALSE(shot.empty());
    Bitmap bitmap;
    ASSERT_TRUE(ReadBitmapFile(shot, &bitmap));
    EXPECT_EQ(0xFF0000u, PixelAt(bitmap, TrayIconPoint(0).x, TrayIconPoint(0).y));
    EXPECT_EQ(0x0000FFu, PixelAt(bitmap, TrayIconPoint(1).x, TrayIconPoint(1).y));

    ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left));
    EXPECT_TRUE(WaitUntil([&] { return stand.MouseMessages(1).size() >= 2; }, kDefaultTimeoutMs));
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}), stand.MouseMessages(1));
    EXPECT_TRUE(stand.MouseMessages(2).empty());
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(TrayIconPoint(0).x, cursor.x);
    EXPECT_EQ(TrayIconPoint(0).y, cursor.y);

    LetDoubleClickTimePass();
    stand.ForgetMouseMessages();
    ASSERT_TRUE(ClickTrayIcon(1, MouseButton::Right));
    EXPECT_TRUE(WaitUntil([&] { return stand.MouseMessages(2).size() >= 2; }, kDefaultTimeoutMs));
    EXPECT_EQ((std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}), stand.MouseMessages(2));
    EXPECT_TRUE(stand.MouseMessages(1).empty()) << ::testing::PrintToString(stand.MouseMessages(1));

    LetDoubleClickTimePass();
    stand.ForgetMouseMessages();
    ASSERT_TRUE(ClickTrayIcon(0, MouseButton::Left, Clicks::Double));
    EXPECT_TRUE(WaitUntil([&] { return stand.MouseMessages(1).size() >= 4; }, kDefaultTimeoutMs));
    EXPECT_EQ((std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}),
              stand.MouseMessages(1));

    ASSERT_TRUE(MoveMouse(200, 100));
    GetCursorPos(&cursor);
    EXPECT_EQ(200, cursor.x);
    EXPECT_EQ(100, cursor.y);
}

TEST(DriverSelfTest, ChoosesMenuItemsByKeysAndClosesMenus) {
    StandInWindow stand;
    ASSERT_NE(nullptr, stand.Window());
    EXPECT_FALSE(ChooseMenuItemByKeys(1)) << "no menu is open";

    // 1 press picks the first item; the separator after "Second" is skipped, so 3 presses pick "Third".
    const std::pair<int, UINT> picks[] = {{1, 101}, {2, 102}, {3, 103}};
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.first);
        stand.OpenMenu();
        HWND menu = WaitForPopupMenu(kDefaultTimeoutMs, GetCurrentProcessId());
        ASSERT_NE(nullptr, menu);
        ASSERT_TRUE(ChooseMenuItemByKeys(pick.first));
        EXPECT_TRUE(WaitUntil([&] { return stand.ChosenCommand() != kNoCommandYet; }, kDefaultTimeoutMs));
        EXPECT_EQ(pick.second, stand.ChosenCommand());
        EXPECT_TRUE(WaitForWindowGone(menu, 2000) || !IsWindowVisible(menu));
    }

    stand.OpenMenu();
    ASSERT_NE(nullptr, WaitForPopupMenu(kDefaultTimeoutMs, GetCurrentProcessId()));
    EXPECT_TRUE(CloseMenus());
    EXPECT_TRUE(WaitUntil([&] { return stand.ChosenCommand() != kNoCommandYet; }, kDefaultTimeoutMs));
    EXPECT_EQ(0u, stand.ChosenCommand()) << "a cancelled menu chooses nothing";
    EXPECT_EQ(nullptr, WaitForPopupMenu(0, GetCurrentProcessId()));
}

TEST(DriverSelfTest, ScreenshotCoversTheScreenAndGetsASafeName) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const std::string shot = SaveScreenshot("driver selftest/screen:1");
    ASSERT_FALSE(shot.empty());
    EXPECT_EQ(ArtifactsFolder() + "\\driver_selftest_screen_1.bmp", shot);
    Bitmap bitmap;
    ASSERT_TRUE(ReadBitmapFile(shot, &bitmap));
    EXPECT_EQ(width, bitmap.width);
    EXPECT_EQ(height, bitmap.height);
    EXPECT_EQ(24, bitmap.bitsPerPixel);
    EXPECT_EQ(54u, bitmap.pixelOffset);
    EXPECT_EQ(ExpectedBmpSize(width, height), bitmap.bytes.size());
    DeleteFileA(shot.c_str());

    EXPECT_EQ("", SaveWindowShot(nullptr, "nothing"));
}

TEST(DriverSelfTest, RegistryRoundTripOnAPrivateKey) {
    const std::string key = std::string(kTestKey) + "\\Round";
    ASSERT_TRUE(DeleteKeyTree(kTestKey));
    EXPECT_FALSE(KeyExists(kTestKey));
    DWORD number = 0;
    std::string text;
    EXPECT_FALSE(ReadDword(key, "Count", &number));
    EXPECT_TRUE(SubKeyNames(key).empty());

    ASSERT_TRUE(WriteDword(key, "Count", 0xFFFFFFFE));
    ASSERT_TRUE(WriteString(key, "Name", "Velkator test"));
    ASSERT_TRUE(WriteString(key, "Empty", ""));
    ASSERT_TRUE(WriteString(key, nullptr, "default"));
    ASSERT_TRUE(WriteDword(key + "\\Child", "One", 1));
    ASSERT_TRUE(WriteDword(key + "\\Other", "Two", 2));

    EXPECT_TRUE(ReadDword(key, "Count", &number));
    EXPECT_EQ(0xFFFFFFFEu, number);
    EXPECT_TRUE(ReadString(key, "Name", &text));
    EXPECT_EQ("Velkator test", text);
    EXPECT_TRUE(ReadString(key, "Empty", &text));
    EXPECT_EQ("", text);
    EXPECT_TRUE(ReadString(key, "", &text));
    EXPECT_EQ("default", text);
    DWORD type = 0;
    std::string bytes;
    EXPECT_TRUE(ReadValueBytes(key, "Name", &type, &bytes));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::string("Velkator test", 14), bytes) << "written with its terminating zero";

    // Wrong type or missing: false, and the output is left alone.
    number = 42;
    EXPECT_FALSE(ReadDword(key, "Name", &number));
    EXPECT_EQ(42u, number);
    text = "unchanged";
    EXPECT_FALSE(ReadString(key, "Count", &text));
    EXPECT_FALSE(ReadString(key, "Missing", &text));
    EXPECT_EQ("unchanged", text);
    EXPECT_TRUE(ValueExists(key, "Count"));
    EXPECT_FALSE(ValueExists(key, "Missing"));

    std::vector<std::string> subKeys = SubKeyNames(key);
    std::sort(subKeys.begin(), subKeys.end());
    EXPECT_EQ((std::vector<std::string>{"Child", "Other"}), subKeys);
    std::vector<std::string> values = ValueNames(key);
    std::sort(values.begin(), values.end());
    EXPECT_EQ((std::vector<std::string>{"", "Count", "Empty", "Name"}), values);

    EXPECT_TRUE(DeleteKeyTree(kTestKey));
    EXPECT_FALSE(KeyExists(key + "\\Child"));
    EXPECT_FALSE(KeyExists(kTestKey));
    EXPECT_TRUE(DeleteKeyTree(kTestKey)) << "deleting a missing key succeeds";
}

TEST(DriverSelfTest, DeleteKeyTreeRefusesPathsThatWouldWipeTooMuch) {
    ASSERT_TRUE(KeyExists("Software"));
    EXPECT_FALSE(DeleteKeyTree(""));
    EXPECT_FALSE(DeleteKeyTree("Software"));
    EXPECT_FALSE(DeleteKeyTree("Software\\"));
    EXPECT_FALSE(DeleteKeyTree("\\Software\\Wine"));
    EXPECT_TRUE(KeyExists("Software\\Wine"));
}

}  // namespace
}  // namespace e2e
