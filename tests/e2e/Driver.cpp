#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace e2e {

namespace {

// How long one message to another process may take before the driver gives up on it.
constexpr UINT kSendTimeoutMs = 5000;
// A double click: two clicks this far apart (the system's double-click time is 500 ms).
constexpr DWORD kDoubleClickGapMs = 100;
// Pause between moving the pointer and pressing a button.
constexpr DWORD kPointerSettleMs = 50;

bool SameText(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
bool SameTextIgnoringCase(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

// A file name given by a test must stay inside its folder.
bool IsPlainRelativeName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
    if (name.find(':') != std::string::npos) return false;
    return name.find("..") == std::string::npos;
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Deletes a folder and everything under it; true when it is gone.
bool RemoveFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (SameText(found.cFileName, ".") || SameText(found.cFileName, "..")) continue;
            std::string path = folder + "\\" + found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveFolderTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const char* bytes = static_cast<const char*>(data);
    bool ok = true;
    while (ok && size > 0) {
        DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        ok = ::WriteFile(file, bytes, chunk, &written, nullptr) && written == chunk;
        bytes += chunk;
        size -= chunk;
    }
    return CloseHandle(file) && ok;
}

// WM_GETTEXT through SendMessageTimeout; works across processes (the system copies the text back).
std::string TextOf(HWND window) {
    if (!window) return std::string();
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return std::string();
    if (length > 1000000) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return std::string();
    buffer.back() = '\0';
    return std::string(buffer.data());
}

// A top-level window's title. For another process's window GetWindowText reads the stored title
// without sending it a message, so a hung program cannot slow down a search across all windows.
std::string TitleOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

// --- enumerating top-level windows ---------------------------------------------------------------

struct WindowFilter {
    const char* className;
    const char* title;
    DWORD processId;
    bool visibleOnly;
    bool firstOnly;
    std::vector<HWND> found;
};

bool Matches(HWND window, const WindowFilter& filter) {
    if (filter.visibleOnly && !IsWindowVisible(window)) return false;
    if (filter.processId != 0 && WindowProcessId(window) != filter.processId) return false;
    if (filter.className && !SameTextIgnoringCase(WindowClass(window).c_str(), filter.className)) return false;
    return !filter.title || SameText(TitleOf(window).c_str(), filter.title);
}

BOOL CALLBACK CollectMatching(HWND window, LPARAM parameter) {
    WindowFilter* filter = reinterpret_cast<WindowFilter*>(parameter);
    if (!Matches(window, *filter)) return TRUE;
    filter->found.push_back(window);
    return filter->firstOnly ? FALSE : TRUE;
}

std::vector<HWND> TopLevelWindows(const char* className, const char* title, DWORD processId, bool visibleOnly,
                                  bool firstOnly) {
    WindowFilter filter = {className, title, processId, visibleOnly, firstOnly, {}};
    EnumWindows(CollectMatching, reinterpret_cast<LPARAM>(&filter));
    return filter.found;
}

// --- input ---------------------------------------------------------------------------------------

bool SendKeyPress(WORD vk) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// Presses and releases a button at (x, y). Each event carries the position itself: the pointer's
// own position can lag behind SetCursorPos under Wine (an older pointer motion arriving late moved a
// press onto the neighbouring tray icon), and an absolute position in the event cannot.
bool SendMouseClick(int x, int y, MouseButton button) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return false;
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        // 0..65535 spans the screen; aim at the middle of the pixel so rounding either way lands on it.
        input.mi.dx = static_cast<LONG>((2LL * x + 1) * 65536 / (2LL * width));
        input.mi.dy = static_cast<LONG>((2LL * y + 1) * 65536 / (2LL * height));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    inputs[1].mi.dwFlags |= button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

void PostKeyTo(HWND target, WORD vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(target, WM_KEYUP, vk, scan | 1 | static_cast<LPARAM>(0xC0000000UL));  // previous state, released
}

// --- screenshots ---------------------------------------------------------------------------------

std::string ArtifactFileName(const std::string& name) {
    std::string clean;
    for (char c : name.substr(0, 100)) {
        bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.';
        clean += allowed ? c : '_';
    }
    if (clean.empty()) clean = "screenshot";
    return clean + ".bmp";
}

// Copies a rectangle of the screen into a bottom-up 24-bit BMP file.
std::string SaveScreenRect(const RECT& rect, const std::string& name) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const std::string folder = ArtifactsFolder();
    if (width <= 0 || height <= 0 || folder.empty()) return std::string();

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);

