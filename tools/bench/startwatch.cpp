// Measures one start of a tray program for the start-up benchmark: the milliseconds from
// process creation until its main window answers a message from its message loop with all
// its tray icons shown, then, once the program has settled, its memory. Closes it afterwards.
//   startwatch CLASS LAST_ICON_ID EXE [ARGUMENT]
// LAST_ICON_ID is the identifier of the tray icon the program adds last (0: no icons).
// Then it sends 50 "TaskbarCreated" broadcasts and measures committed memory again.
// Prints one line, startup_ms=N private_kb=N privateusage_kb=N workingset_kb=N
// rebroadcast_private_kb=N, and exits
// with 0; or prints an error and exits with 1.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <limits.h>
#include <stdlib.h>
#include <stdio.h>

namespace {
const DWORD StartLimitMs = 30000;   // a start slower than this counts as failed
const DWORD SettleMs = 1000;        // lets the program finish whatever follows its start
const DWORD CloseLimitMs = 5000;
const int Rebroadcasts = 50;        // "TaskbarCreated" broadcasts after start (a shell restarting)

double g_ticksPerMs = 1;

double NowMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / g_ticksPerMs;
}

// The quoted program followed by the quoted argument; false when it does not fit.
bool BuildCommandLine(const char* exe, const char* argument, char* line, size_t size) {
    int written = argument ? snprintf(line, size, "\"%s\" \"%s\"", exe, argument) : snprintf(line, size, "\"%s\"", exe);
    return written > 0 && static_cast<size_t>(written) < size;
}

// The window of the class, when it belongs to the process.
HWND FindOwnWindow(const char* className, DWORD processId) {
    HWND window = FindWindowA(className, nullptr);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    return owner == processId ? window : nullptr;
}

// True when the tray shows the window's icon: a change of nothing (no flags) succeeds only
// for an icon that exists. Wine's tray does not ask which process owns the window.
bool TrayHasIcon(HWND window, UINT id) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

struct VisibleSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
    VisibleSearch* search = reinterpret_cast<VisibleSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// A tray program shows nothing at start; a visible window (a dialog waiting for an answer)
// means the start did not finish as measured. True when there is one.
bool ReportShownWindow(DWORD processId) {
    VisibleSearch search = {processId, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    char caption[128] = "";
    GetWindowTextA(search.found, caption, sizeof caption);
    fprintf(stderr, "startwatch: the program shows a window (\"%s\") at start\n", caption);
    return true;
}

// Committed private memory, summed over the address space: what PrivateUsage stands for,
// which Wine leaves at 0.
SIZE_T CommittedPrivateBytes(HANDLE process) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;  // wrapped at the top of the address space
        address = next;
    }
    return total;
}

// Ends the program (politely first when its window is known) and gives the failing exit code.
int Fail(const PROCESS_INFORMATION& process, HWND window) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!window || WaitForSingleObject(process.hProcess, CloseLimitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, CloseLimitMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        fprintf(stderr, "usage: startwatch CLASS LAST_ICON_ID EXE [ARGUMENT]\n");
        return 1;
    }
    const char* className = argv[1];
    char* end = nullptr;
    unsigned long lastIconId = strtoul(argv[2], &end, 10);
    if (argv[2][0] < '0' || argv[2][0] > '9' || *end != '\0' || lastIconId > UINT_MAX) {
        fprintf(stderr, "startwatch: LAST_ICON_ID must be a number\n");
        return 1;
    }
    const char* exe = argv[3];
    // A window left over from an earlier start would answer instead of the new one.
    if (FindWindowA(className, nullptr)) {
        fprintf(stderr, "startwatch: a window of class %s already exists\n", className);
        return 1;
    }
    char commandLine[1024];
    if (!BuildCommandLine(exe, argc == 5 ? argv[4] : nullptr, commandLine, sizeof commandLine)) {
        fprintf(stderr, "startwatch: command line too long\n");
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    double started = NowMs();
    if (!CreateProcessA(exe, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        fprintf(stderr, "startwatch: cannot start %s (error %lu)\n", exe, GetLastError());
        return 1;
    }

    // A window answers sent messages even while its creation handler waits inside a call to
    // another process (every tray call does), so an answer alone can come long before the
    // start is done. Input idle marks the first wait of a message loop; waiting for the last
    // icon as well guards against an early idle report (Wine gave one, at the first tray call,
    // in about thirty starts).
    DWORD idle = WaitForInputIdle(process.hProcess, StartLimitMs);
    if (idle != 0) {
        if (idle == WAIT_FAILED)
            fprintf(stderr, "startwatch: cannot wait for input idle (error %lu); a console program?\n", GetLastError());
        else
            fprintf(stderr, "startwatch: the program did not become idle within %lu ms\n", StartLimitMs);
        return Fail(process, nullptr);
    }
    HWND window = nullptr;
    double answered = 0;
    while (!answered) {
        DWORD exitCode = 0;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &exitCode)) {
            fprintf(stderr, "startwatch: the program ended (exit code %lu) before its window answered\n", exitCode);
            return Fail(process, nullptr);
        }
        if (NowMs() - started > StartLimitMs) {
            fprintf(stderr, "startwatch: no window of class %s answered with icon %lu shown\n", className, lastIconId);
            ReportShownWindow(process.dwProcessId);
            return Fail(process, nullptr);
        }
        window = FindOwnWindow(className, process.dwProcessId);
        DWORD_PTR result = 0;
        if (window && (lastIconId == 0 || TrayHasIcon(window, static_cast<UINT>(lastIconId))) &&
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result))
            answered = NowMs();
        else
            Sleep(1);
    }

    Sleep(SettleMs);
    if (ReportShownWindow(process.dwProcessId)) return Fail(process, window);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        fprintf(stderr, "startwatch: no memory figures (error %lu)\n", GetLastError());
        return Fail(process, window);
    }
    const SIZE_T privateAfterStart = CommittedPrivateBytes(process.hProcess);
    // Each broadcast makes a tray program add all its icons again; what it keeps afterwards grows
    // with every shell restart of a long session.
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    for (int i = 0; i < Rebroadcasts; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
    }
    Sleep(SettleMs);
    printf("startup_ms=%.1f private_kb=%lu privateusage_kb=%lu workingset_kb=%lu rebroadcast_private_kb=%lu\n",
           answered - started, static_cast<unsigned long>(privateAfterStart / 1024),
           static_cast<unsigned long>(memory.PrivateUsage / 1024),
           static_cast<unsigned long>(memory.WorkingSetSize / 1024),
           static_cast<unsigned long>(CommittedPrivateBytes(process.hProcess) / 1024));
    fflush(stdout);

    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, CloseLimitMs) != WAIT_OBJECT_0) {
        fprintf(stderr, "startwatch: the program did not end on WM_CLOSE\n");
        return Fail(process, nullptr);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
