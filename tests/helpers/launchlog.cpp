// Started by Velkator in the launch tests: appends how it was started to the file named by the
// inherited variable VELKATOR_LAUNCH_LOG, as one line of tab-separated fields ended by CRLF:
//   <own exe> <arguments after the exe name and one blank> <working folder> <show command or -1>
#include <windows.h>

#include <string>

int main() {
    char log[MAX_PATH * 2] = "", module[MAX_PATH * 2] = "", folder[MAX_PATH * 2] = "";
    const DWORD logLength = GetEnvironmentVariableA("VELKATOR_LAUNCH_LOG", log, sizeof(log));
    if (logLength == 0 || logLength >= sizeof(log)) return 1;
    GetModuleFileNameA(nullptr, module, sizeof(module));
    GetCurrentDirectoryA(sizeof(folder), folder);

    const std::string command = GetCommandLineA();
    size_t end = command.empty() || command[0] != '"' ? command.find(' ') : command.find('"', 1);
    if (end != std::string::npos && command[end] == '"') ++end;
    if (end != std::string::npos && end < command.size() && command[end] == ' ') ++end;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    const int show = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1;
    const std::string line = std::string(module) + "\t" + (end < command.size() ? command.substr(end) : "") + "\t" +
                             folder + "\t" + std::to_string(show) + "\r\n";

    // Shared, so a test can read the log while launches go on.
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                    written == line.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return ok ? 0 : 2;
}