    HDC screen = GetDC(nullptr);
    if (!screen) return std::string();
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool copied = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }

    std::string path = folder + "\\" + ArtifactFileName(name);
    if (copied) {
        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;  // "BM"
        header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        header.bfSize = header.bfOffBits + imageSize;
        info.bmiHeader.biSizeImage = imageSize;
        std::string file(reinterpret_cast<const char*>(&header), sizeof(header));
        file.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
        file.append(static_cast<const char*>(bits), imageSize);
        copied = WriteWholeFile(path, file.data(), file.size());
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied ? path : std::string();
}

RECT ClipToScreen(const RECT& area) {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT clipped = {0, 0, 0, 0};
    IntersectRect(&clipped, &area, &screen);
    return clipped;
}

// Copies a screen-compatible bitmap area into an Image through a 32-bit top-down DIB.
Image ImageFromDC(HDC source, int x, int y, int width, int height) {
    Image image;
    if (width <= 0 || height <= 0) return image;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = memory ? CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY | CAPTUREBLT)) {
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

// --- language files ------------------------------------------------------------------------------

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Unescaped(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const char next = text[i + 1];
        const char* replacement = next == 'n' ? "\n" : next == 't' ? "\t" : next == 'r' ? "\r" : next == 's' ? " "
                                  : next == '\\' ? "\\" : nullptr;
        if (replacement) {
            result += replacement;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

// UTF-8 to the ANSI code page, as the language library converts texts; "?" where it has no character.
std::string Utf8ToAnsi(const std::string& text) {
    if (text.empty()) return text;
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wideLength <= 0) return std::string();
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, "?", nullptr);
    if (length <= 0) return std::string();
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, &ansi[0], length, "?", nullptr);
    return ansi;
}

// --- registry ------------------------------------------------------------------------------------

