#include "tests/e2e/Driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

// Sends a message to the program and waits 5 s at most for its answer; false when none came.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, result ? result : &ignored);
}

// The class name, or with title true the stored title, read without sending a message, so a hung
// program costs nothing.
std::string TextOf(HWND window, bool title) {
    char text[512] = "";
    title ? GetWindowTextA(window, text, sizeof text) : GetClassNameA(window, text, sizeof text);
    return text;
}

// Top-level windows of the class and title (null: any) of the process (0: any).
std::vector<HWND> FindWindows(const char* className, const char* title, DWORD processId, bool visibleOnly) {
    std::vector<HWND> all, found;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((!visibleOnly || IsWindowVisible(window)) && (!processId || owner == processId) &&
            (!className || lstrcmpiA(TextOf(window, false).c_str(), className) == 0) &&
            (!title || TextOf(window, true) == title))
            found.push_back(window);
    }
    return found;
}

// Runs paint on a memory DC holding a width x height 32-bit top-down DIB and returns its pixels;
// an empty image when paint fails.
Image Paint(int width, int height, const std::function<bool(HDC)>& paint) {
    Image image;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = width > 0 && height > 0
                         ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (memory && bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (paint(memory)) {
            GdiFlush();
            const DWORD* pixels = static_cast<const DWORD*>(bits);
            image.width = width;
            image.height = height;
            image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
            for (DWORD& pixel : image.pixels) pixel &= 0xFFFFFF;
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return image;
}

// Pixels of shown that differ from icon drawn at its own size at (x, y) over shown's top-left colour,
// which is what the taskbar and icon controls do; more than all pixels when it cannot be compared.
int IconDifference(const Image& shown, HICON icon, int x, int y) {
    const int impossible = shown.width * shown.height + 1;
    if (shown.pixels.empty() || !icon) return impossible;
    const Image drawn = Paint(shown.width, shown.height, [&](HDC memory) {
        const DWORD colour = shown.At(0, 0);
        HBRUSH background = CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
        const RECT all = {0, 0, shown.width, shown.height};
        FillRect(memory, &all, background);
        DeleteObject(background);
        return DrawIconEx(memory, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL) != FALSE;
    });
    if (drawn.pixels.size() != shown.pixels.size()) return impossible;
    int different = 0;
    for (size_t i = 0; i < drawn.pixels.size(); ++i) different += drawn.pixels[i] != shown.pixels[i] ? 1 : 0;
    return different;
}

RECT Screen() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

// Puts the pointer at point and waits (bounded) until the system reports it there.
void MovePointer(POINT point) {
    SetCursorPos(point.x, point.y);
    WaitUntil([point] {
        POINT at;
        return GetCursorPos(&at) && at.x == point.x && at.y == point.y;
    }, 1000);
}

INPUT MouseInput(POINT point, DWORD buttonFlags) {
    const RECT screen = Screen();
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // 0..65535 spans the screen; aim at the middle of the pixel so rounding either way lands on it.
    input.mi.dx = static_cast<LONG>((2LL * point.x + 1) * 65536 / (2LL * screen.right));
    input.mi.dy = static_cast<LONG>((2LL * point.y + 1) * 65536 / (2LL * screen.bottom));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    return input;
}

bool Send(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}
}  // namespace

bool RemoveFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..") continue;
        // Never into a linked folder: its target is not ours.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            RemoveFolderTree(path);
        else
            DeleteFileA(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    RemoveDirectoryA(folder.c_str());
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        Sleep(static_cast<DWORD>(deadline - now < pollMs ? deadline - now : pollMs));
    }
}

std::string DriverFolder() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    const std::string file(path, length < sizeof(path) ? length : 0);
    return file.substr(0, file.find_last_of('\\'));
}

// Streams share the file both ways, so a log can be read while a helper appends to it.
bool ReadFileBytes(const std::string& path, std::string* content) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    if (!file) return false;
    bytes << file.rdbuf();  // an empty file inserts nothing, which is no failure here
    *content = bytes.str();
    return true;
}

bool WriteFileBytes(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary);
    file << content;
    file.close();
    return !file.fail();
}

