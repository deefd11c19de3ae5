// A program for launch tests: it appends one line about how it was started to the file named by
// the variable VELKATOR_LAUNCH_LOG (inherited from whoever started it), shows a window the way it
// was asked to, and exits. The line is tab-separated "name=value" fields, ended by CRLF:
//   module=<its own exe>  command=<GetCommandLineA>  folder=<working folder>
//   show=<STARTUPINFO wShowWindow, or -1 when none was given>  zoomed=<0|1>  iconic=<0|1>
// Exit code 0 when the line was written, 1 when there is no log variable, 2 when writing failed.
#include <windows.h>

#include <string>

namespace {

constexpr const char* kLogVariable = "VELKATOR_LAUNCH_LOG";
constexpr const char* kWindowClass = "VelkatorLaunchLog";

std::string LogPath() {
    char path[MAX_PATH * 2] = "";
    DWORD length = GetEnvironmentVariableA(kLogVariable, path, sizeof(path));
    return length > 0 && length < sizeof(path) ? std::string(path, length) : std::string();
}

std::string ModulePath() {
    char path[MAX_PATH * 2] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    return length < sizeof(path) ? std::string(path, length) : std::string();
}

std::string WorkingFolder() {
    char path[MAX_PATH * 2] = "";
    DWORD length = GetCurrentDirectoryA(sizeof(path), path);
    return length < sizeof(path) ? std::string(path, length) : std::string();
}

// Shows a plain window with the show command the starter asked for and reports its state.
void ShowWindowAsAsked(int showCommand, bool& zoomed, bool& iconic) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kWindowClass, "Launch log", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  320, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return;
    ShowWindow(window, showCommand);
    zoomed = IsZoomed(window) != FALSE;
    iconic = IsIconic(window) != FALSE;
    DestroyWindow(window);
}

bool AppendLine(const std::string& path, const std::string& line) {
    // Shared for reading and writing, so a test can read the log while launches go on.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
              written == line.size();
    return CloseHandle(file) && ok;
}

}  // namespace

int main() {
    const std::string log = LogPath();
    if (log.empty()) return 1;

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    const bool showGiven = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
    bool zoomed = false, iconic = false;
    ShowWindowAsAsked(showGiven ? startup.wShowWindow : SW_SHOWDEFAULT, zoomed, iconic);

    std::string line = "module=" + ModulePath();
    line += "\tcommand=" + std::string(GetCommandLineA());
    line += "\tfolder=" + WorkingFolder();
    line += "\tshow=" + std::to_string(showGiven ? static_cast<int>(startup.wShowWindow) : -1);
    line += std::string("\tzoomed=") + (zoomed ? "1" : "0");
    line += std::string("\ticonic=") + (iconic ? "1" : "0");
    line += "\r\n";
    return AppendLine(log, line) ? 0 : 2;
}