// An open registry key, closed when it goes out of scope.
class OpenKey {
public:
    OpenKey(HKEY root, const std::string& path, REGSAM access, bool create) {
        LONG result = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                               nullptr, &key_, nullptr)
                             : RegOpenKeyExA(root, path.c_str(), 0, access, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

int PathParts(const std::string& path) {
    int parts = 0;
    bool inPart = false;
    for (char c : path) {
        if (c == '\\') {
            inPart = false;
        } else if (!inPart) {
            inPart = true;
            ++parts;
        }
    }
    return parts;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------

std::string DriverFolder() {
    char path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    if (length == 0 || length >= sizeof(path)) return std::string();
    std::string folder(path, length);
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

std::string ArtifactsFolder() {
    const std::string driverFolder = DriverFolder();
    if (driverFolder.empty()) return std::string();
    const std::string relative = driverFolder + "\\..\\artifacts";
    char full[MAX_PATH * 4];
    DWORD length = GetFullPathNameA(relative.c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) return std::string();
    CreateDirectoryA(full, nullptr);
    return IsFolder(full) ? std::string(full) : std::string();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const ULONGLONG left = deadline - now;
        Sleep(static_cast<DWORD>(left < pollMs ? left : pollMs));
    }
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadFileBytes(const std::string& path, std::string* content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= 64 * 1024 * 1024;
    std::string bytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
             (ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(file);
    if (ok) *content = bytes;
    return ok;
}

// ---------------------------------------------------------------------------------------------------
// ProgramFolder

ProgramFolder::ProgramFolder(const std::vector<std::string>& languageFiles) {
    static int foldersMade = 0;
    char temp[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp)) {
        Fail("no temporary folder");
        return;
    }
    char name[64];
    std::snprintf(name, sizeof(name), "velkator-e2e-%lu-%d", GetCurrentProcessId(), ++foldersMade);
    path_ = std::string(temp, length) + name;
    // A folder left by an earlier process with the same id would mix old files into this test.
    if (GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES && !RemoveFolderTree(path_)) {
        Fail("cannot clear " + path_);
        return;
    }
    if (!CreateDirectoryA(path_.c_str(), nullptr)) {
        Fail("cannot create " + path_);
        return;
    }
    ready_ = true;
    AddFromDriverFolder(kProgramExe);
    AddFromDriverFolder(kLanguageDll);
    AddFromDriverFolder(kClickSound);
    for (const std::string& file : languageFiles) AddFromDriverFolder(file);
}

ProgramFolder::~ProgramFolder() {
    if (path_.empty() || GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    // A program that was just killed may hold its exe open for a moment.
    WaitUntil([this] { return RemoveFolderTree(path_); }, 3000, 100);
}

bool ProgramFolder::Fail(const std::string& what) {
    if (problem_.empty()) problem_ = what;
    ready_ = false;
    return false;
}

std::string ProgramFolder::FilePath(const std::string& name) const { return path_ + "\\" + name; }

bool ProgramFolder::AddFromDriverFolder(const std::string& name) {
    return AddCopy(DriverFolder() + "\\" + name, name);
}

bool ProgramFolder::AddCopy(const std::string& sourcePath, const std::string& name) {
    if (path_.empty() || !IsPlainRelativeName(name)) return Fail("bad file name '" + name + "'");
    if (!CopyFileA(sourcePath.c_str(), FilePath(name).c_str(), FALSE)) return Fail("cannot copy " + sourcePath);
    return true;
}

bool ProgramFolder::AddTextFile(const std::string& name, const std::string& content) {
    if (path_.empty() || !IsPlainRelativeName(name)) return Fail("bad file name '" + name + "'");
    if (!WriteWholeFile(FilePath(name), content.data(), content.size())) return Fail("cannot write " + name);
    return true;
}

bool ProgramFolder::AddFolder(const std::string& name) {
    if (path_.empty() || !IsPlainRelativeName(name)) return Fail("bad folder name '" + name + "'");
    if (!CreateDirectoryA(FilePath(name).c_str(), nullptr) && !IsFolder(FilePath(name)))
        return Fail("cannot create " + name);
    return true;
}

// ---------------------------------------------------------------------------------------------------
// Program

Program::~Program() {
    if (!process_) return;
    Kill();
    CloseHandle(process_);
}

void Program::SetEnvironment(const std::string& name, const char* value) {
    for (EnvironmentChange& change : environment_) {
        if (SameTextIgnoringCase(change.name.c_str(), name.c_str())) {
            change.value = value ? value : "";
            change.remove = value == nullptr;
            return;
        }
    }
    environment_.push_back({name, value ? value : "", value == nullptr});
}

std::vector<char> Program::EnvironmentBlock() const {
    std::vector<char> block;
    char* inherited = GetEnvironmentStringsA();
    for (const char* entry = inherited; entry && *entry; entry += std::strlen(entry) + 1) {
        // Entries such as "=C:=C:\x" start with '='; the name ends at the next one.
        const char* equals = std::strchr(entry + 1, '=');
        const std::string name = equals ? std::string(entry, equals) : std::string(entry);
        bool changed = false;
        for (const EnvironmentChange& change : environment_)
            changed = changed || SameTextIgnoringCase(change.name.c_str(), name.c_str());
        if (!changed) block.insert(block.end(), entry, entry + std::strlen(entry) + 1);
    }
    if (inherited) FreeEnvironmentStringsA(inherited);
    for (const EnvironmentChange& change : environment_) {
        if (change.remove) continue;
        const std::string entry = change.name + "=" + change.value;
        block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    }
    block.push_back('\0');
    if (block.size() == 1) block.push_back('\0');  // an empty block still needs two zeros
    return block;
}

bool Program::Start(const std::string& folder, const std::string& exeName, const std::string& arguments,
                    int showCommand) {
    if (process_) return false;
    commandLine_ = "\"" + folder + "\\" + exeName + "\"";
    if (!arguments.empty()) commandLine_ += " " + arguments;
    if (commandLine_.size() >= 32767) return false;  // CreateProcess's own limit
    std::vector<char> commandLine(commandLine_.begin(), commandLine_.end());
    commandLine.push_back('\0');
    std::vector<char> environment;
    if (!environment_.empty()) environment = EnvironmentBlock();

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                        environment.empty() ? nullptr : environment.data(), folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    return true;
}

bool Program::WaitForExit(DWORD timeoutMs) {
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool Program::WaitForIdle(DWORD timeoutMs) { return process_ && WaitForInputIdle(process_, timeoutMs) == 0; }

bool Program::IsRunning() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

DWORD Program::ExitCode() const {
    DWORD code = kNotStarted;
    if (!process_ || !GetExitCodeProcess(process_, &code)) return kNotStarted;
    return code;
}

bool Program::Kill() {
    if (!process_) return false;
    if (IsRunning()) TerminateProcess(process_, 1);
    return WaitForExit(5000);
}

// ---------------------------------------------------------------------------------------------------
// Windows

std::string WindowText(HWND window) { return TextOf(window); }

std::string WindowClass(HWND window) {
    char name[256] = "";
    if (!window || !GetClassNameA(window, name, sizeof(name))) return std::string();
    return name;
}

DWORD WindowProcessId(HWND window) {
    DWORD processId = 0;
    if (window) GetWindowThreadProcessId(window, &processId);
    return processId;
}

HWND FindWindowOfProcess(const char* className, const char* title, DWORD processId) {
    std::vector<HWND> found = TopLevelWindows(className, title, processId, false, true);
    if (!found.empty()) return found.front();
    // Message-only windows are not top-level windows of the desktop; look at them too.
    WindowFilter filter = {className, title, processId, false, true, {}};
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, className, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, className, nullptr)) {
        if (Matches(window, filter)) return window;
    }
    return nullptr;
}

HWND WaitForWindow(const char* className, const char* title, DWORD processId, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOfProcess(className, title, processId)) != nullptr; }, timeoutMs);
    return window;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    return TopLevelWindows(nullptr, nullptr, processId, true, false);
}

HWND WaitForDialog(const char* caption, DWORD processId, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> found = TopLevelWindows("#32770", caption, processId, true, true);
            dialog = found.empty() ? nullptr : found.front();
            return dialog != nullptr;
        },
        timeoutMs);
    return dialog;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