ProgramFolder::ProgramFolder(const std::vector<std::string>& files) {
    static int foldersMade = 0;
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp)) {
        problem_ = "no temporary folder";
        return;
    }
    path_ = std::string(temp, length) + "velkator e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++foldersMade);
    RemoveFolderTree(path_);  // one left by an earlier process with the same id would mix in old files
    if (!CreateDirectoryA(path_.c_str(), nullptr)) {
        problem_ = "cannot create " + path_;
        return;
    }
    std::vector<std::string> all = {kProgramExe, "qxintl.dll", "click.wav"};
    all.insert(all.end(), files.begin(), files.end());
    for (const std::string& file : all)
        if (!CopyFileA((DriverFolder() + "\\" + file).c_str(), FilePath(file).c_str(), FALSE))
            problem_ += "cannot copy " + file + "; ";
}

ProgramFolder::~ProgramFolder() {
    // A program that was just killed may hold its exe open for a moment.
    if (!path_.empty()) WaitUntil([this] { return RemoveFolderTree(path_); }, 3000, 100);
}

Program::~Program() {
    if (!process_) return;
    if (IsRunning()) TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kTimeoutMs);
    CloseHandle(process_);
}

bool Program::Start(const std::string& folder, const std::string& arguments, const std::string& startIn) {
    if (process_) return false;
    std::string commandLine = "\"" + folder + "\\" + kProgramExe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    const std::string current = startIn.empty() ? folder : startIn;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, current.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

bool Program::WaitForExit(DWORD timeoutMs) {
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool Program::WaitForIdle() { return process_ && WaitForInputIdle(process_, kTimeoutMs) == 0; }

bool Program::IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

DWORD Program::ExitCode() const {
    DWORD code = 0xFFFFFFFF;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

HWND StartVelkator(Program& program, const ProgramFolder& folder, const std::string& startIn) {
    if (!WaitForEmptyTrayCell(0) || !program.Start(folder.Path(), "", startIn)) return nullptr;
    HWND main = WaitForWindow(kMainWindowClass, nullptr, program.Id(), false);
    return main && program.WaitForIdle() ? main : nullptr;
}

HWND WaitForWindow(const char* className, const char* title, DWORD processId, bool visibleOnly, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> found = FindWindows(className, title, processId, visibleOnly);
            window = found.empty() ? nullptr : found.front();
            return window != nullptr;
        },
        timeoutMs);
    return window;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

bool Answered(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &result) != 0;
}

bool WaitForNoProcess(const std::string& exeName) {
    return WaitUntil([&] {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return false;
        PROCESSENTRY32 process = {};
        process.dwSize = sizeof process;
        bool found = false;
        for (BOOL more = Process32First(snapshot, &process); more && !found; more = Process32Next(snapshot, &process))
            found = lstrcmpiA(process.szExeFile, exeName.c_str()) == 0;
        CloseHandle(snapshot);
        return !found;
    });
}

void EndLeftoverVelkator() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        HWND leftover = FindWindowA(kMainWindowClass, nullptr);
        DWORD processId = 0;
        if (!leftover || !GetWindowThreadProcessId(leftover, &processId)) return;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (!process) return;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, kTimeoutMs);
        CloseHandle(process);
    }
}

std::vector<std::string> VisibleWindows(DWORD processId) {
    std::vector<std::string> windows;
    for (HWND window : FindWindows(nullptr, nullptr, processId, true))
        windows.push_back(TextOf(window, false) + " \"" + TextOf(window, true) + "\"");
    return windows;
}

std::string ControlText(HWND dialog, int id) {
    char text[4096] = "";
    HWND control = GetDlgItem(dialog, id);
    if (!control || !SendBounded(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text))) return "<no control>";
    text[sizeof(text) - 1] = '\0';
    return text;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && IsWindowVisible(button) && IsWindowEnabled(button) && PostMessageA(button, BM_CLICK, 0, 0);
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    HWND control = GetDlgItem(dialog, id);
    DWORD_PTR result = 0;
    return control && SendBounded(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) && result;
}

bool PressKey(HWND window, WORD vk) {
    if (!IsWindow(window)) return false;
    SetForegroundWindow(window);
    if (!WaitUntil([window] { return GetForegroundWindow() == window; })) return false;
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = vk;
    key.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    INPUT up = key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    return Send({key, up});
}