HWND Control(HWND dialog, int id) { return dialog ? GetDlgItem(dialog, id) : nullptr; }

std::string ControlText(HWND dialog, int id) { return TextOf(Control(dialog, id)); }

bool IsControlVisible(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowVisible(control);
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowEnabled(control);
}

bool ClickButton(HWND dialog, int id) {
    // Wine clicks a disabled button on BM_CLICK, so the check has to be made here.
    HWND button = Control(dialog, id);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    HWND control = Control(dialog, id);
    DWORD_PTR result = 0;
    return control &&
           SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result) &&
           result != FALSE;
}

bool IsChecked(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    DWORD_PTR state = 0;
    return control &&
           SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state) &&
           state == BST_CHECKED;
}

bool PostKey(HWND window, WORD vk) {
    if (!window || !IsWindow(window)) return false;
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    HWND target = window;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus &&
        (thread.hwndFocus == window || IsChild(window, thread.hwndFocus)))
        target = thread.hwndFocus;
    PostKeyTo(target, vk);
    return true;
}

bool PressKey(HWND window, WORD vk) {
    if (!window || !IsWindow(window)) return false;
    SetForegroundWindow(window);
    WaitUntil([window] { return GetForegroundWindow() == window; }, 1000);
    return SendKeyPress(vk);
}

// ---------------------------------------------------------------------------------------------------
// Mouse and tray icons

POINT TrayIconPoint(int k) {
    // The taskbar is the bottom 20 pixels; icons are 20 pixels wide, the first at the right edge.
    POINT point;
    point.x = GetSystemMetrics(SM_CXSCREEN) - 10 - 20 * k;
    point.y = GetSystemMetrics(SM_CYSCREEN) - 10;
    return point;
}

RECT TrayIconCell(int k) {
    const POINT centre = TrayIconPoint(k);
    RECT cell = {centre.x - 10, centre.y - 10, centre.x + 10, centre.y + 10};
    return cell;
}

POINT WindowCentre(HWND window) {
    RECT bounds = {0, 0, 0, 0};
    if (window) GetWindowRect(window, &bounds);
    POINT centre = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    return centre;
}

bool MoveMouse(int x, int y) { return SetCursorPos(x, y) != FALSE; }

bool ClickAt(int x, int y, MouseButton button, Clicks clicks) {
    if (!MoveMouse(x, y)) return false;
    // Let the pointer settle where the click goes, as a person's hand would.
    WaitUntil(
        [x, y] {
            POINT at;
            return GetCursorPos(&at) && at.x == x && at.y == y;
        },
        500);
    Sleep(kPointerSettleMs);
    if (!SendMouseClick(x, y, button)) return false;
    if (clicks == Clicks::Single) return true;
    Sleep(kDoubleClickGapMs);
    return SendMouseClick(x, y, button);
}

bool ClickTrayIcon(int k, MouseButton button, Clicks clicks) {
    POINT point = TrayIconPoint(k);
    return ClickAt(point.x, point.y, button, clicks);
}

// ---------------------------------------------------------------------------------------------------
// Popup menus

HWND WaitForPopupMenu(DWORD timeoutMs, DWORD processId) {
    HWND menu = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> found = TopLevelWindows("#32768", nullptr, processId, true, true);
            menu = found.empty() ? nullptr : found.front();
            return menu != nullptr;
        },
        timeoutMs);
    return menu;
}

bool ChooseMenuItemByKeys(int downPresses) {
    // The menu loop reads every key message of its thread, whichever menu window it was posted to.
    HWND menu = WaitForPopupMenu(0);
    if (!menu) return false;
    for (int i = 0; i < downPresses; ++i) PostKeyTo(menu, VK_DOWN);
    PostKeyTo(menu, VK_RETURN);
    return true;
}

bool SendMenuKeys(std::initializer_list<WORD> keys) {
    HWND menu = WaitForPopupMenu(0);
    if (!menu) return false;
    for (WORD key : keys) PostKeyTo(menu, key);
    return true;
}

bool CloseMenus() {
    for (HWND menu : TopLevelWindows("#32768", nullptr, 0, true, false)) PostMessageA(menu, WM_CANCELMODE, 0, 0);
    return WaitUntil([] { return TopLevelWindows("#32768", nullptr, 0, true, true).empty(); }, 2000);
}

// ---------------------------------------------------------------------------------------------------
// Context help

bool SendHelpRequest(HWND control) {
    HWND dialog = control ? GetParent(control) : nullptr;
    if (!dialog) return false;
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = GetDlgCtrlID(control);
    help.hItemHandle = control;
    GetCursorPos(&help.MousePos);
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&help), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               &result) != 0;
}

// ---------------------------------------------------------------------------------------------------
// Screenshots

std::string SaveScreenshot(const std::string& name) {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenRect(screen, name);
}

std::string SaveWindowShot(HWND window, const std::string& name) {
    RECT bounds;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible;
    if (!window || !GetWindowRect(window, &bounds) || !IntersectRect(&visible, &bounds, &screen))
        return std::string();
    return SaveScreenRect(visible, name);
}

std::string SaveScreenAreaShot(const RECT& area, const std::string& name) {
    return SaveScreenRect(ClipToScreen(area), name);
}

// ---------------------------------------------------------------------------------------------------
// Pixels

DWORD Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
    return pixels[static_cast<size_t>(y) * width + x];
}

Image CaptureScreenArea(const RECT& area) {
    const RECT clipped = ClipToScreen(area);
    HDC screen = GetDC(nullptr);
    if (!screen) return Image();
    Image image = ImageFromDC(screen, clipped.left, clipped.top, clipped.right - clipped.left,
                              clipped.bottom - clipped.top);
    ReleaseDC(nullptr, screen);
    return image;
}

Image DrawIconImage(HICON icon, int width, int height, int x, int y, int size, DWORD background) {
    if (!icon || width <= 0 || height <= 0) return Image();
    HDC screen = GetDC(nullptr);
    if (!screen) return Image();
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = memory ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    Image image;
    if (canvas) {
        HGDIOBJ old = SelectObject(memory, canvas);
        RECT all = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
        image = ImageFromDC(memory, 0, 0, width, height);
        SelectObject(memory, old);
        DeleteObject(canvas);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

int CountDifferentPixels(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) {
        const size_t larger = a.pixels.size() > b.pixels.size() ? a.pixels.size() : b.pixels.size();
        return larger > 0 ? static_cast<int>(larger) : 1;
    }
    int different = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) different += a.pixels[i] != b.pixels[i] ? 1 : 0;
    return different;
}

bool IsUniform(const Image& image) {
    if (image.IsEmpty()) return false;
    for (DWORD pixel : image.pixels)
        if (pixel != image.pixels.front()) return false;
    return true;
}