bool SendHelpRequest(HWND control) {
    HELPINFO help = {sizeof(help), HELPINFO_WINDOW, GetDlgCtrlID(control), control, 0, {0, 0}};
    GetCursorPos(&help.MousePos);
    return control && SendBounded(GetParent(control), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
}

bool SendMenuKeys(std::initializer_list<WORD> keys) {
    // The menu loop reads every key of its thread, whichever menu window it was posted to.
    HWND menu = WaitForWindow("#32768", nullptr, 0, true, 0);
    for (WORD vk : keys) {
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16 | 1;
        PostMessageA(menu, WM_KEYDOWN, vk, scan);
        PostMessageA(menu, WM_KEYUP, vk, scan | static_cast<LPARAM>(0xC0000000UL));
    }
    return menu != nullptr;
}

bool UseTrayMenu(const Program& program, int k, std::initializer_list<WORD> keys) {
    return ClickAt(Centre(TrayIconCell(k)), MouseButton::Right) && WaitForWindow("#32768", nullptr, program.Id()) &&
           SendMenuKeys(keys);
}

HWND CurrentPage(HWND sheet) {
    DWORD_PTR page = 0;
    return SendBounded(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, &page) ? reinterpret_cast<HWND>(page) : nullptr;
}

HWND PageControl(HWND sheet, int index, int id) {
    HWND control = nullptr;
    PostMessageA(sheet, PSM_SETCURSEL, index, 0);
    WaitUntil([&] { return IsWindowVisible(control = GetDlgItem(CurrentPage(sheet), id)) != FALSE; });
    return IsWindowVisible(control) ? control : nullptr;
}

int PageCount(HWND sheet) {
    DWORD_PTR count = 0;
    HWND tabs = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
    return tabs && SendBounded(tabs, TCM_GETITEMCOUNT, 0, 0, &count) ? static_cast<int>(count) : -1;
}

bool ClickAt(POINT point, MouseButton button) {
    static POINT lastPoint = {-100, -100};
    static MouseButton lastButton = MouseButton::Left;
    static ULONGLONG lastTime = 0;
    const ULONGLONG gap = GetDoubleClickTime() + 100, since = GetTickCount64() - lastTime;
    if (button == lastButton && std::abs(point.x - lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(point.y - lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && since < gap)
        Sleep(static_cast<DWORD>(gap - since));
    MovePointer(point);
    Sleep(50);  // let the pointer settle, as a hand would
    const bool left = button == MouseButton::Left;
    lastPoint = point;
    lastButton = button;
    lastTime = GetTickCount64();
    return Send({MouseInput(point, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
                 MouseInput(point, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)});
}

bool DoubleClickAt(POINT point) {
    MovePointer(point);
    const INPUT down = MouseInput(point, MOUSEEVENTF_LEFTDOWN), up = MouseInput(point, MOUSEEVENTF_LEFTUP);
    return Send({down, up, down, up});
}

bool DragWithMouse(POINT from, POINT to, const std::function<void()>& whileHeld) {
    const POINT halfway = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    // A hand takes its time; on a busy machine the drag list needs it too.
    MovePointer(from);
    Sleep(200);
    const std::pair<POINT, DWORD> steps[] = {{from, MOUSEEVENTF_LEFTDOWN}, {halfway, 0}, {to, 0}};
    for (const auto& step : steps)
        if (!Send({MouseInput(step.first, step.second)}) || SleepEx(300, FALSE) != 0) return false;
    // The drop takes the pointer's position, which Wine may still report as an earlier one.
    MovePointer(to);
    if (whileHeld) whileHeld();
    return Send({MouseInput(to, MOUSEEVENTF_LEFTUP)});
}

RECT TrayIconCell(int k) {
    const RECT screen = Screen();
    return {screen.right - 20 * (k + 1), screen.bottom - 20, screen.right - 20 * k, screen.bottom};
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT Bounds(HWND window, int margin) {
    RECT bounds = {0, 0, 0, 0};
    if (GetWindowRect(window, &bounds)) InflateRect(&bounds, margin, margin);
    return bounds;
}

RECT WorkArea() {
    RECT area = Screen();
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

std::string LoadedModule(DWORD processId, const char* fileName) {
    std::string found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = snapshot != INVALID_HANDLE_VALUE && Module32First(snapshot, &module); more && found.empty();
         more = Module32Next(snapshot, &module))
        if (lstrcmpiA(module.szModule, fileName) == 0) found = module.szExePath;
    if (snapshot != INVALID_HANDLE_VALUE) CloseHandle(snapshot);
    return found;
}

DWORD Image::At(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0xFFFFFFFF : pixels[static_cast<size_t>(y) * width + x];
}

Image CaptureScreen(const RECT& area) {
    RECT clipped = {0, 0, 0, 0};
    const RECT screen = Screen();
    IntersectRect(&clipped, &area, &screen);
    HDC dc = GetDC(nullptr);
    const int width = clipped.right - clipped.left, height = clipped.bottom - clipped.top;
    const Image image = Paint(width, height, [&](HDC memory) {
        return BitBlt(memory, 0, 0, width, height, dc, clipped.left, clipped.top, SRCCOPY | CAPTUREBLT) != FALSE;
    });
    ReleaseDC(nullptr, dc);
    return image;
}

Icon SmallIcon(const std::string& file, int index) {
    HICON icon = nullptr;
    // One slot only: asking for both leaves junk in the other one under Wine.
    return Icon(ExtractIconExA(file.c_str(), index, nullptr, &icon, 1) == 1 ? icon : nullptr, &DestroyIcon);
}

Icon QuestionMarkIcon() {
    return Icon(static_cast<HICON>(CopyImage(LoadIconA(nullptr, IDI_QUESTION), IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE)),
                &DestroyIcon);
}

int TrayIconDifference(int k, HICON icon) { return IconDifference(CaptureScreen(TrayIconCell(k)), icon, 2, 2); }

bool WaitForTrayIcon(int k, HICON icon, DWORD timeoutMs) {
    return WaitUntil([&] { return TrayIconDifference(k, icon) == 0; }, timeoutMs, 50);
}

bool WaitForEmptyTrayCell(int k, DWORD timeoutMs) {
    return WaitUntil(
        [k] {
            const Image cell = CaptureScreen(TrayIconCell(k));
            for (DWORD pixel : cell.pixels)
                if (pixel != cell.pixels.front()) return false;
            return !cell.pixels.empty();
        },
        timeoutMs, 50);
}

bool KeyExists(const std::string& path, HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool DeleteKeyTree(const std::string& path, HKEY root) {
    if (path.find('\\') == std::string::npos || path[0] == '\\') return false;
    RegDeleteTreeA(root, path.c_str());
    return !KeyExists(path, root);
}

std::string ReadString(const std::string& path, const char* name) {
    char data[4096];
    DWORD size = sizeof(data);
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) == ERROR_SUCCESS
               ? data : "<missing>";
}

DWORD ReadDword(const std::string& path, const char* name) {
    DWORD value = 0, size = sizeof(value);
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS
               ? value : 0xFFFFFFFF;
}

bool WriteString(const std::string& path, const char* name, const std::string& value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool WriteDword(const std::string& path, const char* name, DWORD value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS;
}

bool WriteShortcut(const std::string& name, const ShortcutSettings& settings) {
    const std::string section = std::string(kVelkatorKey) + "\\" + name;
    return WriteString(kShortcutsKey, name.c_str(), "Installed") && WriteString(section, "Path", settings.path) &&
           WriteString(section, "Arguments", settings.arguments) && WriteString(section, "Startup", settings.startup) &&
           WriteString(section, "IconPath", settings.iconPath) && WriteDword(section, "Prompt", settings.prompt) &&
           WriteDword(section, "Style", settings.style);
}

std::vector<std::string> ProgramTest::WaitForLaunches(size_t count) {
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
            std::string content;
            lines.clear();
            ReadFileBytes(log_, &content);
            for (size_t start = 0, end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
                lines.push_back(content.substr(start, end - start));
            return lines.size() >= count;
        },
        count ? kTimeoutMs : 0, 50);
    return lines;
}

}  // namespace e2e