int IconDifference(const Image& shown, HICON icon, int x, int y) {
    ICONINFO info = {};
    if (shown.IsEmpty() || !icon || !GetIconInfo(icon, &info)) return shown.width * shown.height + 1;
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof(mask), &mask);
    const int size = mask.bmWidth;  // icons here are square
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return CountDifferentPixels(shown, DrawIconImage(icon, shown.width, shown.height, x, y, size, shown.At(0, 0)));
}

SmallIcon SmallIcon::FromFile(const std::string& file, int index) {
    HICON icon = nullptr;
    // One slot only: asking for both leaves junk in the other one for a bad index under Wine.
    if (ExtractIconExA(file.c_str(), index, nullptr, &icon, 1) != 1) icon = nullptr;
    return SmallIcon(icon);
}

SmallIcon SmallIcon::QuestionMark() {
    return SmallIcon(static_cast<HICON>(
        CopyImage(LoadIconA(nullptr, IDI_QUESTION), IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE)));
}

SmallIcon& SmallIcon::operator=(SmallIcon&& other) noexcept {
    if (this != &other) {
        if (icon_) DestroyIcon(icon_);
        icon_ = other.icon_;
        other.icon_ = nullptr;
    }
    return *this;
}

SmallIcon::~SmallIcon() {
    if (icon_) DestroyIcon(icon_);
}

LPCSTR ShownSystemIcon(HWND iconControl, DWORD timeoutMs) {
    const LPCSTR candidates[] = {IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK};
    LPCSTR best = nullptr;
    WaitUntil(
        [&] {
            RECT bounds;
            if (!iconControl || !GetWindowRect(iconControl, &bounds)) return true;  // nothing to wait for
            const Image shown = CaptureScreenArea(bounds);
            int fewest = shown.width * shown.height / 10;
            for (LPCSTR candidate : candidates) {
                const int difference = IconDifference(shown, LoadIconA(nullptr, candidate));
                if (difference < fewest) {
                    fewest = difference;
                    best = candidate;
                }
            }
            return best != nullptr;
        },
        timeoutMs, 50);
    return best;
}

int TrayIconDifference(int k, HICON icon) {
    return IconDifference(CaptureScreenArea(TrayIconCell(k)), icon, 2, 2);
}

bool WaitForTrayIcon(int k, HICON icon, DWORD timeoutMs) {
    return WaitUntil([&] { return TrayIconDifference(k, icon) == 0; }, timeoutMs, 50);
}

bool WaitForEmptyTrayCell(int k, DWORD timeoutMs) {
    return WaitUntil([k] { return IsUniform(CaptureScreenArea(TrayIconCell(k))); }, timeoutMs, 50);
}

// ---------------------------------------------------------------------------------------------------
// Registry

bool KeyExists(const std::string& path, HKEY root) { return OpenKey(root, path, KEY_READ, false).get() != nullptr; }

bool DeleteKeyTree(const std::string& path, HKEY root) {
    if (PathParts(path) < 2 || path[0] == '\\') return false;
    if (!KeyExists(path, root)) return true;
    RegDeleteTreeA(root, path.c_str());
    return !KeyExists(path, root);
}

std::vector<std::string> SubKeyNames(const std::string& path, HKEY root) {
    std::vector<std::string> names;
    OpenKey key(root, path, KEY_READ, false);
    if (!key.get()) return names;
    char name[256];  // key names are at most 255 characters
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

std::vector<std::string> ValueNames(const std::string& path, HKEY root) {
    std::vector<std::string> names;
    OpenKey key(root, path, KEY_READ, false);
    if (!key.get()) return names;
    std::vector<char> name(16384);  // value names are at most 16383 characters
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueA(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

bool ReadValueBytes(const std::string& path, const char* name, DWORD* type, std::string* bytes, HKEY root) {
    OpenKey key(root, path, KEY_READ, false);
    if (!key.get()) return false;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    std::string data(size, '\0');
    // The value may grow between the two calls; ask again with the size the system reports.
    for (int attempt = 0; attempt < 3; ++attempt) {
        size = static_cast<DWORD>(data.size());
        LONG result = RegQueryValueExA(key.get(), name, nullptr, type,
                                       data.empty() ? nullptr : reinterpret_cast<BYTE*>(&data[0]), &size);
        if (result == ERROR_SUCCESS) {
            data.resize(size);
            *bytes = data;
            return true;
        }
        if (result != ERROR_MORE_DATA) return false;
        data.resize(size);
    }
    return false;
}

bool ValueExists(const std::string& path, const char* name, HKEY root) {
    OpenKey key(root, path, KEY_READ, false);
    return key.get() && RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool ReadDword(const std::string& path, const char* name, DWORD* value, HKEY root) {
    DWORD type = 0;
    std::string bytes;
    if (!ReadValueBytes(path, name, &type, &bytes, root) || type != REG_DWORD || bytes.size() != sizeof(DWORD))
        return false;
    std::memcpy(value, bytes.data(), sizeof(DWORD));
    return true;
}

bool ReadString(const std::string& path, const char* name, std::string* value, HKEY root) {
    DWORD type = 0;
    std::string bytes;
    if (!ReadValueBytes(path, name, &type, &bytes, root) || type != REG_SZ) return false;
    *value = bytes.substr(0, bytes.find('\0'));
    return true;
}

bool WriteDword(const std::string& path, const char* name, DWORD value, HKEY root) {
    OpenKey key(root, path, KEY_WRITE, true);
    return key.get() &&
           RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
               ERROR_SUCCESS;
}

bool WriteString(const std::string& path, const char* name, const std::string& value, HKEY root) {
    OpenKey key(root, path, KEY_WRITE, true);
    return key.get() && value.size() < 0x7FFFFFFF &&
           RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------------
// Velkator's settings and texts

bool WriteShortcut(const std::string& name, const ShortcutSettings& settings) {
    const std::string section = std::string(kVelkatorKey) + "\\" + name;
    return WriteString(kShortcutsKey, name.c_str(), "Installed") && WriteString(section, "Path", settings.path) &&
           WriteString(section, "Arguments", settings.arguments) && WriteString(section, "Startup", settings.startup) &&
           WriteString(section, "IconPath", settings.iconPath) && WriteDword(section, "Prompt", settings.prompt) &&
           WriteDword(section, "Style", settings.style);
}

bool WriteOrder(const std::string& order) { return WriteString(kShortcutsKey, "Order", order); }

std::string ReadOrder() {
    std::string order;
    return ReadString(kShortcutsKey, "Order", &order) ? order : std::string("<missing>");
}

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs) {
    return WaitForWindow(kMainWindowClass, nullptr, processId, timeoutMs);
}

HWND StartVelkator(Program& program, const ProgramFolder& folder, const std::string& arguments) {
    if (!program.Start(folder.Path(), kProgramExe, arguments)) return nullptr;
    HWND main = WaitForMainWindow(program.Id(), kDefaultTimeoutMs);
    return main && program.WaitForIdle(kDefaultTimeoutMs) ? main : nullptr;
}

LanguageTexts::LanguageTexts(const std::string& fileName) {
    std::string content;
    if (!ReadFileBytes(DriverFolder() + "\\" + fileName, &content)) return;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) content.erase(0, 3);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        const std::string line = content.substr(start, end - start);
        start = end + 1;
        const std::string trimmed = Trimmed(line);
        const size_t equals = trimmed.find('=');
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';' || equals == std::string::npos) continue;
        const std::string key = Utf8ToAnsi(Trimmed(trimmed.substr(0, equals)));
        if (key.empty() || Has(key)) continue;
        entries_.emplace_back(key, Utf8ToAnsi(Unescaped(Trimmed(trimmed.substr(equals + 1)))));
    }
}

bool LanguageTexts::Has(const std::string& key) const {
    for (const auto& entry : entries_)
        if (entry.first == key) return true;
    return false;
}

std::string LanguageTexts::Text(const std::string& key) const {
    for (const auto& entry : entries_)
        if (entry.first == key) return entry.second;
    return std::string();
}

std::string LanguageTexts::Format(const std::string& key, const std::vector<std::string>& arguments) const {
    const std::string text = Text(key);
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next == '%') {
            result += '%';
            ++i;
        } else if (text[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<size_t>(next - '1') < arguments.size()) {
            result += arguments[static_cast<size_t>(next - '1')];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace e2e

// The e2e executable's entry point. Crash boxes are turned off for this process and, through
// inheritance, for every program it starts: a crash then ends the program instead of hanging the run.
int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
